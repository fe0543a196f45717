// CAnimKnob: drags in each knob mode with and without kShift, kAlt at the
// press, wheel steps, control-click defaults, edits and the image shown.
#include <gtest/gtest.h>

#include <memory>

#include "gui/toolkit.h"
#include "guitest.h"

using guitest::down;
using guitest::moved;
using guitest::up;

namespace {

// A knob of 40 × 40 at (10, 10) with its centre at (30, 30), 5 images.
class KnobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    liveBefore = CBaseObject::liveObjects();
    frame = new CFrame(CRect(0, 0, 100, 100), &editor);
    CBitmap* bitmap = guitest::stackedBitmap(
        7001, 40, 40, 5, [](int k) { return 0xFF000000u | uint32_t(k * 50); }, keep);
    knob = new CAnimKnob(CRect(10, 10, 50, 50), &listener, 6, bitmap);
    bitmap->forget();
    knob->setZoomFactor(5.0f);
    frame->addView(knob);
  }
  void TearDown() override {
    frame->close();
    EXPECT_EQ(CBaseObject::liveObjects(), liveBefore);
  }
  float value() const { return knob->getValue(); }

  int32_t liveBefore = 0;
  std::vector<std::unique_ptr<guitest::RegisteredBitmap>> keep;
  guitest::EditRecorder editor;
  guitest::RecordingListener listener;
  CFrame* frame = nullptr;
  CAnimKnob* knob = nullptr;
};

}  // namespace

TEST_F(KnobTest, SubPixmapsFromTheBitmapAndTheImageFromTheValue) {
  EXPECT_EQ(knob->getNumSubPixmaps(), 5);
  EXPECT_EQ(knob->getHeightOfOneImage(), 40);
  for (const auto& [v, image] :
       {std::pair{0.0f, 0}, {0.5f, 2}, {0.62f, 2}, {0.63f, 3}, {1.0f, 4}}) {
    knob->setValue(v);
    frame->idle();
    EXPECT_EQ(frame->getPixel(30, 30) & 0xFF, uint32_t(image * 50)) << v;
  }
}

TEST_F(KnobTest, LinearDragCoversTheRangeOver200PixelsUpAndRight) {
  editor.knobMode = kLinearMode;
  knob->setValue(0.2f);
  EXPECT_EQ(down(*frame, 30, 30), kMouseEventHandled);
  EXPECT_FLOAT_EQ(value(), 0.2f);  // the press alone changes nothing
  moved(*frame, 30, -20);          // 50 up
  EXPECT_FLOAT_EQ(value(), 0.45f);
  moved(*frame, 80, -20);  // and 50 right
  EXPECT_FLOAT_EQ(value(), 0.7f);
  moved(*frame, 80, -200);  // limited
  EXPECT_FLOAT_EQ(value(), 1.0f);
  moved(*frame, 0, 130);  // down and left lower it
  EXPECT_FLOAT_EQ(value(), 0.0f);
  up(*frame, 0, 130);
  ASSERT_FALSE(listener.changes.empty());
  EXPECT_EQ(listener.changes.back().tag, 6);
  EXPECT_FLOAT_EQ(listener.changes.back().value, 0.0f);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b6", "e6"}));
  EXPECT_EQ(listener.begins, 1);
  EXPECT_EQ(listener.ends, 1);
}

TEST_F(KnobTest, ADragBegunOnTheBarePanelMovesNoKnob) {
  editor.knobMode = kLinearMode;
  knob->setValue(0.2f);
  down(*frame, 80, 80);
  moved(*frame, 30, 30);
  moved(*frame, 40, 10);
  up(*frame, 40, 10);
  EXPECT_FLOAT_EQ(value(), 0.2f);
  EXPECT_TRUE(listener.changes.empty());
}

TEST_F(KnobTest, ShiftAtThePressZoomsTheLinearDrag) {
  editor.knobMode = kLinearMode;
  knob->setValue(0.2f);
  down(*frame, 30, 30, kLButton | kShift);
  moved(*frame, 30, -70, kLButton | kShift);  // 100 up over 1000 px
  EXPECT_FLOAT_EQ(value(), 0.3f);
  up(*frame, 30, -70, kShift);
}

TEST_F(KnobTest, ShiftPressedMidDragKeepsTheValueAndChangesTheScale) {
  editor.knobMode = kLinearMode;
  knob->setValue(0.2f);
  down(*frame, 30, 30);
  moved(*frame, 30, -10);  // 40 up
  EXPECT_FLOAT_EQ(value(), 0.4f);
  moved(*frame, 30, -10, kLButton | kShift);  // no movement, scale change
  EXPECT_FLOAT_EQ(value(), 0.4f);
  moved(*frame, 30, -60, kLButton | kShift);  // 50 more at 1/1000
  EXPECT_NEAR(value(), 0.45f, 1e-5);
  moved(*frame, 30, -60);  // released, no movement: no jump
  EXPECT_NEAR(value(), 0.45f, 1e-5);
  moved(*frame, 30, -70);  // 10 more at 1/200
  EXPECT_NEAR(value(), 0.5f, 1e-5);
  up(*frame, 30, -70);
}

TEST_F(KnobTest, CircularModeFollowsTheAngleOfThePointer) {
  editor.knobMode = kCircularMode;
  knob->setValue(0.5f);
  down(*frame, 30, 12);  // straight above the centre
  EXPECT_NEAR(value(), 0.5f, 1e-4);
  moved(*frame, 12, 30);  // 9 o'clock: 45° of 270° from 7:30
  EXPECT_NEAR(value(), 1.0f / 6.0f, 1e-4);
  moved(*frame, 30, 12);
  moved(*frame, 48, 30);  // 3 o'clock
  EXPECT_NEAR(value(), 5.0f / 6.0f, 1e-4);
  up(*frame, 48, 30);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b6", "e6"}));
}

TEST_F(KnobTest, CircularModeDoesNotJumpAcrossTheGapAtTheBottom) {
  editor.knobMode = kCircularMode;
  knob->setValue(0.0f);
  down(*frame, 14, 46);  // bottom left, in the gap's minimum half
  EXPECT_FLOAT_EQ(value(), 0.0f);
  moved(*frame, 46, 46);  // bottom right: would be the maximum
  EXPECT_FLOAT_EQ(value(), 0.0f);
  up(*frame, 46, 46);
}

TEST_F(KnobTest, RelativeCircularModeAddsTheTurnToTheValueAtThePress) {
  editor.knobMode = kRelativCircularMode;
  knob->setValue(0.3f);
  down(*frame, 30, 12);  // pointing at 0.5, the value stays
  EXPECT_NEAR(value(), 0.3f, 1e-4);
  moved(*frame, 48, 30);  // a third of the range clockwise
  EXPECT_NEAR(value(), 0.3f + 1.0f / 3.0f, 1e-4);
  up(*frame, 48, 30);
}

TEST_F(KnobTest, AltAtThePressSwitchesTheDragMode) {
  editor.knobMode = kLinearMode;
  knob->setValue(0.5f);
  down(*frame, 12, 30, kLButton | kAlt);  // circular: the pointer's angle counts
  EXPECT_NEAR(value(), 1.0f / 6.0f, 1e-4);
  up(*frame, 12, 30);
  editor.knobMode = kCircularMode;
  knob->setValue(0.2f);
  down(*frame, 12, 30, kLButton | kAlt);  // linear: the press changes nothing
  EXPECT_FLOAT_EQ(value(), 0.2f);
  moved(*frame, 12, 10, kLButton | kAlt);
  EXPECT_FLOAT_EQ(value(), 0.3f);
  up(*frame, 12, 10);
}

TEST_F(KnobTest, WheelStepsByTheIncrementAndATenthWithShift) {
  knob->setWheelInc(0.03125f);
  knob->setValue(0.5f);
  EXPECT_TRUE(guitest::wheel(*frame, 30, 30, 1.0f));
  EXPECT_FLOAT_EQ(value(), 0.53125f);
  knob->setValue(0.5f);
  guitest::wheel(*frame, 30, 30, 1.0f, kShift);
  EXPECT_FLOAT_EQ(value(), 0.503125f);
  guitest::wheel(*frame, 30, 30, -2.0f);
  EXPECT_FLOAT_EQ(value(), 0.440625f);
  knob->setValue(1.0f);
  const size_t reported = listener.changes.size();
  guitest::wheel(*frame, 30, 30, 1.0f);  // at the maximum: no change, no report
  EXPECT_FLOAT_EQ(value(), 1.0f);
  EXPECT_EQ(listener.changes.size(), reported);
  EXPECT_EQ(reported, 3u);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b6", "e6", "b6", "e6", "b6", "e6"}));
}

TEST_F(KnobTest, ControlClickRestoresTheDefaultValueInOneEdit) {
  knob->setDefaultValue(0.0f);
  knob->setValue(0.7f);
  EXPECT_EQ(down(*frame, 30, 30, kLButton | kControl),
            kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_FLOAT_EQ(value(), 0.0f);
  ASSERT_EQ(listener.changes.size(), 1u);
  EXPECT_FLOAT_EQ(listener.changes[0].value, 0.0f);
  EXPECT_EQ(editor.edits, (std::vector<std::string>{"b6", "e6"}));
  up(*frame, 30, 30);
  // Control with another modifier is no default click.
  editor.knobMode = kLinearMode;
  knob->setValue(0.7f);
  down(*frame, 30, 30, kLButton | kControl | kShift);
  EXPECT_FLOAT_EQ(value(), 0.7f);
  up(*frame, 30, 30);
  EXPECT_EQ(listener.changes.size(), 1u);
}

TEST_F(KnobTest, PressesWithoutTheLeftButtonAreDeclined) {
  EXPECT_EQ(down(*frame, 30, 30, kRButton), kMouseEventNotHandled);
  EXPECT_TRUE(editor.edits.empty());
}

TEST_F(KnobTest, NewCopyCopiesTheSettings) {
  knob->setValue(0.25f);
  knob->setDefaultValue(0.75f);
  CView* copy = knob->newCopy();
  auto* other = dynamic_cast<CAnimKnob*>(copy);
  ASSERT_NE(other, nullptr);
  EXPECT_FLOAT_EQ(other->getValue(), 0.25f);
  EXPECT_FLOAT_EQ(other->getDefaultValue(), 0.75f);
  EXPECT_FLOAT_EQ(other->getZoomFactor(), 5.0f);
  EXPECT_EQ(other->getTag(), 6);
  EXPECT_EQ(other->getFrame(), nullptr);
  EXPECT_TRUE(other->isTypeOf("CAnimKnob"));
  EXPECT_TRUE(other->isTypeOf("CKnob"));
  EXPECT_TRUE(other->isTypeOf("CControl"));
  EXPECT_FALSE(other->isTypeOf("CMovieBitmap"));
  EXPECT_EQ(knob->getBackground()->getNbReference(), 2);
  copy->forget();
}
