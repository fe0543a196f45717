// setParameter, getParameter and the text operations with any index and any
// value (NaN, infinities, huge magnitudes, every bit pattern), interleaved
// with processing and with the host's transport changing.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "bytereader.h"
#include "fuzzplugin.h"
#include "quiethost.h"

namespace {

float valueFrom(ByteReader& in) {
  const auto kind = in.read<uint8_t>();
  switch (kind % 8) {
    case 0:
      return std::numeric_limits<float>::quiet_NaN();
    case 1:
      return (kind & 8) != 0 ? std::numeric_limits<float>::infinity()
                             : -std::numeric_limits<float>::infinity();
    case 2:
      return (kind & 8) != 0 ? std::numeric_limits<float>::max()
                             : std::numeric_limits<float>::lowest();
    case 3:
      return static_cast<float>(in.read<uint8_t>()) / 255.0f;  // the normal range
    case 4:
      return std::numeric_limits<float>::denorm_min();
    default:
      return in.read<float>();  // any bit pattern
  }
}

// A text operation writes a terminated text inside the host's buffer.
void checkText(FuzzPlugin& plugin, VstInt32 opcode, VstInt32 index) {
  char text[256];
  std::memset(text, 0x7f, sizeof(text));
  text[sizeof(text) - 1] = 0;
  plugin.dispatch(opcode, index, 0, text);
  if (std::strlen(text) >= kVstMaxLabelLen && text[0] != 0x7f) {
    invariantBroken("text longer than the host's buffer");
  }
}

}  // namespace

// Input: operations of one byte each, followed by their arguments.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  FuzzPlugin plugin;
  AEffect* e = plugin.effect();
  while (!in.empty()) {
    const auto op = in.read<uint8_t>();
    // Mostly the real indices, sometimes any.
    const VstInt32 index = (op & 0x80) != 0 ? in.read<int32_t>() : in.read<uint8_t>() % 40;
    switch (op % 8) {
      case 0:
      case 1:
        e->setParameter(e, index, valueFrom(in));
        break;
      case 2: {
        const float v = e->getParameter(e, index);
        if (std::isnan(v) && index >= 0 && index < 36) {
          invariantBroken("a parameter reads back as no number");
        }
        break;
      }
      case 3:
        checkText(plugin, effGetParamDisplay, index);
        checkText(plugin, effGetParamLabel, index);
        checkText(plugin, effGetParamName, index);
        break;
      case 4:
        quiethost::transport.tempo = static_cast<double>(valueFrom(in)) * 1000.0;
        quiethost::transport.ppqPos = static_cast<double>(valueFrom(in)) * 1.0e4;
        quiethost::answersTime = (op & 0x40) == 0;
        break;
      case 5:
        plugin.dispatch(effSetProgram, 0, index);
        break;
      default:
        plugin.playBlock(in.read<uint8_t>() * 2 + 1);
        break;
    }
  }
  plugin.playBlock(FuzzPlugin::kMaxFrames);
  return 0;
}
