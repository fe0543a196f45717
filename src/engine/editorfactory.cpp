#include "editorfactory.h"

namespace {
EditorFactory installed = nullptr;
}  // namespace

void setEditorFactory(EditorFactory factory) { installed = factory; }

AEffEditor* createEditorFor(Zel* effect) {
  return installed != nullptr ? installed(effect) : nullptr;
}
