// A thread timer on the GUI thread: the host's message loop runs its callback.
#include "../idletimer.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

struct Running {
  UINT_PTR id;
  IdleCallback callback;
  void* context;
};

// GUI thread only, as every timer of the thread is.
std::vector<Running*>& running() {
  static std::vector<Running*> all;
  return all;
}

void CALLBACK onTimer(HWND /*window*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  for (Running* timer : running()) {
    if (timer->id == id) {
      timer->callback(timer->context);
      return;
    }
  }
}

}  // namespace

void* startIdleTimer(unsigned milliseconds, IdleCallback callback, void* context) {
  const UINT_PTR id = SetTimer(nullptr, 0, milliseconds, onTimer);
  if (id == 0) {
    return nullptr;
  }
  auto* timer = new Running{id, callback, context};
  running().push_back(timer);
  return timer;
}

void stopIdleTimer(void* handle) {
  auto* timer = static_cast<Running*>(handle);
  if (timer == nullptr) {
    return;
  }
  KillTimer(nullptr, timer->id);
  std::erase(running(), timer);
  delete timer;
}

}  // namespace platform
