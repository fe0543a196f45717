// The frame: ownership and reference counts, drawing order, dirty tracking and
// redraw at idle, view lookup, pointer position, mouse routing with modal
// views, entered/exited, double clicks, wheel and keys.
#include <gtest/gtest.h>

#include <memory>

#include "gui/cdrawcontext.h"
#include "gui/guiwindow.h"
#include "gui/toolkit.h"
#include "guitest.h"

using guitest::down;
using guitest::moved;
using guitest::ProbeView;
using guitest::up;

namespace {

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    liveBefore = CBaseObject::liveObjects();
    frame = new CFrame(CRect(0, 0, 100, 50), &editor);
  }
  void TearDown() override {
    if (frame != nullptr) {
      frame->close();
    }
    EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
  }
  ProbeView* probe(const CRect& r, const char* name) {
    auto* view = new ProbeView(r, &log, name);
    frame->addView(view);
    return view;
  }
  int32_t liveBefore = 0;
  guitest::EditRecorder editor;
  CFrame* frame = nullptr;
  std::vector<std::string> log;
};

uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return 0xFF000000u | r << 16 | g << 8 | b; }

}  // namespace

TEST(BaseObject, RememberAndForgetCountReferences) {
  const int32_t before = CBaseObject::liveObjects();
  bool destroyed = false;
  auto* view = new ProbeView(CRect(0, 0, 1, 1));
  view->destroyed = &destroyed;
  EXPECT_EQ(view->getNbReference(), 1);
  view->remember();
  EXPECT_EQ(view->getNbReference(), 2);
  view->forget();
  EXPECT_FALSE(destroyed);
  view->forget();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(CBaseObject::liveObjects(), before);
}

TEST_F(FrameTest, ClosingReleasesEveryViewAndTheirBitmaps) {
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  CBitmap* bitmap = guitest::stackedBitmap(
      6001, 10, 10, 2, [](int) { return rgb(1, 2, 3); }, keep);
  bool destroyedA = false, destroyedB = false;
  auto* a = probe(CRect(0, 0, 10, 10), "a");
  a->destroyed = &destroyedA;
  a->setBackground(bitmap);
  auto* knob = new CAnimKnob(CRect(10, 0, 20, 10), nullptr, 1, bitmap);
  frame->addView(knob);
  auto* b = new ProbeView(CRect(0, 0, 100, 50));
  b->destroyed = &destroyedB;
  ASSERT_TRUE(frame->setModalView(b));
  EXPECT_EQ(bitmap->getNbReference(), 3);
  bitmap->forget();  // the creator's hold; the views keep theirs
  EXPECT_EQ(frame->getNbViews(), 2);
  frame->close();
  frame = nullptr;
  EXPECT_TRUE(destroyedA);
  EXPECT_TRUE(destroyedB);
}

TEST_F(FrameTest, AddRemoveAndOwnership) {
  auto* a = probe(CRect(0, 0, 10, 10), "a");
  EXPECT_EQ(a->getFrame(), frame);
  EXPECT_TRUE(frame->isChild(a));
  EXPECT_FALSE(frame->addView(a));  // already in it
  a->remember();
  EXPECT_TRUE(frame->removeView(a));
  EXPECT_EQ(a->getNbReference(), 1);
  EXPECT_EQ(a->getFrame(), nullptr);
  EXPECT_FALSE(frame->removeView(a));
  a->forget();
  EXPECT_EQ(frame->getNbViews(), 0);
}

TEST_F(FrameTest, ViewsDrawInCreationOrderOverTheBackground) {
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  CBitmap* back = guitest::stackedBitmap(
      6002, 100, 50, 1, [](int) { return rgb(0, 0, 200); }, keep);
  CBitmap* red = guitest::stackedBitmap(
      6003, 20, 20, 1, [](int) { return rgb(200, 0, 0); }, keep);
  CBitmap* green = guitest::stackedBitmap(
      6004, 20, 20, 1, [](int) { return rgb(0, 200, 0); }, keep);
  frame->setBackground(back);
  auto* first = probe(CRect(0, 0, 20, 20), "first");
  first->setBackground(red);
  auto* second = probe(CRect(10, 10, 30, 30), "second");
  second->setBackground(green);
  back->forget();
  red->forget();
  green->forget();
  EXPECT_TRUE(frame->idle());
  EXPECT_EQ(frame->getPixel(5, 5), rgb(200, 0, 0));
  EXPECT_EQ(frame->getPixel(15, 15), rgb(0, 200, 0));  // the later view over the earlier
  EXPECT_EQ(frame->getPixel(50, 40), rgb(0, 0, 200));
  EXPECT_FALSE(frame->idle());  // nothing dirty any more
}

TEST_F(FrameTest, IdleRedrawsOnlyDirtyViews) {
  auto* a = probe(CRect(0, 0, 10, 10), "a");
  auto* b = probe(CRect(50, 0, 60, 10), "b");
  frame->idle();
  EXPECT_EQ(a->draws, 1);
  EXPECT_EQ(b->draws, 1);
  EXPECT_FALSE(frame->idle());
  a->invalid();
  EXPECT_TRUE(a->isDirty());
  EXPECT_TRUE(frame->idle());
  EXPECT_EQ(a->draws, 2);
  EXPECT_EQ(b->draws, 1);
  EXPECT_FALSE(a->isDirty());
  a->setDirty(true);  // dirty without invalid(): found at idle as well
  frame->idle();
  EXPECT_EQ(a->draws, 3);
  frame->setDirty(true);  // the whole frame
  frame->idle();
  EXPECT_EQ(a->draws, 4);
  EXPECT_EQ(b->draws, 2);
}

TEST_F(FrameTest, AControlWhoseValueChangedIsRedrawnAtIdle) {
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  CBitmap* bitmap = guitest::stackedBitmap(
      6005, 10, 10, 2, [](int k) { return k == 0 ? rgb(0, 0, 0) : rgb(255, 255, 255); }, keep);
  auto* movie = new CMovieBitmap(CRect(0, 0, 10, 10), nullptr, 1, 2, 10, bitmap);
  bitmap->forget();
  frame->addView(movie);
  frame->idle();
  EXPECT_EQ(frame->getPixel(5, 5), rgb(0, 0, 0));
  movie->setValue(1.0f);  // as the editor's parameter update does, from any thread
  EXPECT_TRUE(movie->isDirty());
  EXPECT_TRUE(frame->idle());
  EXPECT_EQ(frame->getPixel(5, 5), rgb(255, 255, 255));
  EXPECT_FALSE(frame->idle());
}

TEST_F(FrameTest, GetViewAtFindsTheTopmostViewAtTopLevel) {
  auto* a = probe(CRect(0, 0, 20, 20), "a");
  auto* b = probe(CRect(10, 10, 30, 30), "b");
  EXPECT_EQ(frame->getViewAt(CPoint(5, 5)), a);
  EXPECT_EQ(frame->getViewAt(CPoint(15, 15)), b);
  EXPECT_EQ(frame->getViewAt(CPoint(29, 29)), b);
  EXPECT_EQ(frame->getViewAt(CPoint(30, 30)), nullptr);  // right and bottom edges outside
  EXPECT_EQ(frame->getViewAt(CPoint(90, 40)), nullptr);
  b->setMouseEnabled(false);  // lookup is by rectangle, mouse or not
  EXPECT_EQ(frame->getViewAt(CPoint(15, 15)), b);
}

TEST_F(FrameTest, PointerPositionFollowsTheMouseAndCanBeNone) {
  CPoint where;
  EXPECT_FALSE(frame->getCurrentMouseLocation(where));
  moved(*frame, 12, 34, 0);
  ASSERT_TRUE(frame->getCurrentMouseLocation(where));
  EXPECT_EQ(where, CPoint(12, 34));
  down(*frame, 40, 5);
  frame->getCurrentMouseLocation(where);
  EXPECT_EQ(where, CPoint(40, 5));
  CPoint outside(-1, 20);
  frame->onMouseExited(outside, 0);
  EXPECT_FALSE(frame->getCurrentMouseLocation(where));
  CPoint back(3, 3);
  frame->onMouseEntered(back, 0);
  ASSERT_TRUE(frame->getCurrentMouseLocation(where));
  EXPECT_EQ(where, CPoint(3, 3));
}

TEST_F(FrameTest, PressCapturesMovesAndReleaseForTheView) {
  auto* a = probe(CRect(0, 0, 20, 20), "a");
  probe(CRect(30, 0, 50, 20), "b");
  EXPECT_EQ(down(*frame, 5, 5), kMouseEventHandled);
  log.clear();
  moved(*frame, 40, 10);  // over b, but a holds the mouse
  up(*frame, 40, 10);
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "a:moved");
  EXPECT_EQ(log[1], "a:up");
  EXPECT_EQ(a->lastWhere, CPoint(40, 10));
  EXPECT_GT(editor.idleStuff, 0);  // a drag keeps the host's idle going
}

TEST_F(FrameTest, AViewThatNeedsNoMoreEventsGetsNoneAndADeclinedPressFallsThrough) {
  auto* below = probe(CRect(0, 0, 20, 20), "below");
  auto* above = probe(CRect(0, 0, 20, 20), "above");
  above->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  EXPECT_EQ(down(*frame, 5, 5), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  log.clear();
  up(*frame, 5, 5);
  EXPECT_EQ(std::count(log.begin(), log.end(), "above:up"), 0);
  above->downResult = kMouseEventNotHandled;
  log.clear();
  EXPECT_EQ(down(*frame, 5, 5, kRButton), kMouseEventHandled);
  EXPECT_EQ(log, (std::vector<std::string>{"above:down", "below:down"}));
  EXPECT_EQ(below->lastButtons, CButtonState(kRButton));
  below->downResult = kMouseEventNotHandled;
  EXPECT_EQ(down(*frame, 5, 5), kMouseEventNotHandled);
  EXPECT_EQ(down(*frame, 90, 45), kMouseEventNotHandled);  // nothing there
}

TEST_F(FrameTest, DoubleClicksReachTheViewFlaggedInTheButtonState) {
  auto* a = probe(CRect(0, 0, 20, 20), "a");
  down(*frame, 5, 5, kLButton | kDoubleClick);
  EXPECT_TRUE(a->lastButtons.isDoubleClick());
  EXPECT_TRUE(a->lastButtons.isLeftButton());
  up(*frame, 5, 5);
  down(*frame, 5, 5, kLButton);
  EXPECT_FALSE(a->lastButtons.isDoubleClick());
}

TEST_F(FrameTest, EnteredAndExitedFollowThePointer) {
  probe(CRect(0, 0, 20, 20), "a");
  probe(CRect(30, 0, 50, 20), "b");
  moved(*frame, 5, 5, 0);
  moved(*frame, 6, 6, 0);
  moved(*frame, 35, 5, 0);
  moved(*frame, 70, 5, 0);
  CPoint gone(200, 5);
  moved(*frame, 10, 10, 0);
  frame->onMouseExited(gone, 0);
  EXPECT_EQ(log,
            (std::vector<std::string>{"a:entered", "a:moved", "a:moved", "a:exited", "b:entered",
                                      "b:moved", "b:exited", "a:entered", "a:moved", "a:exited"}));
}

TEST_F(FrameTest, AModalViewReceivesEveryMouseEvent) {
  probe(CRect(0, 0, 20, 20), "a");
  auto* modal = new ProbeView(CRect(40, 0, 100, 50), &log, "modal");
  ASSERT_TRUE(frame->setModalView(modal));
  EXPECT_EQ(modal->getFrame(), frame);
  auto* second = new ProbeView(CRect(0, 0, 1, 1));
  EXPECT_FALSE(frame->setModalView(second));  // one at a time
  second->forget();
  log.clear();
  down(*frame, 5, 5);  // over a, outside the modal view
  up(*frame, 5, 5);
  EXPECT_TRUE(guitest::wheel(*frame, 5, 5, 1.0f));
  EXPECT_EQ(log, (std::vector<std::string>{"modal:down", "modal:up", "modal:wheel"}));
  EXPECT_EQ(frame->getViewAt(CPoint(50, 10)), modal);
  EXPECT_NE(frame->getViewAt(CPoint(5, 5)), modal);
  // Removing it hands the reference back.
  modal->remember();
  EXPECT_TRUE(frame->setModalView(nullptr));
  EXPECT_EQ(modal->getNbReference(), 2);
  modal->forget();
  modal->forget();
  log.clear();
  down(*frame, 5, 5);
  EXPECT_EQ(log, (std::vector<std::string>{"a:down"}));
}

TEST_F(FrameTest, AModalViewDrawsOverEverything) {
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  CBitmap* red = guitest::stackedBitmap(
      6006, 100, 50, 1, [](int) { return rgb(200, 0, 0); }, keep);
  auto* a = probe(CRect(0, 0, 20, 20), "a");
  a->setBackground(red);
  frame->idle();
  CBitmap* blue = guitest::stackedBitmap(
      6007, 100, 50, 1, [](int) { return rgb(0, 0, 200); }, keep);
  auto* modal = new ProbeView(CRect(0, 0, 100, 50));
  modal->setBackground(blue);
  blue->forget();
  ASSERT_TRUE(frame->setModalView(modal));
  frame->idle();
  EXPECT_EQ(frame->getPixel(5, 5), rgb(0, 0, 200));
  a->invalid();  // redrawn under the modal view, which stays on top
  frame->idle();
  EXPECT_EQ(frame->getPixel(5, 5), rgb(0, 0, 200));
  frame->setModalView(nullptr);
  modal->forget();
  frame->idle();
  EXPECT_EQ(frame->getPixel(5, 5), rgb(200, 0, 0));
  red->forget();
}

TEST_F(FrameTest, AViewMayReleaseItselfInsideItsOwnHandler) {
  class SelfRemoving : public CView {
   public:
    using CView::CView;
    CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override {
      CFrame* parent = getFrame();
      parent->setModalView(nullptr);
      parent->setDirty(true);
      forget();
      return kMouseEventHandled;
    }
  };
  ASSERT_TRUE(frame->setModalView(new SelfRemoving(CRect(0, 0, 100, 50))));
  EXPECT_EQ(down(*frame, 10, 10), kMouseEventHandled);
  EXPECT_EQ(frame->getModalView(), nullptr);
  up(*frame, 10, 10);  // nothing holds the mouse
  moved(*frame, 11, 11, 0);
}

TEST_F(FrameTest, WheelGoesToTheViewUnderThePointerWithDistanceAndButtons) {
  auto* a = probe(CRect(0, 0, 20, 20), "a");
  EXPECT_TRUE(guitest::wheel(*frame, 5, 5, -2.0f, kShift));
  EXPECT_EQ(a->lastDistance, -2.0f);
  EXPECT_EQ(a->lastButtons, CButtonState(kShift));
  a->wheelResult = false;
  EXPECT_FALSE(guitest::wheel(*frame, 5, 5, 1.0f));
  EXPECT_FALSE(guitest::wheel(*frame, 60, 5, 1.0f));
}

TEST_F(FrameTest, KeysGoToTheFocusViewThenTheModalViewAndReportUse) {
  auto* a = probe(CRect(0, 0, 20, 20), "a");
  VstKeyCode k = guitest::key('x');
  EXPECT_EQ(frame->onKeyDown(k), -1);  // no focus: nobody uses it
  frame->setFocusView(a);
  EXPECT_EQ(frame->onKeyDown(k), -1);
  a->keyResult = 1;
  EXPECT_EQ(frame->onKeyDown(k), 1);
  auto* modal = new ProbeView(CRect(40, 0, 100, 50), &log, "modal");
  modal->keyResult = 1;
  frame->setModalView(modal);
  a->keyResult = -1;
  log.clear();
  EXPECT_EQ(frame->onKeyDown(k), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"a:key120", "modal:key120"}));
}

TEST_F(FrameTest, KnobModeAndEditsComeFromTheEditor) {
  editor.knobMode = kLinearMode;
  EXPECT_EQ(frame->getKnobMode(), kLinearMode);
  frame->beginEdit(7);
  frame->endEdit(7);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b7", "e7"}));
  CFrame* lone = new CFrame(CRect(0, 0, 10, 10), nullptr);
  EXPECT_EQ(lone->getKnobMode(), kCircularMode);
  lone->beginEdit(1);  // no editor: nothing happens
  lone->close();
}

TEST_F(FrameTest, ClosingInTheMiddleOfADragEndsItsEdit) {
  guitest::RecordingListener listener;
  auto* knob = new CKnob(CRect(0, 0, 40, 40), &listener, 6, nullptr);
  frame->addView(knob);
  down(*frame, 20, 20);
  moved(*frame, 20, 10);
  frame->close();  // the host closes the window before the button is released
  frame = nullptr;
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b6", "e6"}));
  EXPECT_EQ(listener.begins, 1);
  EXPECT_EQ(listener.ends, 1);
}

TEST_F(FrameTest, OpenWithoutParentStaysHeadlessAndIsTypeOf) {
  EXPECT_TRUE(frame->open(nullptr));
  EXPECT_FALSE(frame->hasWindow());
  EXPECT_TRUE(frame->isTypeOf("CFrame"));
  EXPECT_TRUE(frame->isTypeOf("CView"));
  EXPECT_FALSE(frame->isTypeOf("CControl"));
}

class FrameWindowTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    platform::setFrameWindowFactory([this](CFrame&, void* parent) -> platform::FrameWindow* {
      if (parent == nullptr) {
        return nullptr;
      }
      window = new guitest::RecordingWindow(windowLog, &windowDestroyed);
      return window;
    });
  }
  void TearDown() override {
    FrameTest::TearDown();
    platform::setFrameWindowFactory(nullptr);
  }
  guitest::RecordingWindow* window = nullptr;
  std::vector<std::string> windowLog;
  bool windowDestroyed = false;
};

TEST_F(FrameWindowTest, IdleHandlesEventsThenShowsWhatItRedrew) {
  int parent = 0;
  ASSERT_TRUE(frame->open(&parent));
  EXPECT_TRUE(frame->hasWindow());
  EXPECT_EQ(frame->getSystemWindow(), &parent);
  EXPECT_TRUE(frame->idle());
  EXPECT_EQ(windowLog, (std::vector<std::string>{"events", "present 0,0,100,50"}));
  windowLog.clear();
  EXPECT_FALSE(frame->idle());  // nothing dirty: events only, nothing shown
  EXPECT_EQ(windowLog, (std::vector<std::string>{"events"}));
  windowLog.clear();
  frame->invalidRect(CRect(10.5, 5, 20.5, 8));
  frame->idle();
  EXPECT_EQ(windowLog, (std::vector<std::string>{"events", "present 10,5,21,8"}));
}

TEST_F(FrameWindowTest, FocusMenusAndDialogsReachTheWindowAndCloseEndsIt) {
  int parent = 0;
  ASSERT_TRUE(frame->open(&parent));
  auto* text = new CTextEdit(CRect(0, 0, 50, 20), nullptr, 1, "t");
  frame->addView(text);
  auto* menu = new COptionMenu(CRect(50, 0, 100, 20), nullptr, 2);
  menu->addEntry("a");
  menu->addEntry("b");
  frame->addView(menu);
  guitest::down(*frame, 10, 10);
  guitest::down(*frame, 60, 10);  // the menu's press takes the focus away first
  window->menuAnswer = 1;
  guitest::down(*frame, 60, 10);
  EXPECT_EQ(menu->getCurrentIndex(), 1);
  frame->drainWindowEvents();
  EXPECT_EQ(windowLog, (std::vector<std::string>{"focus", "nofocus", "popup", "popup", "drain"}));
  frame->close();
  frame = nullptr;
  EXPECT_TRUE(windowDestroyed);
}

TEST_F(FrameWindowTest, ReopeningReplacesTheWindowAndAFailedOneLeavesItHeadless) {
  int parent = 0;
  ASSERT_TRUE(frame->open(&parent));
  platform::setFrameWindowFactory([](CFrame&, void*) { return nullptr; });
  EXPECT_FALSE(frame->open(&parent));
  EXPECT_TRUE(windowDestroyed);
  EXPECT_FALSE(frame->hasWindow());
  EXPECT_TRUE(frame->idle());  // still draws, headless
}
