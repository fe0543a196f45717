// The VST 3 view over the effect's editor: opened in attached, closed in
// removed, idled from the host's run loop (Linux: a timer and the X
// connection's descriptor) or the platform's timer (Windows, through the
// host's message loop); no thread of its own.
#include "vst3view.h"

#include <cstring>
#include <new>

#include "platform/idletimer.h"
#include "vst3plugin.h"

namespace {

#if defined(_WIN32)
constexpr const char* kWindowType = vst3::kPlatformTypeHWND;
#else
constexpr const char* kWindowType = vst3::kPlatformTypeX11EmbedWindowID;
#endif
constexpr unsigned kIdlePeriodMs = 40;  // about 25 idle passes a second, as VST 2.4 hosts give

}  // namespace

vst3::IPlugView* Vst3Plugin::createView(vst3::FIDString name) {
  // One editor per effect, so one view at a time.
  if (name == nullptr || std::strcmp(name, "editor") != 0 || effect == nullptr ||
      !effect->hasEditor() || view != nullptr) {
    return nullptr;
  }
  auto* made = new (std::nothrow) Vst3View(this);
  view = made;
  return made;
}

void Vst3Plugin::viewClosed(Vst3View* closed) {
  if (view == closed) {
    view = nullptr;
  }
}

Vst3View::Vst3View(Vst3Plugin* owner) : plugin(owner) { plugin->addRef(); }

Vst3View::~Vst3View() {
  close();
  setFrame(nullptr);
  if (!pluginGone) {
    plugin->viewClosed(this);
  }
  plugin->release();
}

vst3::tresult Vst3View::queryInterface(const vst3::TUID interfaceId, void** obj) {
  if (obj == nullptr) {
    return vst3::kInvalidArgument;
  }
  auto* view = static_cast<vst3::IPlugView*>(this);
  const bool found =
      handOut<vst3::FUnknown>(interfaceId, view, obj) ||
      handOut<vst3::IPlugView>(interfaceId, view, obj) ||
      handOut<vst3::IPlugViewContentScaleSupport>(
          interfaceId, static_cast<vst3::IPlugViewContentScaleSupport*>(this), obj)
#if !defined(_WIN32)
      || handOut<vst3::ITimerHandler>(interfaceId, static_cast<vst3::ITimerHandler*>(this), obj) ||
      handOut<vst3::IEventHandler>(interfaceId, static_cast<vst3::IEventHandler*>(this), obj)
#endif
      ;
  return queryAnswer(found, obj);
}

vst3::tresult Vst3View::isPlatformTypeSupported(vst3::FIDString type) {
  return type != nullptr && std::strcmp(type, kWindowType) == 0 ? vst3::kResultTrue
                                                                : vst3::kResultFalse;
}

vst3::tresult Vst3View::attached(void* parent, vst3::FIDString type) {
  return guarded([&] {
    if (pluginGone || parent == nullptr || isPlatformTypeSupported(type) != vst3::kResultTrue) {
      return vst3::kResultFalse;
    }
    close();  // a host may move the view to another parent
    if (!plugin->effectOf()->openEditor(parent)) {
      return vst3::kResultFalse;
    }
    open = true;
    plugin->viewOpened(this);
    startIdle();
    return vst3::kResultOk;
  });
}

vst3::tresult Vst3View::removed() {
  close();
  return vst3::kResultOk;
}

void Vst3View::close() {
  stopIdle();
  if (open && !pluginGone) {
    plugin->effectOf()->closeEditor();
  }
  open = false;
}

void Vst3View::detachFromPlugin() {
  close();
  pluginGone = true;
}

vst3::tresult Vst3View::getSize(vst3::ViewRect* size) {
  uint32_t width = 0;
  uint32_t height = 0;
  if (size == nullptr || pluginGone || !plugin->effectOf()->editorSize(width, height)) {
    return vst3::kResultFalse;
  }
  *size = vst3::ViewRect{0, 0, static_cast<vst3::int32>(width), static_cast<vst3::int32>(height)};
  return vst3::kResultOk;
}

// The window has taken its size already when its zoom changed.
vst3::tresult Vst3View::onSize(vst3::ViewRect* newSize) {
  return newSize != nullptr ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult Vst3View::checkSizeConstraint(vst3::ViewRect* rect) {
  vst3::ViewRect size{};
  if (rect == nullptr || getSize(&size) != vst3::kResultOk) {
    return vst3::kResultFalse;
  }
  rect->right = rect->left + size.right;
  rect->bottom = rect->top + size.bottom;
  return vst3::kResultOk;
}

vst3::tresult Vst3View::setFrame(vst3::IPlugFrame* given) {
  if (given != nullptr) {
    given->addRef();
  }
  if (frame != nullptr) {
    frame->release();
  }
  frame = given;
  return vst3::kResultOk;
}

// Taken as a desktop's scale: the user's own choice of zoom, when there is
// one, stays.
vst3::tresult Vst3View::setContentScaleFactor(float factor) {
  if (pluginGone) {
    return vst3::kResultFalse;
  }
  plugin->effectOf()->scaleEditor(factor);
  return vst3::kResultOk;
}

bool Vst3View::resizeWanted(int32_t width, int32_t height) {
  if (frame == nullptr || width <= 0 || height <= 0) {
    return false;
  }
  vst3::ViewRect wanted{0, 0, width, height};
  return frame->resizeView(this, &wanted) == vst3::kResultOk;
}

void Vst3View::idle() {
  if (open && !pluginGone) {
    plugin->effectOf()->idleEditor();
    plugin->tellNews();
  }
}

#if defined(_WIN32)

void Vst3View::startIdle() {
  if (timer == nullptr) {
    timer = platform::startIdleTimer(
        kIdlePeriodMs, [](void* view) { static_cast<Vst3View*>(view)->idle(); }, this);
  }
}

void Vst3View::stopIdle() {
  platform::stopIdleTimer(timer);
  timer = nullptr;
}

#else

// The run loop comes from the frame; the X connection's descriptor brings
// input at once, the timer the redraws between.
void Vst3View::startIdle() {
  if (runLoop == nullptr && frame != nullptr) {
    void* found = nullptr;
    if (frame->queryInterface(vst3::IRunLoop::iid.bytes, &found) == vst3::kResultOk) {
      runLoop = static_cast<vst3::IRunLoop*>(found);
    }
  }
  if (runLoop == nullptr) {
    return;
  }
  timerOn = runLoop->registerTimer(this, kIdlePeriodMs) == vst3::kResultOk;
  const int fd = plugin->effectOf()->editorEventSource();
  handlerOn = fd >= 0 && runLoop->registerEventHandler(this, fd) == vst3::kResultOk;
}

void Vst3View::stopIdle() {
  if (runLoop == nullptr) {
    return;
  }
  if (handlerOn) {
    runLoop->unregisterEventHandler(this);
  }
  if (timerOn) {
    runLoop->unregisterTimer(this);
  }
  handlerOn = timerOn = false;
  runLoop->release();
  runLoop = nullptr;
}

#endif
