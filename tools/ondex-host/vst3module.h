// A VST 3 module held as a VST 3 host holds it: the binary found inside its
// bundle, its entry called, its factory read for the processor class. Reading
// the factory makes no instance, so a scan costs no engine and no window.
#pragma once

#include <string>

#include "host/vst3.h"

namespace platform {
class PluginModule;
}

// The binary inside a bundle folder (Contents/x86_64-linux/NAME.so or
// Contents/x86_64-win/NAME.vst3); any other path is returned as it is.
std::string vst3BinaryOf(const std::string& path);

// What the factory says about the plug-in's processor class.
struct Vst3ClassFacts {
  std::string name;
  std::string vendor;
  std::string version;
  std::string sdkVersion;
  std::string subCategories;
  vst3::TUID cid{};
};

// The entry and factory of a loaded module; throws Failure when the module is
// no VST 3 plug-in or offers no audio module class.
class Vst3Module {
 public:
  Vst3Module(std::string path, platform::PluginModule& module);
  ~Vst3Module();  // releases the factory, then the module's exit
  Vst3Module(const Vst3Module&) = delete;
  Vst3Module& operator=(const Vst3Module&) = delete;

  vst3::IPluginFactory* factory() const { return pluginFactory; }
  const Vst3ClassFacts& processorClass() const { return processor; }
  const std::string& path() const { return modulePath; }
  std::string factoryVendor() const;

 private:
  std::string modulePath;
  platform::PluginModule& module;
  vst3::IPluginFactory* pluginFactory = nullptr;
  Vst3ClassFacts processor;
};

// A class id as its text: 32 upper-case hex digits, the four words in order.
std::string vst3IdText(const vst3::TUID id);
