// How the effect gets its editor without the effect's code knowing the GUI:
// the plug-in module installs the factory before it creates an effect (tests
// that want an editor do the same); without one the effect has no editor.
#pragma once

class AEffEditor;
class Zel;

using EditorFactory = AEffEditor* (*)(Zel* effect);

void setEditorFactory(EditorFactory factory);
// The factory's editor for this effect, or null.
AEffEditor* createEditorFor(Zel* effect);
