// The CLAP instance's life cycle, processing, state and tail, each forwarded
// to the effect through its record and dispatcher as a VST 2.4 host would.
#include "clapadapter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "../host/audioeffectx.h"
#include "../host/clapevents.h"
#include "plugin/ondexentry.h"
#include "plugin/parametertable.h"

namespace {

thread_local ClapAdapter* underConstruction = nullptr;

// The effect finds its adapter through the record's host field; while the
// entry point still runs, through the adapter being built on this thread.
extern "C" VstIntPtr adapterCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                     VstIntPtr value, void* ptr, float opt) {
  auto* adapter = effect != nullptr && effect->user != nullptr
                      ? static_cast<ClapAdapter*>(effect->user)
                      : underConstruction;
  if (opcode == audioMasterVersion) {
    return kVstVersion;
  }
  return adapter == nullptr ? 0 : adapter->answerEffect(opcode, index, value, ptr, opt);
}

// Longest state we read: the chunk is far smaller; anything bigger is not ours.
constexpr uint64_t kMaxStateBytes = 1 << 20;

// Marks the calls in which the host's events are applied.
class ApplyingHostEvents {
 public:
  explicit ApplyingHostEvents(bool& flag) : flag(flag) { flag = true; }
  ~ApplyingHostEvents() { flag = false; }
  ApplyingHostEvents(const ApplyingHostEvents&) = delete;
  ApplyingHostEvents& operator=(const ApplyingHostEvents&) = delete;

 private:
  bool& flag;
};

}  // namespace

thread_local bool ClapAdapter::applyingHostEvents = false;

ClapAdapter::ClapAdapter(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor)
    : host(host) {
  face.desc = descriptor;
  face.plugin_data = this;
}

ClapAdapter::~ClapAdapter() {
  guiDestroy();
  if (effect != nullptr) {
    dispatch(effClose);  // deletes the effect
  }
  delete[] silence;
}

VstIntPtr ClapAdapter::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) const {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

template <typename T>
const T* ClapAdapter::hostExtension(const char* id) const {
  return host->get_extension != nullptr ? static_cast<const T*>(host->get_extension(host, id))
                                        : nullptr;
}

bool ClapAdapter::init() {
  hostParams = hostExtension<clap_host_params_t>(CLAP_EXT_PARAMS);
  hostGui = hostExtension<clap_host_gui_t>(CLAP_EXT_GUI);
  hostTimers = hostExtension<clap_host_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
  hostFds = hostExtension<clap_host_posix_fd_support_t>(CLAP_EXT_POSIX_FD_SUPPORT);
  hostState = hostExtension<clap_host_state_t>(CLAP_EXT_STATE);

  // Made as the VST 2.4 entry makes it, so both interfaces hold the same effect.
  underConstruction = this;
  effect = ondexEntry(adapterCallback);
  underConstruction = nullptr;
  if (effect == nullptr) {
    return false;
  }
  effect->user = this;
  object = static_cast<AudioEffectX*>(effect->object);
  dispatch(effOpen);
  for (clap_id id = 0; id < kParamCount; ++id) {
    defaults[id] = clapFromNormalized(id, effect->getParameter(effect, static_cast<VstInt32>(id)));
  }
  // The host reads every value after init anyway, and nothing is changed yet.
  rescanPending.store(false);
  dirtyPending.store(false);
  return true;
}

bool ClapAdapter::activate(double sampleRate, uint32_t frames) {
  delete[] silence;
  silence = new (std::nothrow) float[frames]();
  if (silence == nullptr) {
    return false;
  }
  maxFrames = frames;
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  dispatch(effSetBlockSize, 0, static_cast<VstIntPtr>(std::min<uint32_t>(frames, INT32_MAX)));
  dispatch(effMainsChanged, 0, 1);
  active = true;
  return true;
}

void ClapAdapter::deactivate() {
  if (active) {
    dispatch(effMainsChanged, 0, 0);
    active = false;
  }
}

void ClapAdapter::reset() {
  // A switch off and on clears the memory and the signal state, values stay.
  dispatch(effMainsChanged, 0, 0);
  dispatch(effMainsChanged, 0, 1);
}

void ClapAdapter::renderSpan(const clap_process_t& process, uint32_t from, uint32_t to) {
  if (to <= from || process.audio_outputs_count < 1 || process.audio_outputs[0].channel_count < 1 ||
      process.audio_outputs[0].data32 == nullptr) {
    return;
  }
  clap_audio_buffer_t& output = process.audio_outputs[0];
  output.constant_mask = 0;
  const bool hasInput = process.audio_inputs_count >= 1 &&
                        process.audio_inputs[0].channel_count >= 1 &&
                        process.audio_inputs[0].data32 != nullptr;
  // Without an input the silence stands in, which is as long as the longest block.
  const uint32_t most = hasInput ? to - from : maxFrames;
  for (uint32_t at = from; at < to; at += most) {
    const uint32_t end = std::min(to, at + most);
    spanStart = at;
    float* inputs[2] = {silence, silence};
    if (hasInput) {
      float* const* data = process.audio_inputs[0].data32;
      inputs[0] = data[0] + at;
      inputs[1] = process.audio_inputs[0].channel_count >= 2 ? data[1] + at : inputs[0];
    }
    float* outputs[2] = {output.data32[0] + at,
                         output.channel_count >= 2 ? output.data32[1] + at : nullptr};
    effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(end - at));
  }
}

clap_process_status ClapAdapter::process(const clap_process_t& p) {
  if (!active || maxFrames == 0) {
    return CLAP_PROCESS_ERROR;  // a host that never activated us gets nothing
  }
  const ApplyingHostEvents applying(applyingHostEvents);
  current = &p;
  hostOut = p.out_events;
  spanStart = 0;
  hasTransport = p.transport != nullptr;
  if (hasTransport) {
    transport = *p.transport;
  }
  sendOutbox(p.out_events);
  // Events split the block, so each lands on its own sample.
  uint32_t done = 0;
  const uint32_t count = p.in_events != nullptr ? p.in_events->size(p.in_events) : 0;
  for (uint32_t i = 0; i < count; ++i) {
    const clap_event_header_t* event = p.in_events->get(p.in_events, i);
    if (event == nullptr) {
      continue;
    }
    const uint32_t at = std::min(event->time, p.frames_count);
    renderSpan(p, done, at);
    done = std::max(done, at);
    spanStart = done;
    apply(*event);
  }
  renderSpan(p, done, p.frames_count);
  current = nullptr;
  hostOut = nullptr;
  return CLAP_PROCESS_CONTINUE;
}

void ClapAdapter::apply(const clap_event_header_t& event) {
  if (event.space_id != CLAP_CORE_EVENT_SPACE_ID) {
    return;
  }
  switch (event.type) {
    case CLAP_EVENT_PARAM_VALUE: {
      const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);  // NOLINT
      if (change.param_id < kParamCount && event.size >= sizeof(change)) {
        applyingParam = change.param_id;
        applyingValue = clapToNormalized(change.param_id, change.value);
        effect->setParameter(effect, static_cast<VstInt32>(change.param_id), applyingValue);
        applyingParam = CLAP_INVALID_ID;
      }
      break;
    }
    case CLAP_EVENT_MIDI:
      if (event.size >= sizeof(clap_event_midi_t)) {
        applyMidi(reinterpret_cast<const clap_event_midi_t&>(event));  // NOLINT: by type
      }
      break;
    case CLAP_EVENT_TRANSPORT:
      if (event.size >= sizeof(clap_event_transport_t)) {
        transport = reinterpret_cast<const clap_event_transport_t&>(event);  // NOLINT: by type
        hasTransport = true;
      }
      break;
    default:
      break;
  }
}

void ClapAdapter::applyMidi(const clap_event_midi_t& event) {
  VstMidiEvent midi{};
  midi.type = kVstMidiType;
  midi.byteSize = sizeof(VstMidiEvent);
  for (int i = 0; i < 3; ++i) {
    midi.midiData[i] = static_cast<char>(event.data[i]);
  }
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&midi);  // NOLINT: same layout by the ABI
  // The controller map decides what a message changes; the effect tells of
  // each value it moved (tellHostNow).
  dispatch(effProcessEvents, 0, 0, &list);
}

void ClapAdapter::sendOutbox(const clap_output_events_t* out) {
  if (out == nullptr) {
    return;  // nowhere to tell it: the news waits for a call that has a list
  }
  // An event the host's list refuses stays in the outbox for the next drain.
  outbox.drain([out](const ClapOutgoing& news) {
    if (news.type == CLAP_EVENT_PARAM_VALUE) {
      const clap_event_param_value_t told = clapParamValueEvent(0, news.param, news.value);
      return out->try_push(out, &told.header);
    }
    clap_event_param_gesture_t told{};
    told.header = {sizeof(told), 0, CLAP_CORE_EVENT_SPACE_ID, news.type, 0};
    told.param_id = news.param;
    return out->try_push(out, &told.header);
  });
}

void ClapAdapter::flush(const clap_input_events_t* in, const clap_output_events_t* out) {
  const ApplyingHostEvents applying(applyingHostEvents);
  hostOut = out;
  spanStart = 0;
  sendOutbox(out);
  const uint32_t count = in != nullptr ? in->size(in) : 0;
  for (uint32_t i = 0; i < count; ++i) {
    const clap_event_header_t* event = in->get(in, i);
    if (event != nullptr && event->type == CLAP_EVENT_PARAM_VALUE) {
      apply(*event);
    }
  }
  hostOut = nullptr;
}

void ClapAdapter::noteRescan() {
  rescanPending.store(true);
  if (host->request_callback != nullptr) {
    host->request_callback(host);
  }
}

void ClapAdapter::noteDirty() {
  dirtyPending.store(true);
  if (host->request_callback != nullptr) {
    host->request_callback(host);
  }
}

void ClapAdapter::onMainThread() {
  if (rescanPending.exchange(false) && hostParams != nullptr) {
    hostParams->rescan(host, CLAP_PARAM_RESCAN_VALUES);
  }
  if (dirtyPending.exchange(false) && hostState != nullptr) {
    hostState->mark_dirty(host);
  }
}

bool ClapAdapter::save(const clap_ostream_t& stream) {
  void* data = nullptr;
  const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
  if (size <= 0 || data == nullptr) {
    return false;
  }
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (VstIntPtr done = 0; done < size;) {
    const int64_t written = stream.write(&stream, bytes + done, static_cast<uint64_t>(size - done));
    if (written <= 0) {
      return false;
    }
    done += static_cast<VstIntPtr>(written);
  }
  return true;
}

bool ClapAdapter::load(const clap_istream_t& stream) {
  std::vector<unsigned char> bytes;
  unsigned char block[4096];
  for (;;) {
    const int64_t got = stream.read(&stream, block, sizeof(block));
    if (got < 0) {
      return false;
    }
    if (got == 0) {
      break;
    }
    bytes.insert(bytes.end(), block, block + got);
    if (bytes.size() > kMaxStateBytes) {
      return false;
    }
  }
  // The chunk's own checks refuse foreign bytes and leave the state as it was.
  const VstIntPtr answer = dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()),
                                    bytes.empty() ? nullptr : bytes.data());
  // The effect told of every value the load moved; the host re-reads them now.
  // What the host handed over is its own state, so nothing is dirty by it.
  dirtyPending.store(false);
  onMainThread();
  return answer >= 0;
}

uint32_t ClapAdapter::tail() const {
  const auto value = [this](int index) { return effect->getParameter(effect, index); };
  const float feedback = value(kFbck);
  if (value(kRptInf) >= 0.5f || feedback >= 1.0f) {
    return INT32_MAX;  // the loop or full feedback rings for ever
  }
  // The longest the clock can stretch one pass: doubled, and the manual VCO's
  // and the sweep's reach of half again.
  const double pass =
      kMaxDelayMs / 1000.0 * value(kDlyTime) * (value(kDlyx2) >= 0.5f ? 2 : 1) * 1.5;
  // Passes until the echoes have fallen by 100 dB.
  const double passes = feedback > 0.0f ? std::ceil(std::log(1e-5) / std::log(feedback)) : 1.0;
  const double seconds = pass * (passes + 1.0) + 0.1;
  const double frames = seconds * object->getSampleRate();
  return frames >= INT32_MAX - 1.0 ? INT32_MAX - 1 : static_cast<uint32_t>(frames);
}

ClapAdapter* ClapAdapter::create(const clap_host_t* host,
                                 const clap_plugin_descriptor_t* descriptor) {
  return new (std::nothrow) ClapAdapter(host, descriptor);
}
