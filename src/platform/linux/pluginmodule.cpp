#include "../pluginmodule.h"

#include <dlfcn.h>

namespace platform {

namespace {

// Under the leak checker a module stays loaded when it is closed: the system
// libraries it brings with it (pixman, fontconfig) keep one-time allocations
// for the life of the process, which unloading them would report as leaks.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ONDEX_KEEP_MODULES_LOADED
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(ONDEX_KEEP_MODULES_LOADED)
constexpr int kLoadFlags = RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE;
#else
constexpr int kLoadFlags = RTLD_NOW | RTLD_LOCAL;
#endif

}  // namespace

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path, std::string& error) {
  void* handle = dlopen(path.c_str(), kLoadFlags);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "cannot load " + path;
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(handle));
}

PluginModule::~PluginModule() { dlclose(handle); }

void* PluginModule::symbol(const char* name) const { return dlsym(handle, name); }

}  // namespace platform
