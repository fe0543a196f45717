// The editor window as the host sees it: its rectangle, the controls in their
// order with their starting values, how they change parameters and follow them.
#include "editorwindow.h"

#include "guitest.h"

using editortest::Log;

namespace {
using EditorWindow = editortest::EditorWindowTest;
}  // namespace

TEST_F(EditorWindow, HostSizesOpensAndClosesItManyTimes) {
  EXPECT_EQ(plugin->effect()->flags, 0x31);
  ERect* rect = nullptr;
  ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 101);
  EXPECT_EQ(rect->right, 870);

  const int32_t live = CBaseObject::liveObjects();
  for (int cycle = 0; cycle < 3; ++cycle) {
    // A knob mode that the host set lasts until the window opens again.
    plugin->dispatch(effSetEditKnobMode, 0, kCircularMode);
    open();
    EXPECT_EQ(editor->getKnobMode(), kLinearMode);
    ASSERT_NE(editor->getFrame(), nullptr);
    // Creation order is drawing order: lamps and digits first, the about hotspot
    // last, then the preset panel.
    std::vector<int32_t> tags;
    for (int32_t i = 0; i < 28; ++i) {
      tags.push_back(static_cast<CControl*>(frame().getView(i))->getTag());
    }
    EXPECT_EQ(tags, (std::vector<int32_t>{21, 22, 23, 24, 26, 27, 28, 0,  1,  6,  2,  9,  10, 7,
                                          11, 12, 8,  5,  13, 4,  14, 15, 19, 20, 29, 30, 31, 32}));
    clickAt(830, 20);  // the about picture, still shown when the window closes
    idle();
    plugin->dispatch(effEditClose);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getControl(0), nullptr);
    EXPECT_EQ(CBaseObject::liveObjects(), live);
  }
  idle();  // closed: nothing happens
  editor->showNumber(12);
  open();  // a second open without a close builds the window anew
  open();
  EXPECT_EQ(editor->getControl(32), frame().getView(27));
  plugin->dispatch(effEditClose);
  EXPECT_EQ(CBaseObject::liveObjects(), live);
}

TEST_F(EditorWindow, OpensOnTheParametersAsTheyAre) {
  plugin->setParameter(kDlyTime, 0.25f);
  plugin->setParameter(kPower, 0.0f);
  plugin->setParameter(kFbck, 0.3f);
  plugin->setParameter(kHiCut, 0.6f);
  open();
  EXPECT_FLOAT_EQ(value(30), 0.5f);
  EXPECT_FLOAT_EQ(value(31), 0.5f);
  EXPECT_FLOAT_EQ(value(27), 0.5f);  // bypass lamp lit before any idle pass
  EXPECT_FLOAT_EQ(value(kFbck), 0.3f);
  EXPECT_FLOAT_EQ(value(kHiCut), 0.6f);
  EXPECT_FLOAT_EQ(value(kPower), 0.0f);
  EXPECT_FLOAT_EQ(value(28), 0.0f);
  EXPECT_FLOAT_EQ(value(29), 0.0f);
  EXPECT_FLOAT_EQ(value(19), 0.0f);
}

TEST_F(EditorWindow, KnobsButtonsAndSwitchesChangeTheirParameters) {
  open();
  hostLog();
  // Control-click restores a knob's default; the wheel steps 1/32, a tenth with shift.
  plugin->setParameter(kFbck, 0.4f);
  plugin->setParameter(kMix, 0.1f);
  idle();
  click(kFbck, kControl);
  click(kMix, kControl);
  guitest::wheel(frame(), 120, 40, 1.0f);
  guitest::wheel(frame(), 120, 40, 1.0f, kShift);
  EXPECT_EQ(hostLog(), (Log{"b6", "6=0", "e6", "b2", "2=0.5", "e2", "b0", "0=0.53125", "e0", "b0",
                            "0=0.534375", "e0"}));
  EXPECT_FLOAT_EQ(zel->getParameter(kInput), 0.534375f);
  // An on/off button toggles between the centres of the halves.
  click(kHiCut);
  click(kHiCut);
  EXPECT_EQ(hostLog(), (Log{"b7", "7=0.75", "e7", "b7", "7=0.25", "e7"}));
  // A linear drag covers the full range over 200 pixels.
  CPoint from(130, 40);
  CPoint to(130, 0);
  frame().onMouseDown(from, kLButton);
  frame().onMouseMoved(to, kLButton);
  frame().onMouseUp(to, 0);
  EXPECT_NEAR(zel->getParameter(kInput), 0.734375f, 1e-5f);
}

TEST_F(EditorWindow, ControlsFollowTheParametersAtTheNextIdle) {
  open();
  // As from MIDI on the audio thread: noted now, shown at the next idle pass.
  plugin->setParameter(kDepth, 0.8f);
  plugin->setParameter(kDlyTime, 0.64f);
  EXPECT_FLOAT_EQ(value(kDepth), 0.0f);
  idle();
  EXPECT_FLOAT_EQ(value(kDepth), 0.8f);
  EXPECT_FLOAT_EQ(value(30), 0.8f);
  EXPECT_FLOAT_EQ(value(31), 0.8f);
  // The kept value is shown, not the one asked for; Num and Den have no control.
  plugin->setParameter(kRate, 1.7f);
  plugin->setParameter(kNum, 0.9f);
  plugin->setParameter(kDen, 0.9f);
  idle();
  EXPECT_FLOAT_EQ(value(kRate), 1.0f);
  // In clock mode a DlyTime change still moves both areas.
  plugin->setParameter(kDlyClk, 1.0f);
  plugin->setParameter(kDlyTime, 0.25f);
  idle();
  EXPECT_FLOAT_EQ(value(kDlyClk), 1.0f);
  EXPECT_FLOAT_EQ(value(30), 0.5f);
  EXPECT_FLOAT_EQ(value(31), 0.5f);
}
