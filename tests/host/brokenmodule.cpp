// Modules that are not proper VST 2.4 plug-ins, one per build variant:
// BROKEN_NO_ENTRY exports no entry point, BROKEN_NULL_EFFECT makes no effect,
// BROKEN_WRONG_MAGIC makes one with the wrong magic number.
#include "host/vst2.h"

#if defined(_WIN32)
#define EXPORTED extern "C" __declspec(dllexport)
#else
#define EXPORTED extern "C" __attribute__((visibility("default")))
#endif

#if defined(BROKEN_NO_ENTRY)
EXPORTED int notAnEntryPoint() { return 0; }
#elif defined(BROKEN_NULL_EFFECT)
EXPORTED AEffect* VSTPluginMain(audioMasterCallback /*host*/) { return nullptr; }
#elif defined(BROKEN_WRONG_MAGIC)
EXPORTED AEffect* VSTPluginMain(audioMasterCallback /*host*/) {
  static AEffect effect{};
  effect.magic = fourCharCode('N', 'o', 'p', 'e');
  return &effect;
}
#endif
