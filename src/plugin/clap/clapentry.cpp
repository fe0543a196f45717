// The CLAP module's face: the exported entry, the factory with Ondex's one
// descriptor, and the function tables that lead each host call to the adapter.
// Nothing escapes them as an exception.
#include <cstring>
#include <mutex>

#include "clapadapter.h"
#include "clapguitables.h"
#include "common/identity.h"
#include "ondexversion.h"
#include "plugin/hostcallguard.h"
#include "plugin/moduleexport.h"

namespace {

constexpr const char* kFeatures[] = {"audio-effect", "delay", "stereo", nullptr};

const clap_plugin_descriptor_t kDescriptor = {CLAP_VERSION,
                                              "com.zel-acoustics.ondex",
                                              kOndexEffectName,
                                              kOndexVendor,
                                              "",
                                              "",
                                              "",
                                              kOndexVersion,
                                              kOndexProduct,
                                              kFeatures};

ClapAdapter* adapterOf(const clap_plugin_t* plugin) { return ClapAdapter::of(plugin); }

// The plug-in's own calls.
bool pluginInit(const clap_plugin_t* p) {
  return guarded(false, [p] { return adapterOf(p)->init(); });
}
void pluginDestroy(const clap_plugin_t* p) {
  guarded([p] { delete adapterOf(p); });
}
bool pluginActivate(const clap_plugin_t* p, double rate, uint32_t /*minFrames*/,
                    uint32_t maxFrames) {
  return guarded(false, [=] { return adapterOf(p)->activate(rate, maxFrames); });
}
void pluginDeactivate(const clap_plugin_t* p) {
  guarded([p] { adapterOf(p)->deactivate(); });
}
bool pluginStartProcessing(const clap_plugin_t* p) {
  adapterOf(p)->setProcessing(true);
  return true;
}
void pluginStopProcessing(const clap_plugin_t* p) { adapterOf(p)->setProcessing(false); }
void pluginReset(const clap_plugin_t* p) {
  guarded([p] { adapterOf(p)->reset(); });
}
clap_process_status pluginProcess(const clap_plugin_t* p, const clap_process_t* process) {
  if (process == nullptr) {
    return CLAP_PROCESS_ERROR;
  }
  return guarded(CLAP_PROCESS_ERROR, [=] { return adapterOf(p)->process(*process); });
}
const void* pluginExtension(const clap_plugin_t* p, const char* id) {
  return id == nullptr ? nullptr : adapterOf(p)->extension(id);
}
void pluginOnMainThread(const clap_plugin_t* p) {
  guarded([p] { adapterOf(p)->onMainThread(); });
}

// audio-ports: one stereo main input and output that may share buffers.
uint32_t audioPortCount(const clap_plugin_t* /*p*/, bool /*isInput*/) { return 1; }
bool audioPortGet(const clap_plugin_t* /*p*/, uint32_t index, bool isInput,
                  clap_audio_port_info_t* info) {
  if (index != 0 || info == nullptr) {
    return false;
  }
  *info = clap_audio_port_info_t{};
  info->id = 0;
  std::strcpy(info->name, isInput ? "Input" : "Output");  // NOLINT: fixed text in 256 bytes
  info->flags = CLAP_AUDIO_PORT_IS_MAIN;
  info->channel_count = 2;
  info->port_type = CLAP_PORT_STEREO;
  info->in_place_pair = 0;
  return true;
}
const clap_plugin_audio_ports_t kAudioPorts = {audioPortCount, audioPortGet};

// note-ports: one MIDI input for the controller map.
uint32_t notePortCount(const clap_plugin_t* /*p*/, bool isInput) { return isInput ? 1 : 0; }
bool notePortGet(const clap_plugin_t* /*p*/, uint32_t index, bool isInput,
                 clap_note_port_info_t* info) {
  if (index != 0 || !isInput || info == nullptr) {
    return false;
  }
  *info = clap_note_port_info_t{};
  info->supported_dialects = CLAP_NOTE_DIALECT_MIDI;
  info->preferred_dialect = CLAP_NOTE_DIALECT_MIDI;
  std::strcpy(info->name, "MIDI controllers");  // NOLINT: fixed text in 256 bytes
  return true;
}
const clap_plugin_note_ports_t kNotePorts = {notePortCount, notePortGet};

// params
uint32_t paramCount(const clap_plugin_t* /*p*/) { return ClapAdapter::kParamCount; }
bool paramInfo(const clap_plugin_t* p, uint32_t index, clap_param_info_t* info) {
  return info != nullptr && guarded(false, [=] { return adapterOf(p)->paramInfo(index, *info); });
}
bool paramValue(const clap_plugin_t* p, clap_id id, double* value) {
  return value != nullptr && guarded(false, [=] { return adapterOf(p)->paramValue(id, *value); });
}
bool paramToText(const clap_plugin_t* p, clap_id id, double value, char* out, uint32_t size) {
  return guarded(false, [=] { return adapterOf(p)->valueToText(id, value, out, size); });
}
bool paramFromText(const clap_plugin_t* p, clap_id id, const char* text, double* value) {
  return value != nullptr &&
         guarded(false, [=] { return adapterOf(p)->textToValue(id, text, *value); });
}
void paramFlush(const clap_plugin_t* p, const clap_input_events_t* in,
                const clap_output_events_t* out) {
  guarded([=] { adapterOf(p)->flush(in, out); });
}
const clap_plugin_params_t kParams = {paramCount,  paramInfo,     paramValue,
                                      paramToText, paramFromText, paramFlush};

// state
bool stateSave(const clap_plugin_t* p, const clap_ostream_t* stream) {
  return stream != nullptr && guarded(false, [=] { return adapterOf(p)->save(*stream); });
}
bool stateLoad(const clap_plugin_t* p, const clap_istream_t* stream) {
  return stream != nullptr && guarded(false, [=] { return adapterOf(p)->load(*stream); });
}
const clap_plugin_state_t kState = {stateSave, stateLoad};

// latency and tail
uint32_t latencyGet(const clap_plugin_t* /*p*/) { return 0; }
const clap_plugin_latency_t kLatency = {latencyGet};
uint32_t tailGet(const clap_plugin_t* p) {
  return guarded(0U, [p] { return adapterOf(p)->tail(); });
}
const clap_plugin_tail_t kTail = {tailGet};

// The factory.
uint32_t factoryCount(const clap_plugin_factory_t* /*f*/) { return 1; }
const clap_plugin_descriptor_t* factoryDescriptor(const clap_plugin_factory_t* /*f*/,
                                                  uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
const clap_plugin_t* factoryCreate(const clap_plugin_factory_t* /*f*/, const clap_host_t* host,
                                   const char* id) {
  if (host == nullptr || id == nullptr || std::strcmp(id, kDescriptor.id) != 0 ||
      !clapVersionIsCompatible(host->clap_version)) {
    return nullptr;
  }
  ClapAdapter* adapter =
      guarded<ClapAdapter*>(nullptr, [=] { return ClapAdapter::create(host, &kDescriptor); });
  if (adapter == nullptr) {
    return nullptr;
  }
  auto* face = const_cast<clap_plugin_t*>(adapter->plugin());  // NOLINT: ours, filled once here
  face->init = pluginInit;
  face->destroy = pluginDestroy;
  face->activate = pluginActivate;
  face->deactivate = pluginDeactivate;
  face->start_processing = pluginStartProcessing;
  face->stop_processing = pluginStopProcessing;
  face->reset = pluginReset;
  face->process = pluginProcess;
  face->get_extension = pluginExtension;
  face->on_main_thread = pluginOnMainThread;
  return face;
}
const clap_plugin_factory_t kFactory = {factoryCount, factoryDescriptor, factoryCreate};

// init and deinit pair up across a host and a wrapper in one process: only
// the first and the last count. Nothing needs setting up, so the count is all.
std::mutex entryLock;
int initCount = 0;

bool entryInit(const char* /*path*/) {
  const std::lock_guard<std::mutex> hold(entryLock);
  ++initCount;
  return true;
}

void entryDeinit() {
  const std::lock_guard<std::mutex> hold(entryLock);
  if (initCount > 0) {
    --initCount;
  }
}

const void* entryFactory(const char* id) {
  return id != nullptr && std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr;
}

}  // namespace

const void* ClapAdapter::extension(const char* id) const {
  if (effect == nullptr) {
    return nullptr;  // asked before init: there is nothing yet to answer for
  }
  const struct {
    const char* id;
    const void* table;
  } tables[] = {{CLAP_EXT_AUDIO_PORTS, &kAudioPorts},
                {CLAP_EXT_NOTE_PORTS, &kNotePorts},
                {CLAP_EXT_PARAMS, &kParams},
                {CLAP_EXT_STATE, &kState},
                {CLAP_EXT_LATENCY, &kLatency},
                {CLAP_EXT_TAIL, &kTail},
                {CLAP_EXT_GUI, &kClapGui},
                {CLAP_EXT_TIMER_SUPPORT, &kClapTimerSupport},
                {CLAP_EXT_POSIX_FD_SUPPORT, &kClapPosixFdSupport}};
  for (const auto& entry : tables) {
    if (std::strcmp(id, entry.id) == 0) {
      return entry.table;
    }
  }
  return nullptr;
}

extern "C" ONDEX_EXPORT const clap_plugin_entry_t clap_entry = {CLAP_VERSION, entryInit,
                                                                entryDeinit, entryFactory};
