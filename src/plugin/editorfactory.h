// How the effect gets its editor without the effect's code knowing the GUI:
// whoever creates the effect passes the factory (the modules pass the real
// editor's, tests their own); without one the effect has no editor.
#pragma once

class AEffEditor;
class Zel;

using EditorFactory = AEffEditor* (*)(Zel* effect);
