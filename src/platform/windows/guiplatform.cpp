// The toolkit's platform services on Windows besides text: the module's
// RT_BITMAP resources (found through the module handle kept at load time; a
// program that is not a plug-in finds its own) and GetTickCount.
#include "gui/guiplatform.h"

#include <windows.h>

#include "platform/module.h"

namespace platform {

ResourceBytes findModuleBitmap(int32_t id) {
  auto module = static_cast<HMODULE>(moduleHandle());
  if (module == nullptr) {
    module = GetModuleHandleW(nullptr);
  }
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (found == nullptr) {
    return {};
  }
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  if (loaded == nullptr || size == 0) {
    return {};
  }
  return {static_cast<const uint8_t*>(LockResource(loaded)), size_t(size)};
}

uint32_t tickCount() { return uint32_t(GetTickCount()); }

}  // namespace platform
