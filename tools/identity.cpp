// Prints what a VST 2.4 module says it is, loading it as a host would.
#include <cstdio>
#include <cstring>
#include <string>

#include "host/vst2.h"
#include "platform/pluginmodule.h"

namespace {

extern "C" VstIntPtr hostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/,
                                  VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

std::string text(AEffect* e, VstInt32 opcode) {
  char buffer[256];
  std::memset(buffer, 0, sizeof(buffer));
  e->dispatcher(e, opcode, 0, 0, buffer, 0.0f);
  return buffer;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ondex-identity MODULE\n");
    return 2;
  }
  std::string error;
  auto module = platform::PluginModule::load(argv[1], error);
  if (!module) {
    std::fprintf(stderr, "ondex-identity: %s\n", error.c_str());
    return 2;
  }
  using Entry = AEffect* (*)(audioMasterCallback);
  auto entry = reinterpret_cast<Entry>(module->symbol("VSTPluginMain"));  // NOLINT: exported
  if (entry == nullptr) {
    entry = reinterpret_cast<Entry>(module->symbol("main"));  // NOLINT: exported
  }
  AEffect* e = entry == nullptr ? nullptr : entry(hostCallback);
  if (e == nullptr || e->magic != kEffectMagic) {
    std::fprintf(stderr, "ondex-identity: %s is not a VST 2.4 plug-in\n", argv[1]);
    return 2;
  }
  const auto id = static_cast<unsigned>(e->uniqueID);
  std::printf("  effect   %s\n  vendor   %s\n  product  %s\n", text(e, effGetEffectName).c_str(),
              text(e, effGetVendorString).c_str(), text(e, effGetProductString).c_str());
  std::printf("  id       %c%c%c%c   version %d   VST %d\n", (id >> 24) & 0xff, (id >> 16) & 0xff,
              (id >> 8) & 0xff, id & 0xff, e->version,
              static_cast<int>(e->dispatcher(e, effGetVstVersion, 0, 0, nullptr, 0.0f)));
  std::printf("  in/out   %d/%d   parameters %d   programs %d   flags 0x%x\n", e->numInputs,
              e->numOutputs, e->numParams, e->numPrograms, e->flags);
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
  return 0;
}
