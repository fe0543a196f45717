// The editor under CLAP: the same window the VST 2.4 build opens, embedded in
// the host's parent, idled from the host's timer (and on Linux as soon as the
// X connection has events), all on the main thread.
#include <cstring>

#include "clapadapter.h"
#include "clapguitables.h"
#include "platform/idletimer.h"

namespace {

#if defined(_WIN32)
constexpr const char* kWindowApi = CLAP_WINDOW_API_WIN32;
#else
constexpr const char* kWindowApi = CLAP_WINDOW_API_X11;
#endif
constexpr uint32_t kIdlePeriodMs = 40;  // about 25 idle passes a second, as VST 2.4 hosts give

ClapAdapter* adapterOf(const clap_plugin_t* p) { return ClapAdapter::of(p); }

bool ourApi(const char* api, bool floating) {
  return api != nullptr && std::strcmp(api, kWindowApi) == 0 && !floating;
}

bool guiSupported(const clap_plugin_t* /*p*/, const char* api, bool floating) {
  return ourApi(api, floating);
}
bool guiPreferred(const clap_plugin_t* /*p*/, const char** api, bool* floating) {
  if (api == nullptr || floating == nullptr) {
    return false;
  }
  *api = kWindowApi;
  *floating = false;
  return true;
}
bool guiCreate(const clap_plugin_t* p, const char* api, bool floating) {
  return ourApi(api, floating) && adapterOf(p)->guiCreate();
}
void guiDestroy(const clap_plugin_t* p) { adapterOf(p)->guiDestroy(); }
bool guiSetScale(const clap_plugin_t* /*p*/, double /*scale*/) { return false; }
bool guiGetSize(const clap_plugin_t* p, uint32_t* width, uint32_t* height) {
  return width != nullptr && height != nullptr && adapterOf(p)->guiSize(*width, *height);
}
bool guiCanResize(const clap_plugin_t* /*p*/) { return false; }
bool guiResizeHints(const clap_plugin_t* /*p*/, clap_gui_resize_hints_t* hints) {
  if (hints == nullptr) {
    return false;
  }
  *hints = clap_gui_resize_hints_t{};  // a fixed panel: no resizing by the host
  return true;
}
bool guiAdjustSize(const clap_plugin_t* p, uint32_t* width, uint32_t* height) {
  return width != nullptr && height != nullptr && adapterOf(p)->guiSize(*width, *height);
}
bool guiSetSize(const clap_plugin_t* p, uint32_t width, uint32_t height) {
  uint32_t w = 0;
  uint32_t h = 0;
  return adapterOf(p)->guiSize(w, h) && w == width && h == height;
}
bool guiSetParent(const clap_plugin_t* p, const clap_window_t* window) {
  return window != nullptr && ourApi(window->api, false) && adapterOf(p)->guiSetParent(*window);
}
bool guiSetTransient(const clap_plugin_t* /*p*/, const clap_window_t* /*window*/) { return false; }
void guiSuggestTitle(const clap_plugin_t* /*p*/, const char* /*title*/) {}
// A hidden editor paints nothing, so its idle timer rests until it shows again.
bool guiShow(const clap_plugin_t* p) {
  adapterOf(p)->startIdle();
  return true;
}
bool guiHide(const clap_plugin_t* p) {
  adapterOf(p)->stopIdle();
  return true;
}

void onTimer(const clap_plugin_t* p, clap_id /*timer*/) { adapterOf(p)->guiIdle(); }
void onFd(const clap_plugin_t* p, int /*fd*/, uint32_t /*flags*/) { adapterOf(p)->guiIdle(); }

void onOwnTimer(void* adapter) { static_cast<ClapAdapter*>(adapter)->guiIdle(); }

}  // namespace

const clap_plugin_gui_t kClapGui = {guiSupported,    guiPreferred, guiCreate,    guiDestroy,
                                    guiSetScale,     guiGetSize,   guiCanResize, guiResizeHints,
                                    guiAdjustSize,   guiSetSize,   guiSetParent, guiSetTransient,
                                    guiSuggestTitle, guiShow,      guiHide};
const clap_plugin_timer_support_t kClapTimerSupport = {onTimer};
const clap_plugin_posix_fd_support_t kClapPosixFdSupport = {onFd};

bool ClapAdapter::guiCreate() {
  // The editor object lives with the effect; its window waits for a parent.
  if (effect == nullptr || !effect->hasEditor()) {
    return false;
  }
  guiCreated = true;
  return true;
}

bool ClapAdapter::guiSize(uint32_t& width, uint32_t& height) {
  return effect->editorSize(width, height);
}

bool ClapAdapter::guiSetParent(const clap_window_t& window) {
  if (!guiCreated) {
    return false;
  }
  closeEditor();  // a host may move the editor to another parent
#if defined(_WIN32)
  void* parent = window.win32;
#else
  void* parent =
      reinterpret_cast<void*>(window.x11);  // NOLINT: an XID passed as a pointer, as VST 2.4 does
#endif
  if (!effect->openEditor(parent)) {
    return false;
  }
  guiOpen = true;
  startIdle();
  const int fd = effect->editorEventSource();
  if (fd >= 0 && hostFds != nullptr && hostFds->register_fd(host, fd, CLAP_POSIX_FD_READ)) {
    eventFd = fd;
  }
  return true;
}

// The editor's events and idle pass; what they changed is told before returning.
void ClapAdapter::guiIdle() {
  if (guiOpen) {
    effect->idleEditor();
  }
  tellMainThreadNews();
}

void ClapAdapter::guiDestroy() {
  closeEditor();
  guiCreated = false;
}

// The host's timer drives the idle pass, else one of our own where the platform has one.
void ClapAdapter::startIdle() {
  if (!guiOpen || timerId != CLAP_INVALID_ID || fallbackTimer != nullptr) {
    return;
  }
  if (hostTimers == nullptr || !hostTimers->register_timer(host, kIdlePeriodMs, &timerId)) {
    timerId = CLAP_INVALID_ID;
    fallbackTimer = platform::startIdleTimer(kIdlePeriodMs, onOwnTimer, this);
  }
}

void ClapAdapter::stopIdle() {
  if (timerId != CLAP_INVALID_ID && hostTimers != nullptr) {
    hostTimers->unregister_timer(host, timerId);
  }
  timerId = CLAP_INVALID_ID;
  platform::stopIdleTimer(fallbackTimer);
  fallbackTimer = nullptr;
}

void ClapAdapter::closeEditor() {
  if (eventFd >= 0 && hostFds != nullptr) {
    hostFds->unregister_fd(host, eventFd);
  }
  eventFd = -1;
  stopIdle();
  if (guiOpen && effect != nullptr) {
    effect->closeEditor();
  }
  guiOpen = false;
}
