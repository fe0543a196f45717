#include "hostrequests.h"

#include <cstdio>
#include <cstring>

namespace {

thread_local HostContext* underConstruction = nullptr;

HostContext* contextOf(AEffect* effect) {
  if (effect != nullptr && effect->resvd1 != 0) {
    return reinterpret_cast<HostContext*>(effect->resvd1);  // NOLINT: the host's own field
  }
  return underConstruction;
}

void copyText(void* ptr, const char* text, size_t size) {
  if (ptr != nullptr) {
    std::strncpy(static_cast<char*>(ptr), text, size - 1);
    static_cast<char*>(ptr)[size - 1] = 0;
  }
}

constexpr VstInt32 kProcessLevelUser = 1;
constexpr VstInt32 kProcessLevelRealtime = 2;
constexpr VstInt32 kAutomationOff = 1;
constexpr VstInt32 kLanguageEnglish = 1;

}  // namespace

void setContextUnderConstruction(HostContext* context) { underConstruction = context; }

void attachContext(AEffect* effect, HostContext* context) {
  effect->resvd1 = reinterpret_cast<VstIntPtr>(context);  // NOLINT: the host's own field
}

bool hostCanDo(const std::string& what) {
  return what == "sendVstEvents" || what == "sendVstMidiEvent" || what == "sendVstTimeInfo" ||
         what == "receiveVstEvents" || what == "receiveVstMidiEvent" || what == "supplyIdle" ||
         what == "startStopProcess";
}

extern "C" VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt) {
  HostContext* context = contextOf(effect);
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterAutomate:
      if (context != nullptr && context->verbose) {
        std::fprintf(stderr, "automation: parameter %d = %g\n", index, static_cast<double>(opt));
      }
      return 0;
    case audioMasterGetTime:
      return context == nullptr ? 0
                                : reinterpret_cast<VstIntPtr>(  // NOLINT: the ABI passes pointers
                                      context->transport.current());
    case audioMasterPinConnected:
      return 0;  // by the ABI's convention, 0 means connected
    case audioMasterWantMidi:
      return 1;
    case audioMasterGetSampleRate:
      return context == nullptr ? 0 : static_cast<VstIntPtr>(context->sampleRate);
    case audioMasterGetBlockSize:
      return context == nullptr ? 0 : context->blockSize;
    case audioMasterGetCurrentProcessLevel:
      return context != nullptr && context->processing ? kProcessLevelRealtime : kProcessLevelUser;
    case audioMasterGetAutomationState:
      return kAutomationOff;
    case audioMasterGetVendorString:
      copyText(ptr, "Corvane", kVstMaxVendorStrLen);
      return 1;
    case audioMasterGetProductString:
      copyText(ptr, "ondex-host", kVstMaxProductStrLen);
      return 1;
    case audioMasterGetVendorVersion:
      return 1000;
    case audioMasterGetLanguage:
      return kLanguageEnglish;
    case audioMasterCanDo:
      return ptr != nullptr && hostCanDo(static_cast<const char*>(ptr)) ? 1 : 0;
    case audioMasterUpdateDisplay:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
      return 1;
    case audioMasterIOChanged:
      if (context != nullptr && context->verbose) {
        std::fprintf(stderr, "plug-in changed its inputs and outputs\n");
      }
      return 0;
    default:
      (void)value;
      return 0;
  }
}
