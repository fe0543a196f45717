// The mode switch, the step buttons and the drag areas in both modes, and the
// locks that infinite repeat and a host's tempo put on them.
#include <cmath>
#include <string>
#include <vector>

#include "editorwindow.h"

using editortest::Log;

namespace {

using DelayControls = editortest::EditorWindowTest;

// Drags a control by dy pixels (upward when negative).
void drag(CFrame& frame, CControl& area, CCoord dy) {
  const CRect& r = area.getViewSize();
  CPoint from(r.left + 2, r.top + 2);
  CPoint to(from.x, from.y + dy);
  frame.onMouseDown(from, kLButton);
  frame.onMouseMoved(to, kLButton);
  frame.onMouseUp(to, 0);
}

}  // namespace

TEST_F(DelayControls, ModeSwitchMovesTheAreasBetweenDelayAndTempo) {
  plugin->setParameter(kDlyTime, 0.16f);
  zel->setTempoFromControl(0.25f);  // 100 beats per minute
  open();
  hostLog();
  clickAt(469, 28);  // right half: Clk
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyClk), 1.0f);
  EXPECT_FLOAT_EQ(value(30), 0.5f);
  EXPECT_FLOAT_EQ(value(31), 0.5f);
  // Back in delay mode at the delay that the tempo gave.
  clickAt(459, 28);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyClk), 0.0f);
  EXPECT_NE(zel->getParameter(kDlyTime), 0.16f);
  EXPECT_FLOAT_EQ(value(30), std::sqrt(zel->getParameter(kDlyTime)));
  EXPECT_FLOAT_EQ(value(31), std::sqrt(zel->getParameter(kDlyTime)));
  EXPECT_EQ(hostLog(), (Log{"b15", "15=1", "e15", "b15", "15=0", "e15"}));
}

TEST_F(DelayControls, StepButtonsStepTheNoteLengthsAroundAndTheDelayToItsEnds) {
  open();
  plugin->setParameter(kDlyClk, 1.0f);
  hostLog();
  // Clock mode: the left button steps Num, the right one Den; a plain click
  // goes to the next entry, a click with a modifier to the previous one.
  plugin->setParameter(kDen, 0.95f);
  click(20);
  EXPECT_FLOAT_EQ(zel->getParameter(kDen), 0.0f);
  plugin->setParameter(kNum, 0.1f);
  click(19, kShift);
  EXPECT_FLOAT_EQ(zel->getParameter(kNum), 1.0f);
  plugin->setParameter(kNum, 0.8f);
  click(19);
  EXPECT_FLOAT_EQ(zel->getParameter(kNum), 1.0f);  // still the last entry
  click(19);
  EXPECT_FLOAT_EQ(zel->getParameter(kNum), 0.0f);
  // Only the parameters reach the host, not the buttons' own tags; and the
  // delay time each note length moved.
  EXPECT_EQ(hostLog(), (Log{"3=0.00651042", "b17", "3=0.625", "17=0", "e17", "b16", "3=1", "16=1",
                            "e16", "b16", "16=1", "e16", "b16", "3=0.625", "16=0", "e16"}));

  // Delay mode: 1 ms, 10 ms with shift, 100 ms with control, held at the ends.
  plugin->setParameter(kDlyClk, 0.0f);
  plugin->setParameter(kDlyTime, 4.0f / 3200.0f);
  click(19, kShift);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 0.0f);
  plugin->setParameter(kDlyTime, 3150.0f / 3200.0f);
  click(20, kControl);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 1.0f);
  click(19);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 3199.0f / 3200.0f);
  EXPECT_FLOAT_EQ(value(30), std::sqrt(3199.0f / 3200.0f));
  EXPECT_FLOAT_EQ(value(31), std::sqrt(3199.0f / 3200.0f));
}

TEST_F(DelayControls, DragAreasSetTheDelayTheNarrowOneHalfAMillisecondShortOfTheEnds) {
  open();
  drag(frame(), control(30), -2000);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 0.9998438f);
  EXPECT_FLOAT_EQ(value(31), 1.0f);
  drag(frame(), control(30), 2000);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 0.00015620119f);
  drag(frame(), control(31), -2000);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 1.0f);
  drag(frame(), control(31), 2000);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 0.0f);
  EXPECT_FLOAT_EQ(value(30), 0.0f);
}

TEST_F(DelayControls, InfiniteRepeatLocksDelayTempoAndMode) {
  plugin->setParameter(kDlyTime, 0.25f);
  plugin->setParameter(kRptInf, 1.0f);
  open();
  hostLog();
  const float mode = zel->getParameter(kDlyClk);
  clickAt(469, 28);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyClk), mode);
  EXPECT_FLOAT_EQ(value(kDlyClk), mode);
  click(19);
  click(20, kShift);
  drag(frame(), control(31), -100);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 0.25f);
  EXPECT_FLOAT_EQ(value(31), 0.5f);
  EXPECT_FLOAT_EQ(value(30), 0.5f);
  // The switch's own gesture and nothing else reached the host.
  EXPECT_EQ(hostLog(), (Log{"b15", "e15"}));
}

TEST_F(DelayControls, TempoDragLeavesTheHostsTempoAndSetsItOnlyWithoutOne) {
  plugin->start();
  std::vector<float> in(256), outL, outR;
  host.setTempo(180.0);
  plugin->process(in, in, outL, outR);
  open();
  plugin->setParameter(kDlyClk, 1.0f);
  plugin->setParameter(kNum, 0.0f);          // 1
  plugin->setParameter(kDen, 3.0f / 13.0f);  // 4: 333 ms at 180
  const float delay = zel->getParameter(kDlyTime);
  EXPECT_NEAR(delay * 3200.0f, 333.3f, 0.1f);
  hostLog();
  // The host's tempo rules: the areas return to it, the display shows it, and
  // neither tempo nor delay moves, not even for a moment.
  now = 2000;
  drag(frame(), control(31), -300);
  drag(frame(), control(30), 200);
  EXPECT_FLOAT_EQ(zel->getTempo(), 180.0f);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), delay);
  EXPECT_FLOAT_EQ(value(30), std::sqrt(180.0f / 400.0f));
  EXPECT_FLOAT_EQ(value(31), std::sqrt(180.0f / 400.0f));
  for (const auto& entry : hostLog()) {
    EXPECT_EQ(entry.find('='), std::string::npos) << entry;  // no value reached the host
  }
  idleAt(2501);
  EXPECT_EQ(digits(), "_180");
  idleAt(2600);
  EXPECT_EQ(digits(), "1__4");

  // A host that stops giving a tempo hands it back to the drag.
  host.timeInfo.reset();
  plugin->process(in, in, outL, outR);
  control(31).setValue(0.5f);
  editor->valueChanged(&control(31));
  EXPECT_FLOAT_EQ(zel->getTempo(), 100.0f);
  EXPECT_FLOAT_EQ(zel->getParameter(kDlyTime), 600.0f / 3200.0f);
}
