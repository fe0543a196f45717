// The module's two exported names; both lead to the same function.
#include "moduleexport.h"
#include "ondexentry.h"

extern "C" ONDEX_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  return ondexEntry(audioMaster);
}

// "main" cannot be declared as an ordinary C++ function of this signature, so
// the second name is given through the symbol name itself.
#if defined(_WIN32)
// Exported as "main" by the module definition file.
#else
extern "C" ONDEX_EXPORT AEffect* ondexLegacyMain(audioMasterCallback audioMaster) __asm__("main");
extern "C" AEffect* ondexLegacyMain(audioMasterCallback audioMaster) {
  return ondexEntry(audioMaster);
}
#endif
