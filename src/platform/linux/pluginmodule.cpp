#include "../pluginmodule.h"

#include <dlfcn.h>

namespace platform {

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path, std::string& error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
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
