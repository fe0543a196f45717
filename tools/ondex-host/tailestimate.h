// How long to keep processing after the input when the user gave no --tail:
// until the output has been silent for longer than the longest echo interval
// the plug-in has in force (twice over, for a doubled delay), at most 30 s.
#pragma once

#include "renderer.h"

class HostedPlugin;

TailRule defaultTail(const HostedPlugin& plugin, double tempo);
