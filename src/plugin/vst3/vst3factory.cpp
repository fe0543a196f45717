// The VST 3 module's face: the factory with Ondex's one class, and the
// exported entries that hand it out. Reading the class makes nothing; only
// createInstance makes the plug-in object, and only its initialize the effect.
#include <cstdio>
#include <cstring>
#include <mutex>

#include "common/identity.h"
#include "ondexversion.h"
#include "plugin/moduleexport.h"
#include "vst3ids.h"
#include "vst3newstimer.h"
#include "vst3plugin.h"
#include "vst3text.h"

namespace {

constexpr const char* kCategory = "Audio Module Class";
constexpr const char* kSubCategories = "Fx|Delay";
constexpr const char* kSdkVersion = "VST 3.8.0";

template <size_t N>
void copyText(char (&to)[N], const char* from) {
  std::snprintf(to, N, "%s", from);
}

// One factory for the module's life: its count only tells hosts what they
// hold; it is never freed.
class Factory final : public vst3::IPluginFactory3 {
 public:
  vst3::tresult VST3_API queryInterface(const vst3::TUID interfaceId, void** obj) override {
    if (obj == nullptr) {
      return vst3::kInvalidArgument;
    }
    if (vst3::FUnknown::iid == interfaceId || vst3::IPluginFactory::iid == interfaceId ||
        vst3::IPluginFactory2::iid == interfaceId || vst3::IPluginFactory3::iid == interfaceId) {
      addRef();
      *obj = this;
      return vst3::kResultOk;
    }
    *obj = nullptr;
    return vst3::kNoInterface;
  }
  vst3::uint32 VST3_API addRef() override { return ++references; }
  vst3::uint32 VST3_API release() override { return references > 1 ? --references : 1; }

  vst3::tresult VST3_API getFactoryInfo(vst3::PFactoryInfo* info) override {
    if (info == nullptr) {
      return vst3::kInvalidArgument;
    }
    *info = vst3::PFactoryInfo{};
    copyText(info->vendor, kOndexVendor);
    info->flags = vst3::PFactoryInfo::kUnicode;
    return vst3::kResultOk;
  }

  vst3::int32 VST3_API countClasses() override { return 1; }

  vst3::tresult VST3_API getClassInfo(vst3::int32 index, vst3::PClassInfo* info) override {
    if (index != 0 || info == nullptr) {
      return vst3::kInvalidArgument;
    }
    *info = vst3::PClassInfo{};
    std::memcpy(info->cid, vst3ids::kProcessorCid.bytes, sizeof(info->cid));
    info->cardinality = vst3::kManyInstances;
    copyText(info->category, kCategory);
    copyText(info->name, kOndexEffectName);
    return vst3::kResultOk;
  }

  vst3::tresult VST3_API createInstance(vst3::FIDString cid, vst3::FIDString interfaceId,
                                        void** obj) override {
    if (obj == nullptr) {
      return vst3::kInvalidArgument;
    }
    *obj = nullptr;
    if (cid == nullptr || interfaceId == nullptr || !(vst3ids::kProcessorCid == cid)) {
      return vst3::kNoInterface;
    }
    Vst3Plugin* made = Vst3Plugin::create();
    if (made == nullptr) {
      return vst3::kOutOfMemory;
    }
    // The caller owns what it asked for; our own reference goes.
    const vst3::tresult result = made->queryInterface(interfaceId, obj);
    made->release();
    return result;
  }

  // Class flags 0: the processor and its controller are one object, never
  // run apart.
  vst3::tresult VST3_API getClassInfo2(vst3::int32 index, vst3::PClassInfo2* info) override {
    if (index != 0 || info == nullptr) {
      return vst3::kInvalidArgument;
    }
    vst3::PClassInfo plain{};
    getClassInfo(index, &plain);
    *info = vst3::PClassInfo2{};
    std::memcpy(info->cid, plain.cid, sizeof(info->cid));
    info->cardinality = plain.cardinality;
    copyText(info->category, kCategory);
    copyText(info->name, kOndexEffectName);
    copyText(info->subCategories, kSubCategories);
    copyText(info->vendor, kOndexVendor);
    copyText(info->version, kOndexVersion);
    copyText(info->sdkVersion, kSdkVersion);
    return vst3::kResultOk;
  }

  vst3::tresult VST3_API getClassInfoUnicode(vst3::int32 index, vst3::PClassInfoW* info) override {
    vst3::PClassInfo2 narrow{};
    if (info == nullptr || getClassInfo2(index, &narrow) != vst3::kResultOk) {
      return vst3::kInvalidArgument;
    }
    *info = vst3::PClassInfoW{};
    std::memcpy(info->cid, narrow.cid, sizeof(info->cid));
    info->cardinality = narrow.cardinality;
    copyText(info->category, kCategory);
    copyUtf16(narrow.name, info->name, std::size(info->name));
    copyText(info->subCategories, kSubCategories);
    copyUtf16(narrow.vendor, info->vendor, std::size(info->vendor));
    copyUtf16(narrow.version, info->version, std::size(info->version));
    copyUtf16(narrow.sdkVersion, info->sdkVersion, std::size(info->sdkVersion));
    return vst3::kResultOk;
  }

  // Kept for the instances' news timers: Linux hosts lend their run loop here.
  vst3::tresult VST3_API setHostContext(vst3::FUnknown* context) override {
    if (context != nullptr) {
      context->addRef();
    }
    if (hostContext != nullptr) {
      hostContext->release();
    }
    hostContext = context;
    return vst3::kResultOk;
  }
  vst3::FUnknown* context() const { return hostContext; }

 private:
  std::atomic<vst3::uint32> references{1};
  vst3::FUnknown* hostContext = nullptr;
};

Factory factory;

// Entry and exit pair up across hosts in one process: only the count matters,
// as nothing needs setting up; an exit without its entry fails.
std::mutex entryLock;
int entries = 0;

bool enter() {
  const std::lock_guard<std::mutex> hold(entryLock);
  ++entries;
  return true;
}

bool leave() {
  const std::lock_guard<std::mutex> hold(entryLock);
  if (entries == 0) {
    return false;
  }
  if (--entries == 0) {
    factory.setHostContext(nullptr);  // the host may go before the module does
  }
  return true;
}

}  // namespace

vst3::FUnknown* factoryHostContext() { return factory.context(); }

extern "C" {

ONDEX_EXPORT vst3::IPluginFactory* GetPluginFactory() {
  factory.addRef();
  return &factory;
}

#if defined(_WIN32)
ONDEX_EXPORT bool InitDll() { return enter(); }
ONDEX_EXPORT bool ExitDll() { return leave(); }
#else
ONDEX_EXPORT bool ModuleEntry(void* /*sharedLibraryHandle*/) { return enter(); }
ONDEX_EXPORT bool ModuleExit() { return leave(); }
#endif
}
