// Load-time entry of the shared object: keeps the module's base address, the
// Linux counterpart of a DLL's instance handle.
#include <dlfcn.h>

#include "../module.h"

namespace {

__attribute__((constructor)) void onModuleLoad() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&onModuleLoad), &info) != 0) {  // NOLINT: address lookup
    platform::setModuleHandle(info.dli_fbase);
  }
}

}  // namespace
