// A VST 2.4 plug-in held as a DAW holds it: the module loaded with dlopen or
// LoadLibrary, an instance made through its entry point and opened, switched
// on for processing and closed again.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/vst2.h"
#include "hostrequests.h"
#include "platform/pluginmodule.h"

class ClapModule;
class HostedPlugin;
class Lv2Bundle;
class Vst3Module;

struct HostSettings {
  double sampleRate = 44100.0;
  VstInt32 blockSize = 512;
  double tempo = 120.0;
  bool verbose = false;
};

// A loaded module; throws Failure if the file is no VST 2.4, CLAP or VST 3
// plug-in and, on Linux, a folder no VST 3 or LV2 bundle (CLAP, VST 3 and LV2
// plug-ins are driven through an effect record of the host's own; a VST 3
// bundle folder stands for the binary inside it). The
// module stays loaded until the process ends: a plug-in linked with its own
// static C++ run-time keeps allocations that only die with the process, and
// unloading it just before exit would orphan them.
class PluginLibrary {
 public:
  using Entry = AEffect* (*)(audioMasterCallback);
  explicit PluginLibrary(std::string path);
  // A plug-in whose code is linked into this program, reached through its entry
  // function as a loaded module's would be; `name` stands for the path.
  PluginLibrary(std::string name, Entry entry);
  std::unique_ptr<HostedPlugin> instantiate(const HostSettings& settings) const;
  const std::string& path() const { return modulePath; }
  // The CLAP entry of a CLAP module, else null.
  const ClapModule* clapModule() const { return clap.get(); }
  // The bundle when the path is an LV2 bundle's folder, else null.
  const Lv2Bundle* lv2Bundle() const { return lv2.get(); }
  // The VST 3 entry of a VST 3 module, else null.
  const Vst3Module* vst3Module() const { return vst3.get(); }

 private:
  AEffect* create() const;

  std::string modulePath;
  platform::PluginModule* module = nullptr;
  Entry entry = nullptr;
  std::shared_ptr<ClapModule> clap;
  std::shared_ptr<const Lv2Bundle> lv2;
  std::shared_ptr<Vst3Module> vst3;
};

class HostedPlugin {
 public:
  ~HostedPlugin();  // switches off if on, then effClose
  HostedPlugin(const HostedPlugin&) = delete;
  HostedPlugin& operator=(const HostedPlugin&) = delete;

  AEffect* effect() const { return record; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const;
  // Text the plug-in writes for an opcode, in a generous buffer.
  std::string text(VstInt32 opcode, VstInt32 index = 0) const;

  std::string parameterName(VstInt32 index) const { return text(effGetParamName, index); }
  float parameter(VstInt32 index) const { return record->getParameter(record, index); }
  void setParameter(VstInt32 index, float value) { record->setParameter(record, index, value); }
  bool usesChunks() const { return (record->flags & effFlagsProgramChunks) != 0; }
  // The state chunk (program and bank), empty if the plug-in has none.
  std::vector<unsigned char> chunk() const;
  // Hands a chunk back; false if the plug-in refuses it.
  bool setChunk(std::vector<unsigned char> bytes);

  // Sample rate, block size, mains on, start of processing.
  void start();
  void stop();
  // MIDI events for the next block.
  void sendEvents(const std::vector<VstMidiEvent>& events);
  // One block through processReplacing, channel pointers as the plug-in has
  // pins; the song position then advances by the block.
  void process(float** inputs, float** outputs, VstInt32 frames);

  const HostContext& context() const { return *hostContext; }

 private:
  friend class PluginLibrary;
  HostedPlugin(AEffect* record, std::unique_ptr<HostContext> context);
  AEffect* record;
  std::unique_ptr<HostContext> hostContext;
  bool running = false;
};
