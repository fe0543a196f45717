#include "../pluginmodule.h"

#include <windows.h>

namespace platform {

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path, std::string& error) {
  HMODULE handle = LoadLibraryA(path.c_str());
  if (handle == nullptr) {
    error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(handle));
}

PluginModule::~PluginModule() { FreeLibrary(static_cast<HMODULE>(handle)); }

void* PluginModule::symbol(const char* name) const {
  return reinterpret_cast<void*>(  // NOLINT: exported functions come back untyped
      GetProcAddress(static_cast<HMODULE>(handle), name));
}

}  // namespace platform
