// The CLAP instance's life cycle, processing, state and tail, each through
// the effect interface: a block's events become the effect's block events on
// their own frames, its state is the effect's bytes.
#include "clapadapter.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "host/clapevents.h"

namespace {

// Longest state we read: the chunk is far smaller; anything bigger is not ours.
constexpr uint64_t kMaxStateBytes = 1 << 20;
// Events of one block the effect takes at once; a block with more is split.
constexpr size_t kEventsAtOnce = 1024;

Transport transportOf(const clap_event_transport_t& t) {
  Transport out;
  out.hasTempo = (t.flags & CLAP_TRANSPORT_HAS_TEMPO) != 0;
  out.tempo = t.tempo;
  out.hasBeats = (t.flags & CLAP_TRANSPORT_HAS_BEATS_TIMELINE) != 0;
  out.beats = static_cast<double>(t.song_pos_beats) / static_cast<double>(CLAP_BEATTIME_FACTOR);
  out.playing = (t.flags & CLAP_TRANSPORT_IS_PLAYING) != 0;
  return out;
}

// The host's event as the effect takes it; false for what the effect ignores.
bool blockEventOf(const clap_event_header_t& event, uint32_t frame, BlockEvent& out) {
  if (event.space_id != CLAP_CORE_EVENT_SPACE_ID) {
    return false;
  }
  out = BlockEvent{};
  out.frame = frame;
  switch (event.type) {
    case CLAP_EVENT_PARAM_VALUE: {
      const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);  // NOLINT
      if (event.size < sizeof(change) || change.param_id >= ClapAdapter::kParamCount) {
        return false;
      }
      out.kind = BlockEvent::Kind::kParameter;
      out.id = change.param_id;
      out.value = clapToNormalized(change.param_id, change.value);
      return true;
    }
    case CLAP_EVENT_MIDI: {
      if (event.size < sizeof(clap_event_midi_t)) {
        return false;
      }
      const auto& midi = reinterpret_cast<const clap_event_midi_t&>(event);  // NOLINT: by type
      out.kind = BlockEvent::Kind::kMidi;
      std::copy(midi.data, midi.data + 3, out.midi);
      return true;
    }
    case CLAP_EVENT_TRANSPORT:
      if (event.size < sizeof(clap_event_transport_t)) {
        return false;
      }
      out.kind = BlockEvent::Kind::kTransport;
      out.transport =
          transportOf(reinterpret_cast<const clap_event_transport_t&>(event));  // NOLINT
      return true;
    default:
      return false;
  }
}

}  // namespace

ClapAdapter::ClapAdapter(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor)
    : host(host) {
  face.desc = descriptor;
  face.plugin_data = this;
}

ClapAdapter::~ClapAdapter() {
  guiDestroy();
  delete effect;
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
  hostTail = hostExtension<clap_host_tail_t>(CLAP_EXT_TAIL);
  effect = OndexEffect::create();
  if (effect == nullptr) {
    return false;
  }
  blockEvents.resize(kEventsAtOnce);  // once: never on the audio thread
  effect->setListener(this);
  for (clap_id id = 0; id < kParamCount; ++id) {
    defaults[id] = clapFromNormalized(id, effect->parameter(id));
  }
  return true;
}

bool ClapAdapter::activate(double rate, uint32_t maxFrames) {
  if (!effect->activate(rate, maxFrames)) {
    return false;
  }
  sampleRate = rate;
  toldTail = tail();
  active = true;
  return true;
}

void ClapAdapter::deactivate() {
  if (active) {
    effect->deactivate();
    active = false;
  }
}

void ClapAdapter::reset() { effect->reset(); }

// Events split the block, so each lands on its own frame; more events than
// the effect takes at once split it into parts.
void ClapAdapter::runBlock(const clap_process_t* audio, const clap_input_events_t* in,
                           const clap_output_events_t* out, uint32_t frames,
                           const clap_event_transport_t* transport) {
  hostOut = out;
  sendOutbox(out);
  hasTransport = transport != nullptr;
  if (hasTransport) {
    partTransport = transportOf(*transport);
  }
  partStart = 0;
  size_t count = 0;
  const uint32_t listed = in != nullptr ? in->size(in) : 0;
  for (uint32_t i = 0; i < listed; ++i) {
    const clap_event_header_t* event = in->get(in, i);
    if (event == nullptr) {
      continue;
    }
    const uint32_t at = std::min(event->time, frames);
    if (count == blockEvents.size()) {
      runPart(audio, partStart, at, count);
      count = 0;
    }
    if (blockEventOf(*event, at, blockEvents[count])) {
      ++count;
    }
  }
  runPart(audio, partStart, frames, count);
  hostOut = nullptr;
}

void ClapAdapter::runPart(const clap_process_t* audio, uint32_t from, uint32_t to, size_t count) {
  AudioBlock part;
  part.frames = to - from;
  if (audio != nullptr && audio->audio_outputs_count >= 1 &&
      audio->audio_outputs[0].channel_count >= 1 && audio->audio_outputs[0].data32 != nullptr) {
    clap_audio_buffer_t& output = audio->audio_outputs[0];
    output.constant_mask = 0;
    part.outputs[0] = output.data32[0] + from;
    part.outputs[1] = output.channel_count >= 2 ? output.data32[1] + from : nullptr;
    if (audio->audio_inputs_count >= 1 && audio->audio_inputs[0].channel_count >= 1 &&
        audio->audio_inputs[0].data32 != nullptr) {
      float* const* data = audio->audio_inputs[0].data32;
      part.inputs[0] = data[0] + from;
      part.inputs[1] = audio->audio_inputs[0].channel_count >= 2 ? data[1] + from : nullptr;
    }
  } else {
    part.frames = 0;  // no output to write: the events alone apply
  }
  for (size_t i = 0; i < count; ++i) {
    blockEvents[i].frame -= from;
  }
  partStart = from;
  effect->process(part, blockEvents.data(), count, hasTransport ? &partTransport : nullptr);
  // The next part's transport is where this one's song has moved to.
  uint32_t since = 0;
  for (size_t i = 0; i < count; ++i) {
    if (blockEvents[i].kind == BlockEvent::Kind::kTransport) {
      partTransport = blockEvents[i].transport;
      hasTransport = true;
      since = blockEvents[i].frame;
    }
  }
  if (hasTransport && sampleRate > 0.0) {
    partTransport.beats += (to - from - since) * partTransport.tempo / (60.0 * sampleRate);
  }
  partStart = to;
}

clap_process_status ClapAdapter::process(const clap_process_t& p) {
  if (!active) {
    return CLAP_PROCESS_ERROR;  // a host that never activated us gets nothing
  }
  runBlock(&p, p.in_events, p.out_events, p.frames_count, p.transport);
  tellTailChange();
  return CLAP_PROCESS_CONTINUE;
}

void ClapAdapter::flush(const clap_input_events_t* in, const clap_output_events_t* out) {
  runBlock(nullptr, in, out, 0, nullptr);
  if (!active) {
    tellMainThreadNews();  // inactive, the host flushes on the main thread
  }
}

void ClapAdapter::sendOutbox(const clap_output_events_t* out) {
  if (out == nullptr) {
    return;  // what could not go stays for the next drain
  }
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

// The loop or the feedback may have made the tail endless, or ended it. The
// tail moves only with these values, so it is worked out again only when one
// of them moved.
void ClapAdapter::tellTailChange() {
  constexpr clap_id kTailOf[kTailInputs] = {kDlyTime, kDlyx2, kFbck, kManVCO, kDepth, kRptInf};
  bool moved = false;
  for (size_t i = 0; i < kTailInputs; ++i) {
    const float value = effect->parameter(kTailOf[i]);
    moved = moved || value != tailInputs[i];
    tailInputs[i] = value;
  }
  if (!moved) {
    return;
  }
  const uint32_t now = tail();
  if (now != toldTail) {
    toldTail = now;
    if (hostTail != nullptr) {
      hostTail->changed(host);
    }
  }
}

bool ClapAdapter::save(const clap_ostream_t& stream) {
  const unsigned char* bytes = nullptr;
  const size_t size = effect->saveState(bytes);
  if (size == 0 || bytes == nullptr) {
    return false;
  }
  for (size_t done = 0; done < size;) {
    const int64_t written = stream.write(&stream, bytes + done, size - done);
    if (written <= 0) {
      return false;
    }
    done += static_cast<size_t>(written);
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
  // What the host hands over is its own state: the values it moved are news
  // to re-read, but nothing is dirty by it.
  loadingState = true;
  const bool loaded = effect->loadState(bytes.empty() ? nullptr : bytes.data(), bytes.size());
  loadingState = false;
  dirtyPending.store(false);
  tellMainThreadNews();
  return loaded;
}

uint32_t ClapAdapter::tail() const {
  const uint32_t frames = effect->tailFrames();
  return frames >= static_cast<uint32_t>(INT32_MAX) ? static_cast<uint32_t>(INT32_MAX) : frames;
}

ClapAdapter* ClapAdapter::create(const clap_host_t* host,
                                 const clap_plugin_descriptor_t* descriptor) {
  return new (std::nothrow) ClapAdapter(host, descriptor);
}
