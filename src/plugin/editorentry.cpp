// The module's effects get their editor: the factory is installed once, when
// the module is loaded, before any host can create an effect.
#include "editor/editor.h"
#include "engine/editorfactory.h"

namespace {

[[maybe_unused]] const bool installed = (setEditorFactory(&createEditor), true);

}  // namespace
