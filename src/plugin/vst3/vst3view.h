// The editor as a VST 3 view: the same window the other formats open,
// embedded in the host's parent (an X11 window or an HWND), idled on the UI
// thread by the host's run loop (Linux) or the platform's timer (Windows),
// zoomed by the host's scale or the editor's own menu.
#pragma once

#include <atomic>

#include "host/vst3.h"
#include "vst3unknown.h"

class Vst3Plugin;

class Vst3View final : public Vst3Counted<Vst3View>,
                       public vst3::IPlugView,
                       public vst3::IPlugViewContentScaleSupport
#if !defined(_WIN32)
    ,
                       public vst3::ITimerHandler,
                       public vst3::IEventHandler
#endif
{
 public:
  // Holds a reference to the plug-in for its whole life. Count 1.
  explicit Vst3View(Vst3Plugin* owner);

  vst3::tresult VST3_API queryInterface(const vst3::TUID interfaceId, void** obj) override;
  vst3::uint32 VST3_API addRef() override { return addReference(); }
  vst3::uint32 VST3_API release() override { return dropReference(); }

  vst3::tresult VST3_API isPlatformTypeSupported(vst3::FIDString type) override;
  vst3::tresult VST3_API attached(void* parent, vst3::FIDString type) override;
  vst3::tresult VST3_API removed() override;
  vst3::tresult VST3_API onWheel(float /*distance*/) override { return vst3::kResultFalse; }
  // The window takes its keys from the system itself.
  vst3::tresult VST3_API onKeyDown(vst3::char16 /*key*/, vst3::int16 /*keyCode*/,
                                   vst3::int16 /*modifiers*/) override {
    return vst3::kResultFalse;
  }
  vst3::tresult VST3_API onKeyUp(vst3::char16 /*key*/, vst3::int16 /*keyCode*/,
                                 vst3::int16 /*modifiers*/) override {
    return vst3::kResultFalse;
  }
  vst3::tresult VST3_API getSize(vst3::ViewRect* size) override;
  vst3::tresult VST3_API onSize(vst3::ViewRect* newSize) override;
  vst3::tresult VST3_API onFocus(vst3::TBool /*state*/) override { return vst3::kResultOk; }
  vst3::tresult VST3_API setFrame(vst3::IPlugFrame* frame) override;
  // A fixed panel: only its zoom changes its size.
  vst3::tresult VST3_API canResize() override { return vst3::kResultFalse; }
  vst3::tresult VST3_API checkSizeConstraint(vst3::ViewRect* rect) override;
  vst3::tresult VST3_API setContentScaleFactor(float factor) override;

#if !defined(_WIN32)
  void VST3_API onTimer() override { idle(); }
  void VST3_API onFDIsSet(int /*fd*/) override { idle(); }
#endif

  // The editor asks for a new size (its zoom changed): true when the host took it.
  bool resizeWanted(int32_t width, int32_t height);
  // The plug-in is terminated under the view: the window goes with it.
  void detachFromPlugin();
  // One idle pass of the editor, then the host hears what it changed.
  void idle();

 private:
  friend class Vst3Counted<Vst3View>;
  ~Vst3View();
  void startIdle();
  void stopIdle();
  void close();

  Vst3Plugin* plugin;
  bool pluginGone = false;
  vst3::IPlugFrame* frame = nullptr;
  bool open = false;
#if defined(_WIN32)
  void* timer = nullptr;
#else
  vst3::IRunLoop* runLoop = nullptr;
  bool timerOn = false;
  bool handlerOn = false;
#endif
};
