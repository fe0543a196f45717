// The toolkit's platform services on Windows besides text: the module's
// RT_BITMAP resources (found through the module handle kept at load time; a
// program that is not a plug-in finds its own) and GetTickCount.
#include "gui/guiplatform.h"

#include <windows.h>

#include "gui/zoomscale.h"
#include "platform/module.h"

namespace platform {

ResourceBytes findModuleBitmap(int32_t id) {
  auto module = static_cast<HMODULE>(moduleHandle());
  if (module == nullptr) {
    module = GetModuleHandleW(nullptr);
  }
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (found == nullptr) {
    // The scaled sets are packed, so Windows keeps them as raw data.
    found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  }
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

int desktopZoom(void* parent) {
  // GetDpiForWindow is Windows 10's; older systems answer for the whole screen.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(  // NOLINT: the system's type
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT dpi = 0;
  if (parent != nullptr && dpiForWindow != nullptr) {
    dpi = dpiForWindow(static_cast<HWND>(parent));
  }
  if (dpi == 0) {
    HDC screen = GetDC(nullptr);
    dpi = UINT(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
  }
  return zoomForDpi(dpi > 0 ? int(dpi) : 96);
}

uint32_t tickCount() { return uint32_t(GetTickCount()); }

}  // namespace platform
