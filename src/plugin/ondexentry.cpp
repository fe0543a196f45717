#include "ondexentry.h"

#include "editor/editor.h"
#include "plugin/zel.h"

AEffect* ondexEntry(audioMasterCallback audioMaster) {
  return effectEntry(audioMaster, &createEditor);
}
