// What the effect asks of its host, answered from CLAP: time from the block's
// transport, pins from the block's buffers; and what it tells its host, turned
// into CLAP's parameter events (editor gestures) and value rescans (loads).
#include <cstring>

#include "../host/audioeffectx.h"
#include "../host/clapevents.h"
#include "../presets/program.h"
#include "clapadapter.h"

namespace {

constexpr VstInt32 kProcessLevelUser = 1;
constexpr VstInt32 kProcessLevelRealtime = 2;

bool hostDoes(const char* what, bool hasGui) {
  return std::strcmp(what, "sendVstMidiEvent") == 0 || std::strcmp(what, "sendVstEvents") == 0 ||
         std::strcmp(what, "sendVstTimeInfo") == 0 ||
         (hasGui && std::strcmp(what, "sizeWindow") == 0);
}

void copyHostText(void* out, const char* text, size_t size) {
  if (out != nullptr) {
    std::strncpy(static_cast<char*>(out), text != nullptr ? text : "", size - 1);
    static_cast<char*>(out)[size - 1] = 0;
  }
}

}  // namespace

VstIntPtr ClapAdapter::answerEffect(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt) {
  switch (opcode) {
    case audioMasterGetTime: {
      if (current == nullptr || !hasTransport) {
        return 0;  // a free-running host: the effect keeps its own tempo and position
      }
      const bool hasTempo = (transport.flags & CLAP_TRANSPORT_HAS_TEMPO) != 0;
      const bool hasBeats = (transport.flags & CLAP_TRANSPORT_HAS_BEATS_TIMELINE) != 0;
      if (((value & kVstTempoValid) != 0 && !hasTempo) ||
          ((value & kVstPpqPosValid) != 0 && !hasBeats)) {
        return 0;
      }
      const double rate = object->getSampleRate();
      // The transport describes the block's first frame (or its event's);
      // a later span is that many frames on.
      const double frames = static_cast<double>(spanStart - transport.header.time);
      timeInfo = VstTimeInfo{};
      timeInfo.sampleRate = rate;
      timeInfo.tempo = transport.tempo;
      timeInfo.ppqPos = static_cast<double>(transport.song_pos_beats) /
                            static_cast<double>(CLAP_BEATTIME_FACTOR) +
                        (frames > 0.0 ? frames * transport.tempo / (60.0 * rate) : 0.0);
      timeInfo.flags =
          (hasTempo ? kVstTempoValid : 0) | (hasBeats ? kVstPpqPosValid : 0) |
          ((transport.flags & CLAP_TRANSPORT_IS_PLAYING) != 0 ? kVstTransportPlaying : 0);
      return reinterpret_cast<VstIntPtr>(&timeInfo);  // NOLINT: the ABI passes pointers
    }
    case audioMasterPinConnected: {
      // 0 means connected: a mono port leaves the right pin open.
      if (current == nullptr) {
        return 0;
      }
      const bool input = value == 0;
      const uint32_t ports = input ? current->audio_inputs_count : current->audio_outputs_count;
      const clap_audio_buffer_t* buffers = input ? current->audio_inputs : current->audio_outputs;
      const bool there =
          ports >= 1 && index >= 0 && buffers[0].channel_count > static_cast<uint32_t>(index);
      return there ? 0 : 1;
    }
    case audioMasterWantMidi:
      return 1;
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(object->getSampleRate());
    case audioMasterGetBlockSize:
      return static_cast<VstIntPtr>(maxFrames);
    case audioMasterGetCurrentProcessLevel:
      return processing.load() ? kProcessLevelRealtime : kProcessLevelUser;
    case audioMasterGetVendorString:
      copyHostText(ptr, host->vendor, kVstMaxVendorStrLen);
      return 1;
    case audioMasterGetProductString:
      copyHostText(ptr, host->name, kVstMaxProductStrLen);
      return 1;
    case audioMasterCanDo:
      return ptr != nullptr && hostDoes(static_cast<const char*>(ptr), hostGui != nullptr) ? 1 : 0;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
      if (index >= 0 && static_cast<uint32_t>(index) < kParamCount && !applyingHostEvents) {
        const bool begins = opcode == audioMasterBeginEdit;
        gestureDepth += begins ? 1 : (gestureDepth > 0 ? -1 : 0);
        tellHost({begins ? CLAP_EVENT_PARAM_GESTURE_BEGIN : CLAP_EVENT_PARAM_GESTURE_END,
                  static_cast<uint32_t>(index), 0.0});
      }
      return 1;
    case audioMasterAutomate:
      if (index >= 0 && static_cast<uint32_t>(index) < kParamCount && applyingHostEvents) {
        // Inside process or flush: the host's own value coming back is no
        // news; anything else the plug-in moved itself (tempo, MIDI, a refusal).
        if (static_cast<clap_id>(index) != applyingParam || opt != applyingValue) {
          tellHostNow(static_cast<clap_id>(index), opt);
        }
      } else if (index >= 0 && static_cast<uint32_t>(index) < kParamCount) {
        // Inside a gesture it is the user's edit; outside one it is a load,
        // which the host learns by re-reading the values, not as automation.
        if (gestureDepth > 0) {
          tellHost({CLAP_EVENT_PARAM_VALUE, static_cast<uint32_t>(index),
                    clapFromNormalized(static_cast<clap_id>(index), opt)});
        } else {
          noteRescan();
        }
      } else if (static_cast<uint32_t>(index) >= kParamCount && index < kNumHostParams) {
        noteDirty();  // a controller assignment: kept in the state, no parameter of ours
      }
      return 0;
    case audioMasterUpdateDisplay:
      // A program was chosen or renamed: new values, and a state the values do not show.
      noteRescan();
      noteDirty();
      return 1;
    case audioMasterSizeWindow:
      return hostGui != nullptr && index > 0 && value > 0 &&
                     hostGui->request_resize(host, static_cast<uint32_t>(index),
                                             static_cast<uint32_t>(value))
                 ? 1
                 : 0;
    default:
      return 0;
  }
}

void ClapAdapter::tellHost(const ClapOutgoing& news) {
  outbox.post(news);
  // While processing, the next block carries the news anyway.
  if (!processing.load() && hostParams != nullptr) {
    hostParams->request_flush(host);
  }
}

void ClapAdapter::tellHostNow(clap_id id, float normalized) {
  const clap_event_param_value_t told = clapParamValueEvent(
      spanStart, id, clapFromNormalized(id, normalized), CLAP_EVENT_DONT_RECORD);
  // A host that takes no more events still learns the value, by re-reading it.
  if (hostOut == nullptr || !hostOut->try_push(hostOut, &told.header)) {
    noteRescan();
  }
}
