#include "vst3module.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "failure.h"
#include "platform/pluginmodule.h"
#include "vst3text.h"

using namespace vst3;

namespace {

#if defined(_WIN32)
constexpr const char* kArchitecture = "x86_64-win";
constexpr const char* kBinaryExtension = ".vst3";
using InitModule = bool (*)();
#else
constexpr const char* kArchitecture = "x86_64-linux";
constexpr const char* kBinaryExtension = ".so";
using InitModule = bool (*)(void*);
#endif
using ExitModule = bool (*)();
using GetFactory = IPluginFactory* (*)();
constexpr const char* kAudioModuleClass = "Audio Module Class";

}  // namespace

std::string vst3BinaryOf(const std::string& path) {
  const std::filesystem::path bundle(path);
  std::error_code ignored;
  if (!std::filesystem::is_directory(bundle, ignored)) {
    return path;
  }
  // The binary carries the bundle's stem (the Windows one keeps ".vst3").
  const std::string stem =
      bundle.filename().empty() ? bundle.parent_path().stem().string() : bundle.stem().string();
  return (bundle / "Contents" / kArchitecture / (stem + kBinaryExtension)).string();
}

Vst3Module::Vst3Module(std::string path, platform::PluginModule& module)
    : modulePath(std::move(path)), module(module) {
#if defined(_WIN32)
  // Optional on Windows: hosts call it when the module has it.
  if (auto init = reinterpret_cast<InitModule>(module.symbol("InitDll"));  // NOLINT: export
      init != nullptr && !init()) {
    throw Failure(modulePath + " is not a usable VST 3 plug-in: InitDll refused to start");
  }
#else
  auto init = reinterpret_cast<InitModule>(module.symbol("ModuleEntry"));  // NOLINT: export
  if (init == nullptr || module.symbol("ModuleExit") == nullptr) {
    throw Failure(modulePath +
                  " is not a usable VST 3 plug-in: it lacks ModuleEntry or ModuleExit");
  }
  if (!init(module.nativeHandle())) {
    throw Failure(modulePath + " is not a usable VST 3 plug-in: ModuleEntry refused to start");
  }
#endif
  auto get = reinterpret_cast<GetFactory>(module.symbol("GetPluginFactory"));  // NOLINT: export
  pluginFactory = get != nullptr ? get() : nullptr;
  if (pluginFactory == nullptr) {
    throw Failure(modulePath + " is not a usable VST 3 plug-in: it gives no factory");
  }
  // The first audio module class is the plug-in, read as hosts read it: the
  // wide names first, then the second form, then the first.
  void* face = nullptr;
  IPluginFactory3* third = nullptr;
  if (pluginFactory->queryInterface(IPluginFactory3::iid.bytes, &face) == kResultOk) {
    third = static_cast<IPluginFactory3*>(face);
  }
  const std::string vendor = factoryVendor();
  const int32 count = pluginFactory->countClasses();
  bool found = false;
  for (int32 i = 0; i < count && !found; ++i) {
    PClassInfo basic{};
    if (pluginFactory->getClassInfo(i, &basic) != kResultOk ||
        std::strncmp(basic.category, kAudioModuleClass, sizeof(basic.category)) != 0) {
      continue;
    }
    found = true;
    std::memcpy(processor.cid, basic.cid, sizeof(processor.cid));
    processor.name = boundedText(basic.name, sizeof(basic.name));
    PClassInfoW wide{};
    if (third != nullptr && third->getClassInfoUnicode(i, &wide) == kResultOk) {
      processor.name = utf8Of(wide.name, 64);
      processor.vendor = utf8Of(wide.vendor, 64);
      processor.version = utf8Of(wide.version, 64);
      processor.sdkVersion = utf8Of(wide.sdkVersion, 64);
      processor.subCategories = boundedText(wide.subCategories, sizeof(wide.subCategories));
    }
  }
  if (third != nullptr) {
    third->release();
  }
  if (processor.vendor.empty()) {
    processor.vendor = vendor;  // an empty class vendor is the factory's
  }
  if (!found) {
    pluginFactory->release();
    throw Failure(modulePath + " is not a usable VST 3 plug-in: it offers no audio module class");
  }
}

Vst3Module::~Vst3Module() {
  pluginFactory->release();
#if defined(_WIN32)
  if (auto exit = reinterpret_cast<ExitModule>(module.symbol("ExitDll"))) exit();  // NOLINT
#else
  if (auto exit = reinterpret_cast<ExitModule>(module.symbol("ModuleExit"))) exit();  // NOLINT
#endif
}

std::string Vst3Module::factoryVendor() const {
  PFactoryInfo info{};
  if (pluginFactory->getFactoryInfo(&info) != kResultOk) {
    return "";
  }
  return boundedText(info.vendor, sizeof(info.vendor));
}

std::string vst3IdText(const TUID id) {
  const auto* b = reinterpret_cast<const unsigned char*>(id);  // NOLINT: raw id bytes
#if defined(_WIN32)
  // The COM layout: the first word and the halves of the second little-endian.
  const unsigned char order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
#else
  const unsigned char order[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
#endif
  std::string text;
  char digits[3];
  for (const unsigned char at : order) {
    std::snprintf(digits, sizeof(digits), "%02X", b[at]);
    text += digits;
  }
  return text;
}
