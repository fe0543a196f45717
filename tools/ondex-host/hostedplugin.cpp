#include "hostedplugin.h"

#include <cstring>
#include <filesystem>

#include "clapeffect.h"
#include "failure.h"
#include "vst3effect.h"
#if !defined(_WIN32)
#include "lv2effect.h"
#endif

PluginLibrary::PluginLibrary(std::string path) : modulePath(std::move(path)) {
#if !defined(_WIN32)
  // A folder is a VST 3 bundle when it has Contents/, else an LV2 bundle.
  std::error_code notThere;
  if (std::filesystem::is_directory(modulePath, notThere) &&
      !std::filesystem::exists(std::filesystem::path(modulePath) / "Contents", notThere)) {
    lv2 = std::make_shared<const Lv2Bundle>(modulePath);
    return;
  }
#endif
  std::string error;
  // A bare file name would send the loader searching the system's folders.
  std::string loadPath = vst3BinaryOf(modulePath);
  if (!std::filesystem::path(loadPath).has_parent_path()) {
    loadPath = (std::filesystem::path(".") / loadPath).string();
  }
  std::unique_ptr<platform::PluginModule> loaded = platform::PluginModule::load(loadPath, error);
  if (!loaded) {
    throw Failure(modulePath + " is not a VST 2.4 plug-in: it cannot be opened (" + error + ")");
  }
  // Kept for the life of the process, reachable so that leak checkers agree.
  static auto* const keptLoaded = new std::vector<std::unique_ptr<platform::PluginModule>>;
  keptLoaded->push_back(std::move(loaded));
  module = keptLoaded->back().get();
  if (module->symbol("clap_entry") != nullptr &&
      (module->symbol("VSTPluginMain") == nullptr ||
       std::filesystem::path(modulePath).extension() == ".clap")) {
    clap = std::make_shared<ClapModule>(modulePath, *module);
    return;
  }
  if (module->symbol("GetPluginFactory") != nullptr &&
      (module->symbol("VSTPluginMain") == nullptr ||
       std::filesystem::path(loadPath).extension() == ".vst3")) {
    vst3 = std::make_shared<Vst3Module>(modulePath, *module);
    return;
  }
  entry = reinterpret_cast<Entry>(module->symbol("VSTPluginMain"));  // NOLINT: exported function
  if (entry == nullptr) {
    entry = reinterpret_cast<Entry>(module->symbol("main"));  // NOLINT: exported function
  }
  if (entry == nullptr) {
    throw Failure(modulePath + " is not a VST 2.4 plug-in: it has no VSTPluginMain or main entry");
  }
}

PluginLibrary::PluginLibrary(std::string name, Entry entry)
    : modulePath(std::move(name)), entry(entry) {}

std::unique_ptr<HostedPlugin> PluginLibrary::instantiate(const HostSettings& settings) const {
  auto context = std::make_unique<HostContext>();
  context->sampleRate = settings.sampleRate;
  context->blockSize = settings.blockSize;
  context->verbose = settings.verbose;
  context->transport = Transport(settings.sampleRate, settings.tempo);
  setContextUnderConstruction(context.get());
  AEffect* record = nullptr;
  try {
    record = create();
  } catch (...) {
    setContextUnderConstruction(nullptr);
    throw;
  }
  setContextUnderConstruction(nullptr);
  if (record == nullptr) {
    throw Failure(modulePath + " is not a VST 2.4 plug-in: its entry point made no effect");
  }
  if (record->magic != kEffectMagic) {
    throw Failure(modulePath + " is not a VST 2.4 plug-in: the effect has the wrong magic number");
  }
  if (record->processReplacing == nullptr) {
    throw Failure(modulePath + " cannot be hosted: it has no processReplacing");
  }
  attachContext(record, context.get());
  auto plugin = std::unique_ptr<HostedPlugin>(new HostedPlugin(record, std::move(context)));
  plugin->dispatch(effOpen);
  plugin->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(settings.sampleRate));
  plugin->dispatch(effSetBlockSize, 0, settings.blockSize);
  return plugin;
}

AEffect* PluginLibrary::create() const {
  if (clap != nullptr) {
    return openClapEffect(*clap, hostCallback);
  }
  if (vst3 != nullptr) {
    return openVst3Effect(*vst3, hostCallback);
  }
#if !defined(_WIN32)
  if (lv2 != nullptr) {
    return openLv2Effect(lv2, hostCallback);
  }
#endif
  return entry(hostCallback);
}

HostedPlugin::HostedPlugin(AEffect* record, std::unique_ptr<HostContext> context)
    : record(record), hostContext(std::move(context)) {}

HostedPlugin::~HostedPlugin() {
  stop();
  dispatch(effClose);
}

VstIntPtr HostedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt) const {
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string HostedPlugin::text(VstInt32 opcode, VstInt32 index) const {
  // Plug-ins often overrun the nominal limits; leave them room.
  char buffer[512];
  std::memset(buffer, 0, sizeof(buffer));
  dispatch(opcode, index, 0, buffer, 0.0f);
  buffer[sizeof(buffer) - 1] = 0;
  return buffer;
}

std::vector<unsigned char> HostedPlugin::chunk() const {
  if (!usesChunks()) {
    return {};
  }
  void* data = nullptr;
  const VstIntPtr size = dispatch(effGetChunk, 0, 0, &data);
  if (size <= 0 || data == nullptr) {
    return {};
  }
  const auto* bytes = static_cast<const unsigned char*>(data);
  return {bytes, bytes + size};
}

bool HostedPlugin::setChunk(std::vector<unsigned char> bytes) {
  if (!usesChunks() || bytes.empty()) {
    return false;
  }
  // Plug-ins disagree on what effSetChunk answers, so besides a negative
  // answer a refusal shows as a state that stayed as it was.
  const std::vector<unsigned char> before = chunk();
  const VstIntPtr answer =
      dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bytes.size()), bytes.data());
  if (answer < 0) {
    return false;
  }
  const std::vector<unsigned char> after = chunk();
  return after == bytes || after != before;
}

void HostedPlugin::start() {
  if (running) {
    return;
  }
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(hostContext->sampleRate));
  dispatch(effSetBlockSize, 0, hostContext->blockSize);
  dispatch(effMainsChanged, 0, 1);
  dispatch(effStartProcess);
  hostContext->processing = true;
  running = true;
}

void HostedPlugin::stop() {
  if (!running) {
    return;
  }
  hostContext->processing = false;
  dispatch(effStopProcess);
  dispatch(effMainsChanged, 0, 0);
  running = false;
}

void HostedPlugin::sendEvents(const std::vector<VstMidiEvent>& events) {
  if (events.empty()) {
    return;
  }
  // VstEvents ends in a pointer array of the length the host chooses.
  std::vector<unsigned char> storage(offsetof(VstEvents, events) +
                                     events.size() *
                                         sizeof(VstEvent*));  // NOLINT: pointers, as meant
  auto* list = reinterpret_cast<VstEvents*>(storage.data());  // NOLINT: variable-length record
  list->numEvents = static_cast<VstInt32>(events.size());
  list->reserved = 0;
  std::vector<VstMidiEvent> copies = events;
  auto** pointers =
      reinterpret_cast<VstEvent**>(storage.data() + offsetof(VstEvents, events));  // NOLINT
  for (size_t i = 0; i < copies.size(); ++i) {
    pointers[i] = reinterpret_cast<VstEvent*>(&copies[i]);  // NOLINT: same layout by the ABI
  }
  dispatch(effProcessEvents, 0, 0, list);
}

void HostedPlugin::process(float** inputs, float** outputs, VstInt32 frames) {
  record->processReplacing(record, inputs, outputs, frames);
  hostContext->transport.advance(frames);
}
