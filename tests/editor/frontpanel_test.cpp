// The front panel's idle pass with a clock the test moves: the display's
// states, the lamps and the headroom meter.
#include <cmath>
#include <numbers>
#include <vector>

#include "common/steps.h"
#include "editorwindow.h"
#include "gui/cparamdisplay.h"

namespace {

using FrontPanel = editortest::EditorWindowTest;

float numerator(int index) { return stepCentre(index, kNumeratorSteps); }
float denominator(int index) { return stepCentre(index, kDenominatorSteps); }

// The editor with a controller display of its own, where the preset panel
// puts one.
class EditorWithDisplay : public Editor {
 public:
  using Editor::Editor;
  bool open(void* parent) override {
    Editor::open(parent);
    controllerDisplay = new CParamDisplay(CRect(690, 87, 780, 99));
    frame->addView(controllerDisplay);
    return true;
  }
  CParamDisplay* display() const { return controllerDisplay; }
};

class ControllerDisplay : public editortest::EditorWindowTest {
 protected:
  void SetUp() override {
    factory = [](Zel* effect) -> AEffEditor* { return new EditorWithDisplay(effect); };
    EditorWindowTest::SetUp();
  }
  // The controller shown with the pointer at (x, y): 128 "not assigned", 129 none.
  int shownAt(CCoord x, CCoord y) {
    CPoint where(x, y);
    frame().onMouseMoved(where, 0);
    idle();
    return stepIndex(static_cast<EditorWithDisplay*>(editor)->display()->getValue(), 130);
  }
};

}  // namespace

TEST_F(FrontPanel, NumbersShowWithoutLeadingZeros) {
  open();
  for (const auto& [number, shown] : std::vector<std::pair<float, const char*>>{{0, "___0"},
                                                                                {1005, "1005"},
                                                                                {45, "__45"},
                                                                                {999.9f, "_999"},
                                                                                {100, "_100"},
                                                                                {12800, "9999"},
                                                                                {-3, "___0"}}) {
    editor->showNumber(number);
    EXPECT_EQ(digits(), shown) << number;
  }
  editor->blankDisplay();
  EXPECT_EQ(digits(), "____");
}

TEST_F(FrontPanel, ClockModeShowsTheNoteLengthAndBlinksWhenItIsTooLong) {
  open();
  plugin->setParameter(kDlyClk, 1.0f);
  plugin->setParameter(kNum, numerator(1));
  plugin->setParameter(kDen, denominator(7));
  idleAt(1100);
  EXPECT_EQ(digits(), "3_16");
  plugin->setParameter(kDen, denominator(5));
  idleAt(1200);
  EXPECT_EQ(digits(), "3__8");

  // 1/4 at 120 beats per minute is 500 ms: steady.
  plugin->setParameter(kNum, numerator(0));
  plugin->setParameter(kDen, denominator(3));
  for (uint32_t t = 1300; t < 3000; t += 100) {
    idleAt(t);
    EXPECT_EQ(digits(), "1__4") << t;
  }
  // 9/1 at 40 is 54 s: 500 ms shown, 500 ms blank.
  zel->setTempoFromControl(0.1f);
  plugin->setParameter(kNum, numerator(4));
  plugin->setParameter(kDen, denominator(0));
  const char* expected[] = {"____", "9__1", "____", "9__1"};
  for (int half = 0; half < 4; ++half) {
    idleAt(3000 + half * 500);
    EXPECT_EQ(digits(), expected[half]) << half;
    idleAt(3000 + half * 500 + 400);
    EXPECT_EQ(digits(), expected[half]) << half;
  }
}

TEST_F(FrontPanel, TempoAndSetDelayShowFor500Milliseconds) {
  open();
  // Clock mode without a host tempo: a drag area sets the tempo, shown for a while.
  plugin->setParameter(kDlyClk, 1.0f);
  plugin->setParameter(kNum, numerator(0));
  plugin->setParameter(kDen, denominator(3));
  now = 2000;
  control(31).setValue(0.5f);
  editor->valueChanged(&control(31));
  EXPECT_FLOAT_EQ(zel->getTempo(), 100.0f);
  for (const uint32_t t : {2100u, 2500u, 2501u}) {
    idleAt(t);
    EXPECT_EQ(digits(), "_100") << t;
  }
  idleAt(2600);
  EXPECT_EQ(digits(), "1__4");
  control(30).setValue(0.2f);  // 16 beats per minute, raised to 40
  editor->valueChanged(&control(30));
  idleAt(2700);
  EXPECT_EQ(digits(), "__40");

  // Delay mode: the effective delay moves with the clock; while the delay is
  // being set, and 500 ms after, the nominal one shows.
  plugin->setParameter(kDlyClk, 0.0f);
  plugin->setParameter(kDlyTime, 0.5f);
  plugin->setParameter(kManVCO, 0.5f);
  plugin->setParameter(kDepth, 0.0f);
  plugin->setParameter(kDlyx2, 1.0f);
  idleAt(3300);
  EXPECT_EQ(digits(), "__40");  // the last pass of the tempo
  idleAt(3400);
  EXPECT_EQ(digits(), "3200");
  now = 4000;
  click(20);
  for (const uint32_t t : {4001u, 4499u, 4500u}) {
    idleAt(t);
    EXPECT_EQ(digits(), "1601") << t;
  }
  idleAt(4501);
  EXPECT_EQ(digits(), "3202");
}

TEST_F(FrontPanel, LampsFollowTheSwitchesAndTheOscillator) {
  open();
  idleAt(1100);
  EXPECT_FLOAT_EQ(value(26), 0.0f);
  EXPECT_FLOAT_EQ(value(27), 0.0f);
  EXPECT_FLOAT_EQ(value(28), 0.5f);  // oscillator at phase 0: half lit
  plugin->setParameter(kHiCut, 1.0f);
  idleAt(1200);
  EXPECT_FLOAT_EQ(value(26), 1.0f / 7.0f);
  plugin->setParameter(kRptInf, 1.0f);
  plugin->setParameter(kPower, 0.0f);
  idleAt(1300);
  EXPECT_FLOAT_EQ(value(26), 3.0f / 7.0f);
  EXPECT_FLOAT_EQ(value(27), 0.5f);
}

TEST_F(FrontPanel, MeterRisesAtOnceAndFallsIn500MillisecondsAtAnyIdleRate) {
  plugin->setParameter(kInput, 0.5f);  // unity gain
  plugin->setParameter(kFbck, 0.0f);
  plugin->start();
  open();
  std::vector<float> outL, outR;
  // A 200 Hz tone of this peak on both inputs (a tone, not a step, which the
  // input filter would overshoot).
  const auto play = [&](float peak) {
    std::vector<float> in(8820);
    for (size_t i = 0; i < in.size(); ++i) {
      in[i] = peak * float(std::sin(2.0 * std::numbers::pi * 200.0 * double(i) / 44100.0));
    }
    plugin->process(in, in, outL, outR);
  };
  play(0.5f);  // -6 dB
  idleAt(1100);
  EXPECT_NEAR(value(29), 0.749f, 0.005f);
  EXPECT_EQ(std::lround(value(29) * 20.0f), 15);
  play(0.06f);  // below -24 dB: the meter only falls
  idleAt(1200);
  EXPECT_NEAR(value(29), 0.549f, 0.005f);

  for (const uint32_t rate : {100u, 250u}) {
    play(1.0f);
    idleAt(2000);
    EXPECT_FLOAT_EQ(value(29), 1.0f);
    for (uint32_t t = rate; t < 500; t += rate) {
      play(0.0f);
      idleAt(2000 + t);
      EXPECT_NEAR(value(29), 1.0f - float(t) / 500.0f, 1e-5f) << rate << " " << t;
    }
    play(0.0f);
    idleAt(2500);
    EXPECT_FLOAT_EQ(value(29), 0.0f) << rate;
  }
}

TEST_F(ControllerDisplay, ShowsTheControllerOfTheParameterUnderThePointer) {
  open();
  EXPECT_EQ(shownAt(210, 40), 109);  // Fbck, by the default assignment
  EXPECT_EQ(shownAt(464, 50), 105);  // either drag area stands for DlyTime
  EXPECT_EQ(shownAt(540, 30), 105);
  EXPECT_EQ(shownAt(515, 40), 105);  // the area lies over the digits
  EXPECT_EQ(shownAt(800, 65), 129);  // the modulation lamp
  EXPECT_EQ(shownAt(5, 5), 129);     // the background
  zel->unassignParameter(kFbck);
  EXPECT_EQ(shownAt(210, 40), 128);
  clickAt(830, 20);  // the about picture is over every control
  EXPECT_EQ(shownAt(210, 40), 129);
  clickAt(210, 40);
  CPoint away(-1, -1);
  frame().onMouseExited(away, 0);
  idle();
  EXPECT_EQ(stepIndex(static_cast<EditorWithDisplay*>(editor)->display()->getValue(), 130), 129);
}
