// What a VST 3 host knows Ondex by: the class id, derived from the VST 2.4
// plug-in's unique id and name the way hosts derive it when they look for a
// replacement, and the ids of the parameters beside the effect's own.
#pragma once

#include <cstdint>

#include "host/vst3.h"
#include "plugin/parametertable.h"

namespace vst3ids {

// "VST", the VST 2.4 id 'Ondx', then the first nine bytes of the lower-case
// name "corvane ondex": 5653544F 6E647863 6F727661 6E65206F. A host that
// knows the VST 2.4 plug-in loads this one in its place.
inline constexpr uint32_t kProcessorWords[4] = {0x5653544F, 0x6E647863, 0x6F727661, 0x6E65206F};
inline constexpr vst3::Uid kProcessorCid =
    vst3::makeUid(kProcessorWords[0], kProcessorWords[1], kProcessorWords[2], kProcessorWords[3]);

// Parameters: 0 to 17 are the effect's (the VST 2.4 indices, so automation
// carries over); then the host's bypass, the program choice, and one hidden
// stand-in per MIDI controller number.
inline constexpr vst3::ParamID kBypass = 100;
inline constexpr vst3::ParamID kProgram = 101;
inline constexpr vst3::ParamID kFirstController = 1000;
inline constexpr int32_t kControllers = 128;
inline constexpr int32_t kParameterCount = kNumZelParameters + 2 + kControllers;

inline constexpr vst3::ProgramListID kProgramList = 1;

constexpr bool isEffectParameter(vst3::ParamID id) {
  return id < static_cast<vst3::ParamID>(kNumZelParameters);
}
constexpr bool isController(vst3::ParamID id) {
  return id >= kFirstController && id < kFirstController + kControllers;
}

}  // namespace vst3ids
