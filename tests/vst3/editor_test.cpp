// The VST 3 editor as hosts embed it: sized before it is attached, in a real
// window (X11 under a virtual display, Win32 under Wine), idled through the
// host's run loop on Linux, its gestures told to the host as edits and its
// program changes as a re-read of the values, a controller learned from its
// panel behind a mapping the host never has to re-read, zoomed by the host's
// content scale, and gone without a trace when removed.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "keptmodule.h"
#include "vst3frame.h"
#include "vst3instance.h"
#include "vst3runloop.h"
#include "windowtesthost.h"

using namespace vst3;

namespace {

constexpr int32 kWidth = 870;
constexpr int32 kHeight = 101;
constexpr ParamID kMix = 2;
constexpr ParamID kHiCut = 7;
constexpr size_t kProgramIndexAt = 12;
// Inside the HiCut switch of the editor.
constexpr int kHiCutX = 258;
constexpr int kHiCutY = 57;
// The panel's LEARN button.
constexpr int kLearnX = 796;
constexpr int kLearnY = 91;
// On the right half of the program rocker: the next program.
constexpr int kNextProgramX = 362;
constexpr int kNextProgramY = 92;

#if defined(_WIN32)
constexpr const char* kOurs = kPlatformTypeHWND;
constexpr const char* kTheirs = kPlatformTypeX11EmbedWindowID;
#else
constexpr const char* kOurs = kPlatformTypeX11EmbedWindowID;
constexpr const char* kTheirs = kPlatformTypeHWND;
#endif

// The host's idle: the window system's messages, then the run loop's turn.
template <typename Done>
bool idleUntil(TestHost& window, Vst3RunLoop& loop, Done done) {
  for (int i = 0; i < 500 && !done(); ++i) {
    settle(window);
    loop.runOnce();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return done();
}

ViewRect sizeOf(IPlugView& view) {
  ViewRect rect{};
  EXPECT_EQ(view.getSize(&rect), kResultOk);
  return rect;
}

}  // namespace

TEST(Vst3Editor, EmbedsInTheHostWindowTellsEveryGestureZoomsAndLeavesNothingBehind) {
  Vst3Instance plugin(keptVst3Module());
  ASSERT_TRUE(plugin.activate(44100.0, 64));
  EXPECT_EQ(plugin.controller().createView("inspector"), nullptr);
  IPlugView* view = plugin.controller().createView("editor");
  ASSERT_NE(view, nullptr);
  ViewRect rect = sizeOf(*view);  // asked before attaching, as hosts do
  EXPECT_EQ(rect.right - rect.left, kWidth);
  EXPECT_EQ(rect.bottom - rect.top, kHeight);
  EXPECT_EQ(view->isPlatformTypeSupported(kOurs), kResultTrue);
  EXPECT_NE(view->isPlatformTypeSupported(kTheirs), kResultTrue);
  EXPECT_NE(view->canResize(), kResultTrue);

  auto window = TestHost::open(2 * kWidth, 2 * kHeight);
  ASSERT_NE(window, nullptr) << "no display (run under xvfb-run)";
  Vst3RunLoop& loop = plugin.context.loop;
  const size_t timersBefore = loop.timers.size();
  Vst3PlugFrame frame(loop);
  ASSERT_EQ(view->setFrame(frame.face()), kResultOk);
  ASSERT_EQ(view->attached(window->parent(), kOurs), kResultOk);
#if !defined(_WIN32)
  EXPECT_EQ(loop.handlers.size(), 1U);  // the X connection, served by the host's loop
  EXPECT_GT(loop.timers.size(), timersBefore);
#endif
  idleUntil(*window, loop, [n = 0]() mutable { return ++n > 50; });  // the window comes up

  SCOPED_TRACE("a click on HiCut: begin, perform, end; the processor takes it in its next call");
  const double before = plugin.paramValue(kHiCut);
  click(*window, kHiCutX, kHiCutY);
  ASSERT_TRUE(idleUntil(*window, loop, [&] { return plugin.handler.edits.size() >= 3; }));
  ASSERT_EQ(plugin.handler.edits.size(), 3U);
  EXPECT_EQ(plugin.handler.edits[0].kind, Vst3Edit::kBegin);
  EXPECT_EQ(plugin.handler.edits[1].kind, Vst3Edit::kPerform);
  EXPECT_EQ(plugin.handler.edits[2].kind, Vst3Edit::kEnd);
  for (const Vst3Edit& edit : plugin.handler.edits) EXPECT_EQ(edit.id, kHiCut);
  EXPECT_NE(plugin.handler.edits[1].value, before);
  EXPECT_EQ(plugin.handler.edits[1].value, plugin.paramValue(kHiCut));
  ASSERT_EQ(plugin.flush({}), kResultOk);
  Vst3Instance reloaded(keptVst3Module());
  ASSERT_TRUE(reloaded.loadState(plugin.saveState()));
  EXPECT_EQ(reloaded.paramValue(kHiCut), plugin.paramValue(kHiCut));

  SCOPED_TRACE("the next program from the editor: the host re-reads, nothing is recorded");
  plugin.handler.edits.clear();
  plugin.handler.restarts.clear();
  click(*window, kNextProgramX, kNextProgramY);
  ASSERT_TRUE(idleUntil(*window, loop, [&] { return !plugin.handler.restarts.empty(); }));
  EXPECT_NE(plugin.handler.restarts[0] & kParamValuesChanged, 0);
  for (const Vst3Edit& edit : plugin.handler.edits) EXPECT_GT(edit.id, 17U) << "recorded";
  ASSERT_EQ(plugin.flush({}), kResultOk);
  EXPECT_EQ(plugin.saveState()[kProgramIndexAt], 1);  // the processor plays it too

  SCOPED_TRACE(
      "learned from the panel: controller 1 takes Mix; the host's mapping stays as it was");
  const ParamID controller1 = *plugin.assignment(0, 1);
  click(*window, kLearnX, kLearnY);
  idleUntil(*window, loop, [n = 0]() mutable { return ++n > 50; });
  plugin.setFromHost(kMix, 0.3);  // the touch that makes Mix the target
  ASSERT_TRUE(plugin.startProcessing());
  std::vector<float> quiet(64);
  float* io[2] = {quiet.data(), quiet.data()};
  for (const double value : {100.0 / 127.0, 20.0 / 127.0}) {
    plugin.sent.clear();
    ASSERT_EQ(plugin.process(io, 2, io, 64, {{controller1, 5, value}}, {}, nullptr), kResultOk);
    EXPECT_FLOAT_EQ(static_cast<float>(plugin.paramValue(kMix)), static_cast<float>(value));
    EXPECT_EQ(*plugin.assignment(0, 1), controller1);
  }
  plugin.stopProcessing();

  SCOPED_TRACE("zoomed by the host's content scale: the view asks for its size and gets it");
  void* face = nullptr;
  ASSERT_EQ(view->queryInterface(IPlugViewContentScaleSupport::iid.bytes, &face), kResultOk);
  auto* scale = static_cast<IPlugViewContentScaleSupport*>(face);
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), kResultOk);
  ASSERT_FALSE(frame.resizeRequests.empty());
  EXPECT_EQ(frame.resizeRequests.back(), std::make_pair(2 * kWidth, 2 * kHeight));
  rect = sizeOf(*view);
  EXPECT_EQ(rect.right - rect.left, 2 * kWidth);
  EXPECT_EQ(rect.bottom - rect.top, 2 * kHeight);
  idleUntil(*window, loop, [n = 0]() mutable { return ++n > 50; });
  EXPECT_EQ(scale->setContentScaleFactor(1.0f), kResultOk);
  EXPECT_EQ(frame.resizeRequests.back(), std::make_pair(kWidth, kHeight));
  scale->release();

  SCOPED_TRACE("removed: every handler and timer given back, the window gone, then released");
  ASSERT_EQ(view->setFrame(nullptr), kResultOk);
  ASSERT_EQ(view->removed(), kResultOk);
  EXPECT_TRUE(loop.handlers.empty());
  EXPECT_EQ(loop.timers.size(), timersBefore);
#if !defined(_WIN32)
  window->sync();
  EXPECT_EQ(window->childWindows(), 0);
#endif
  EXPECT_EQ(view->release(), 0U);
  EXPECT_EQ(frame.references(), 1);
}

// A change only the processor heard (automation, no editor open) that moves
// what the host shows: the host is told to re-read on its UI thread, from its
// own idle (the run loop on Linux, the window system's timers on Windows).
TEST(Vst3Editor, WithoutAnEditorTheHostStillHearsWhatABlockLeftToReRead) {
  constexpr ParamID kDlyx2 = 4;
  Vst3Instance plugin(keptVst3Module());
  auto window = TestHost::open(kWidth, kHeight);  // the host's own window, for its messages
  ASSERT_NE(window, nullptr) << "no display (run under xvfb-run)";
  ASSERT_TRUE(plugin.activate(44100.0, 64));
  ASSERT_TRUE(plugin.startProcessing());
  std::vector<float> quiet(64);
  float* io[2] = {quiet.data(), quiet.data()};
  plugin.handler.restarts.clear();
  ASSERT_EQ(plugin.process(io, 2, io, 64, {{kDlyx2, 0, 1.0}}, {}, nullptr), kResultOk);
  EXPECT_TRUE(
      idleUntil(*window, plugin.context.loop, [&] { return !plugin.handler.restarts.empty(); }));
  EXPECT_NE(plugin.handler.restarts.back() & kParamValuesChanged, 0);
  plugin.close();
  EXPECT_TRUE(plugin.context.loop.timers.empty());  // its timer given back
}
