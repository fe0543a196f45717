// Loading a VST 2.4 module the way a host does: dlopen or LoadLibrary.
#pragma once

#include <memory>
#include <string>

namespace platform {

class PluginModule {
 public:
  // The loaded module, or null with a reason in error.
  static std::unique_ptr<PluginModule> load(const std::string& path, std::string& error);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Address of an exported name, or null.
  void* symbol(const char* name) const;
  // The system's handle (HMODULE on Windows), e.g. to reach the module's resources.
  void* nativeHandle() const { return handle; }

 private:
  explicit PluginModule(void* handle) : handle(handle) {}
  void* handle;
};

}  // namespace platform
