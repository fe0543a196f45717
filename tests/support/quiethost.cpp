#include "quiethost.h"

namespace quiethost {

VstTimeInfo transport{};
bool answersTime = true;

VstIntPtr callback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                   void* /*ptr*/, float /*opt*/) {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return answersTime ? reinterpret_cast<VstIntPtr>(&transport) : 0;  // NOLINT: ABI
    default:
      return 0;
  }
}

}  // namespace quiethost
