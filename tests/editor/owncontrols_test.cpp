// The editor's own controls through synthetic events on a headless frame:
// values, modifiers, mouse results, listener calls and edit pairs.
#include "editor/cinvisibleslider.h"
#include "editor/zelkickbutton.h"
#include "editor/zelonoffbutton.h"
#include "editor/zelswitch.h"
#include "editorframe.h"

using editortest::Log;
using guitest::down;
using guitest::moved;
using guitest::up;
using guitest::wheel;

namespace {
using OwnControlTest = editortest::EditorFrameTest;
}  // namespace

TEST_F(OwnControlTest, OnOffButtonWorksOnTheHalvesOfTheRange) {
  auto* button = add(new ZelOnOffButton(CRect(0, 0, 20, 10), &listener, 7, images(20, 10, 2)));
  for (const auto& [v, image] :
       {std::pair{0.0f, 0}, {0.25f, 0}, {0.49f, 0}, {0.5f, 1}, {1.0f, 1}}) {
    button->setValue(v);
    EXPECT_EQ(shown(5, 5), image) << v;
  }
  button->setValue(0.5f);
  EXPECT_EQ(down(*frame, 5, 5), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_EQ(shown(5, 5), 0);
  down(*frame, 5, 5);
  EXPECT_EQ(shown(5, 5), 1);
  button->setValue(0.49f);
  down(*frame, 5, 5);
  EXPECT_EQ(listener.take(),
            (Log{"b7", "7=0.25", "e7", "b7", "7=0.75", "e7", "b7", "7=0.75", "e7"}));
  EXPECT_EQ(editor.edits, (Log{"b7", "e7", "b7", "e7", "b7", "e7"}));
  EXPECT_EQ(down(*frame, 5, 5, kRButton), kMouseEventNotHandled);
  EXPECT_FLOAT_EQ(button->getValue(), 0.75f);
  EXPECT_TRUE(listener.log.empty());
}

TEST_F(OwnControlTest, KickButtonReportsOncePerPressWithTheModifiersStep) {
  auto* kick = add(new ZelKickButton(CRect(10, 10, 36, 36), &listener, 19, 26, images(26, 26, 2)));
  EXPECT_EQ(shown(20, 20), 0);
  EXPECT_EQ(down(*frame, 20, 20, kLButton | kShift | kControl), kMouseEventHandled);
  EXPECT_FLOAT_EQ(kick->getStepSize(), 100.0f);
  EXPECT_EQ(listener.take(), (Log{"b19", "19=1", "e19"}));
  EXPECT_EQ(shown(20, 20), 1);
  moved(*frame, 80, 80);  // held outside: released image, still no report
  EXPECT_EQ(shown(20, 20), 0);
  moved(*frame, 20, 20);
  EXPECT_EQ(shown(20, 20), 1);
  EXPECT_EQ(up(*frame, 20, 20), kMouseEventHandled);
  EXPECT_FLOAT_EQ(kick->getValue(), 0.0f);
  EXPECT_EQ(shown(20, 20), 0);
  EXPECT_TRUE(listener.log.empty());  // never on release

  for (const auto& [modifiers, step] :
       {std::pair{int32_t(kShift), 10.0f}, {0, 1.0f}, {int32_t(kControl), 100.0f}}) {
    down(*frame, 20, 20, kLButton | modifiers);
    EXPECT_FLOAT_EQ(kick->getStepSize(), step) << modifiers;
    up(*frame, 20, 20);
  }
  EXPECT_EQ(listener.take().size(), 9u);
  EXPECT_EQ(editor.edits.size(), 8u);  // a begin and an end per press
  EXPECT_EQ(down(*frame, 20, 20, kRButton), kMouseEventNotHandled);
  EXPECT_TRUE(listener.log.empty());
}

TEST_F(OwnControlTest, InvisibleSliderDragsRelativeToTheStartWithContinuousModifiers) {
  setBackground(3);
  auto* slider = add(new CInvisibleSlider(CRect(50, 20, 150, 80), &listener, 30));
  slider->setValue(0.3f);
  EXPECT_EQ(shown(100, 50), 3);  // draws nothing over the background

  EXPECT_EQ(down(*frame, 100, 50), kMouseEventHandled);
  moved(*frame, 100, -50);  // 100 up
  EXPECT_NEAR(slider->getValue(), 0.4f, 1e-6f);
  moved(*frame, 300, 50);  // 200 right: half as much
  EXPECT_NEAR(slider->getValue(), 0.4f, 1e-6f);
  moved(*frame, 100, -950);  // limited
  EXPECT_FLOAT_EQ(slider->getValue(), 1.0f);
  up(*frame, 100, -950);
  EXPECT_EQ(listener.take(), (Log{"b30", "30=0.3", "30=0.4", "30=0.4", "30=1", "e30"}));
  EXPECT_EQ(shown(100, 50), 3);

  // kShift pressed and released during a drag: no jump, five times finer between.
  slider->setValue(0.5f);
  down(*frame, 100, 50);
  moved(*frame, 100, 0);
  EXPECT_NEAR(slider->getValue(), 0.55f, 1e-6f);
  moved(*frame, 100, 0, kLButton | kShift);
  EXPECT_NEAR(slider->getValue(), 0.55f, 1e-6f);
  moved(*frame, 100, -50, kLButton | kShift);
  EXPECT_NEAR(slider->getValue(), 0.56f, 1e-6f);
  moved(*frame, 100, -50);
  EXPECT_NEAR(slider->getValue(), 0.56f, 1e-6f);
  moved(*frame, 100, -100);
  EXPECT_NEAR(slider->getValue(), 0.61f, 1e-6f);
  up(*frame, 100, -100);
  // kShift held at the press: 4000 pixels for the range.
  slider->setValue(0.5f);
  down(*frame, 100, 50, kLButton | kShift);
  moved(*frame, 100, -350, kLButton | kShift);
  EXPECT_NEAR(slider->getValue(), 0.6f, 1e-6f);
  up(*frame, 100, -350, kLButton | kShift);
  EXPECT_EQ(editor.edits, (Log{"b30", "e30", "b30", "e30", "b30", "e30"}));
  listener.take();

  // A press elsewhere dragged across the area, or a right press, moves nothing.
  EXPECT_EQ(down(*frame, 10, 10), kMouseEventNotHandled);
  moved(*frame, 100, 50);
  moved(*frame, 100, 30);
  up(*frame, 100, 30);
  EXPECT_EQ(down(*frame, 100, 50, kRButton), kMouseEventNotHandled);
  EXPECT_NEAR(slider->getValue(), 0.6f, 1e-6f);
  EXPECT_TRUE(listener.log.empty());
}

TEST_F(OwnControlTest, InvisibleSliderWheelStepsAreLimitedAndAlwaysReported) {
  auto* slider = add(new CInvisibleSlider(CRect(50, 20, 150, 80), &listener, 31));
  slider->setValue(0.999f);
  EXPECT_TRUE(wheel(*frame, 100, 50, 1.0f));
  EXPECT_FLOAT_EQ(slider->getValue(), 1.0f);
  EXPECT_TRUE(wheel(*frame, 100, 50, 1.0f));  // already at the top: still reported
  slider->setValue(0.5f);
  wheel(*frame, 100, 50, 1.0f, kShift);
  EXPECT_NEAR(slider->getValue(), 0.5003f, 1e-6f);
  wheel(*frame, 100, 50, -2.0f);
  EXPECT_NEAR(slider->getValue(), 0.4903f, 1e-6f);
  EXPECT_EQ(listener.take(), (Log{"b31", "31=1", "e31", "b31", "31=1", "e31", "b31", "31=0.5003",
                                  "e31", "b31", "31=0.4903", "e31"}));
}

TEST_F(OwnControlTest, SwitchSelectsThePositionUnderThePointerAndDefaultsToOn) {
  auto* sw = add(new ZelSwitch(CRect(20, 20, 35, 30), &listener, 15, 2, 10, 2, images(15, 10, 2)));
  EXPECT_EQ(down(*frame, 30, 25), kMouseEventHandled);  // right half: Clk
  up(*frame, 30, 25);
  EXPECT_FLOAT_EQ(sw->getValue(), 1.0f);
  EXPECT_EQ(shown(25, 25), 1);
  down(*frame, 22, 25);
  up(*frame, 22, 25);
  EXPECT_FLOAT_EQ(sw->getValue(), 0.0f);
  EXPECT_EQ(shown(25, 25), 0);
  // Control-click: the toolkit's default 0.5, which shows the right image.
  EXPECT_EQ(down(*frame, 22, 25, kLButton | kControl),
            kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_FLOAT_EQ(sw->getValue(), 0.5f);
  EXPECT_EQ(shown(25, 25), 1);
  EXPECT_EQ(listener.take(),
            (Log{"b15", "15=1", "e15", "b15", "15=0", "e15", "b15", "15=0.5", "e15"}));
}
