// Load-time entry of the DLL: keeps the module handle for the resources.
#include <windows.h>

#include "../module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    platform::setModuleHandle(instance);
  }
  return TRUE;
}
