#include "clapinstance.h"

#include <algorithm>
#include <cstring>

#include "failure.h"
#include "host/clapevents.h"
#include "ondexversion.h"
#include "platform/pluginmodule.h"

#if !defined(_WIN32)
#include <poll.h>
#endif

namespace {

// The host's events for one call, laid out as CLAP events.
class InputEvents {
 public:
  explicit InputEvents(const std::vector<ClapEvent>& events) {
    values.reserve(events.size());
    midis.reserve(events.size());
    for (const ClapEvent& e : events) {
      if (e.type == CLAP_EVENT_MIDI) {
        clap_event_midi_t midi{};
        midi.header = {sizeof(midi), e.time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, e.flags};
        std::memcpy(midi.data, e.midi, sizeof(midi.data));
        midis.push_back(midi);
        headers.push_back(&midis.back().header);
      } else {
        values.push_back(clapParamValueEvent(e.time, e.param, e.value, e.flags));
        headers.push_back(&values.back().header);
      }
    }
    list.ctx = this;
    list.size = [](const clap_input_events_t* l) {
      return static_cast<uint32_t>(static_cast<InputEvents*>(l->ctx)->headers.size());
    };
    list.get = [](const clap_input_events_t* l, uint32_t i) -> const clap_event_header_t* {
      const auto& all = static_cast<InputEvents*>(l->ctx)->headers;
      return i < all.size() ? all[i] : nullptr;
    };
  }
  InputEvents(const InputEvents&) = delete;
  InputEvents& operator=(const InputEvents&) = delete;
  const clap_input_events_t* get() const { return &list; }

 private:
  std::vector<clap_event_param_value_t> values;
  std::vector<clap_event_midi_t> midis;
  std::vector<const clap_event_header_t*> headers;
  clap_input_events_t list{};
};

// Keeps what the plug-in pushes, as plain records.
class OutputEvents {
 public:
  explicit OutputEvents(std::vector<ClapEvent>& into) : into(into) {
    list.ctx = this;
    list.try_push = [](const clap_output_events_t* l, const clap_event_header_t* h) {
      auto& self = *static_cast<OutputEvents*>(l->ctx);
      if (h == nullptr || h->space_id != CLAP_CORE_EVENT_SPACE_ID) {
        return false;
      }
      ClapEvent e;
      e.type = h->type;
      e.time = h->time;
      e.flags = h->flags;
      if (h->type == CLAP_EVENT_PARAM_VALUE && h->size >= sizeof(clap_event_param_value_t)) {
        const auto* v = reinterpret_cast<const clap_event_param_value_t*>(h);  // NOLINT: by type
        e.param = v->param_id;
        e.value = v->value;
      } else if ((h->type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
                  h->type == CLAP_EVENT_PARAM_GESTURE_END) &&
                 h->size >= sizeof(clap_event_param_gesture_t)) {
        e.param = reinterpret_cast<const clap_event_param_gesture_t*>(h)->param_id;  // NOLINT
      }
      self.into.push_back(e);
      return true;
    };
  }
  const clap_output_events_t* get() const { return &list; }

 private:
  std::vector<ClapEvent>& into;
  clap_output_events_t list{};
};

}  // namespace

ClapModule::ClapModule(std::string path, platform::PluginModule& module)
    : modulePath(std::move(path)) {
  entry = static_cast<const clap_plugin_entry_t*>(module.symbol("clap_entry"));
  if (entry == nullptr) {
    throw Failure(modulePath + " is not a CLAP plug-in: it has no clap_entry");
  }
  if (!clapVersionIsCompatible(entry->clap_version) || !entry->init(modulePath.c_str())) {
    throw Failure(modulePath + " is not a usable CLAP plug-in: its entry refused to start");
  }
  pluginFactory =
      static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
  if (pluginFactory == nullptr || pluginFactory->get_plugin_count(pluginFactory) < 1) {
    entry->deinit();
    throw Failure(modulePath + " is not a usable CLAP plug-in: it offers no plug-in");
  }
}

ClapModule::~ClapModule() { entry->deinit(); }

const clap_plugin_descriptor_t& ClapModule::descriptor() const {
  return *pluginFactory->get_plugin_descriptor(pluginFactory, 0);
}

ClapInstance& ClapInstance::of(const clap_host_t* host) {
  return *static_cast<ClapInstance*>(host->host_data);
}

const void* ClapInstance::hostExtension(const clap_host_t* host, const char* id) {
  static const clap_host_params_t params = {
      [](const clap_host_t* h, uint32_t flags) {
        if ((flags & CLAP_PARAM_RESCAN_VALUES) != 0) ++of(h).rescans;
      },
      [](const clap_host_t* /*h*/, clap_id /*id*/, uint32_t /*flags*/) {},
      [](const clap_host_t* h) { ++of(h).flushRequests; }};
  static const clap_host_timer_support_t timers = {
      [](const clap_host_t* h, uint32_t /*period*/, clap_id* id) {
        *id = of(h).nextTimer++;  // ids from 0, as hosts hand them out
        of(h).timers.push_back(*id);
        return true;
      },
      [](const clap_host_t* h, clap_id id) { return std::erase(of(h).timers, id) > 0; }};
#if !defined(_WIN32)
  static const clap_host_posix_fd_support_t fds = {
      [](const clap_host_t* h, int fd, uint32_t /*flags*/) {
        of(h).fds.push_back(fd);
        return true;
      },
      [](const clap_host_t* /*h*/, int /*fd*/, uint32_t /*flags*/) { return true; },
      [](const clap_host_t* h, int fd) { return std::erase(of(h).fds, fd) > 0; }};
#endif
  static const clap_host_gui_t gui = {[](const clap_host_t* /*h*/) {},
                                      [](const clap_host_t* h, uint32_t width, uint32_t height) {
                                        of(h).resizeRequests.emplace_back(width, height);
                                        return true;
                                      },
                                      [](const clap_host_t* /*h*/) { return false; },
                                      [](const clap_host_t* /*h*/) { return false; },
                                      [](const clap_host_t* /*h*/, bool /*destroyed*/) {}};
  static const clap_host_state_t state = {[](const clap_host_t* h) { ++of(h).dirtyMarks; }};
  if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &params;
  if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0)
    return of(host).offersTimers ? &timers : nullptr;
#if !defined(_WIN32)
  if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &fds;
#endif
  if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &gui;
  if (std::strcmp(id, CLAP_EXT_STATE) == 0) return &state;
  return nullptr;
}

ClapInstance::ClapInstance(const ClapModule& module, bool offersTimers)
    : offersTimers(offersTimers) {
  hostFace.clap_version = CLAP_VERSION;
  hostFace.host_data = this;
  hostFace.name = "ondex-host";
  hostFace.vendor = "Corvane";
  hostFace.url = "";
  hostFace.version = kOndexVersion;
  hostFace.get_extension = hostExtension;
  hostFace.request_restart = [](const clap_host_t* /*h*/) {};
  hostFace.request_process = [](const clap_host_t* /*h*/) {};
  hostFace.request_callback = [](const clap_host_t* h) {
    ++of(h).callbackRequests;
    of(h).callbackWanted = true;
  };
  const clap_plugin_factory_t& factory = module.factory();
  instance = factory.create_plugin(&factory, &hostFace, module.descriptor().id);
  if (instance == nullptr) {
    throw Failure(module.path() + ": the CLAP factory made no plug-in");
  }
  if (!instance->init(instance)) {
    instance->destroy(instance);
    throw Failure(module.path() + ": the CLAP plug-in failed to start");
  }
}

ClapInstance::~ClapInstance() {
  stopProcessing();
  deactivate();
  instance->destroy(instance);
}

bool ClapInstance::activate(double sampleRate, uint32_t maxFrames) {
  if (!active) {
    active = instance->activate(instance, sampleRate, 1, maxFrames);
  }
  return active;
}

void ClapInstance::deactivate() {
  if (active) {
    stopProcessing();
    instance->deactivate(instance);
    active = false;
  }
}

bool ClapInstance::startProcessing() {
  if (active && !processing) {
    processing = instance->start_processing(instance);
  }
  return processing;
}

void ClapInstance::stopProcessing() {
  if (processing) {
    instance->stop_processing(instance);
    processing = false;
  }
}

clap_process_status ClapInstance::process(float* const* inputs, uint32_t inputChannels,
                                          float** outputs, uint32_t frames,
                                          const std::vector<ClapEvent>& events,
                                          const clap_event_transport_t* transport) {
  clap_audio_buffer_t in{};
  in.data32 = const_cast<float**>(inputs);  // NOLINT: the interface's pointer type
  in.channel_count = inputChannels;
  clap_audio_buffer_t out{};
  out.data32 = outputs;
  out.channel_count = 2;
  const InputEvents incoming(events);
  const OutputEvents outgoing(sent);
  clap_process_t p{};
  p.steady_time = -1;
  p.frames_count = frames;
  p.transport = transport;
  p.audio_inputs = &in;
  p.audio_outputs = &out;
  p.audio_inputs_count = 1;
  p.audio_outputs_count = 1;
  p.in_events = incoming.get();
  p.out_events = outgoing.get();
  return instance->process(instance, &p);
}

void ClapInstance::flush(const std::vector<ClapEvent>& events) {
  const auto* params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  const InputEvents incoming(events);
  const OutputEvents outgoing(sent);
  params->flush(instance, incoming.get(), outgoing.get());
}

uint32_t ClapInstance::paramCount() const {
  const auto* params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  return params != nullptr ? params->count(instance) : 0;
}

clap_param_info_t ClapInstance::paramInfo(uint32_t index) const {
  clap_param_info_t info{};
  extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)->get_info(instance, index, &info);
  return info;
}

double ClapInstance::paramValue(clap_id id) const {
  double value = 0.0;
  extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)->get_value(instance, id, &value);
  return value;
}

std::string ClapInstance::valueText(clap_id id, double value) const {
  char text[256] = {};
  extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)
      ->value_to_text(instance, id, value, text, sizeof(text));
  return text;
}

std::vector<unsigned char> ClapInstance::saveState() const {
  std::vector<unsigned char> bytes;
  const auto* state = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
  // A stream that takes a few bytes at a time, as real hosts' may.
  clap_ostream_t stream{&bytes, [](const clap_ostream_t* s, const void* data, uint64_t size) {
                          const uint64_t taken = std::min<uint64_t>(size, 1000);
                          auto* into = static_cast<std::vector<unsigned char>*>(s->ctx);
                          const auto* from = static_cast<const unsigned char*>(data);
                          into->insert(into->end(), from, from + taken);
                          return static_cast<int64_t>(taken);
                        }};
  if (state == nullptr || !state->save(instance, &stream)) {
    return {};
  }
  return bytes;
}

bool ClapInstance::loadState(const std::vector<unsigned char>& bytes) const {
  const auto* state = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
  struct Reader {
    const std::vector<unsigned char>* bytes;
    size_t at;
  } reader{&bytes, 0};
  clap_istream_t stream{&reader, [](const clap_istream_t* s, void* data, uint64_t size) {
                          auto& r = *static_cast<Reader*>(s->ctx);
                          const size_t n = std::min<size_t>(
                              {static_cast<size_t>(size), r.bytes->size() - r.at, 1000});
                          std::memcpy(data, r.bytes->data() + r.at, n);
                          r.at += n;
                          return static_cast<int64_t>(n);
                        }};
  return state != nullptr && state->load(instance, &stream);
}

void ClapInstance::runMainThread() {
  if (callbackWanted && answersCallbacks) {
    callbackWanted = false;
    instance->on_main_thread(instance);
  }
  const auto* timerSupport = extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
  for (const clap_id id : std::vector<clap_id>(timers)) {
    timerSupport->on_timer(instance, id);
  }
#if !defined(_WIN32)
  const auto* fdSupport = extension<clap_plugin_posix_fd_support_t>(CLAP_EXT_POSIX_FD_SUPPORT);
  for (const int fd : std::vector<int>(fds)) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, 0) > 0) {
      fdSupport->on_fd(instance, fd, CLAP_POSIX_FD_READ);
    }
  }
#endif
}
