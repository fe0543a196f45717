// Ondex's own code linked into ondex-host, for what no VST 2.4 host can ask of
// a loaded module: its editor drawn without any display. The plug-in is still
// reached through its entry point and dispatcher, as a DAW reaches it; only the
// finished picture is taken from the editor's frame in this process.
#pragma once

#include "hostedplugin.h"

class CFrame;

// Ondex linked in, with the editor the module gives every effect.
PluginLibrary linkedOndex();

// The frame of a linked-in plug-in's editor, while it is open; null otherwise.
CFrame* openEditorFrame(const HostedPlugin& plugin);
