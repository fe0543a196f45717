// The front panel's idle pass: the four-digit display (effective delay, delay
// being set, tempo, note length), the status, bypass and modulation lamps, the
// headroom meter and the controller display.
#include <algorithm>
#include <cmath>

#include "editor/editor.h"
#include "editor/editorlayout.h"
#include "engine/zel.h"
#include "gui/cframe.h"
#include "presets/steps.h"

namespace {

constexpr int kBlank = 10;
constexpr float kDigitImages = 11.0f;  // 12 images: 0 to 9, blank, "P"
constexpr int kLargestShown = 9999;
// The display's states last this long after the last change (milliseconds).
constexpr uint32_t kShowFor = 500;
constexpr uint32_t kBlinkPeriod = 500;
constexpr float kMeterRangeDb = 24.0f;

// The parameter a control under the pointer stands for; -1 for none.
int32_t parameterUnder(const CView* view) {
  const auto* control = dynamic_cast<const CControl*>(view);
  if (control == nullptr) {
    return -1;
  }
  const int32_t tag = control->getTag();
  if (tag == layout::kNarrowArea || tag == layout::kDisplayArea) {
    return kDlyTime;  // the drag areas set DlyTime
  }
  return tag;
}

}  // namespace

void Editor::idle() {
  applyParameterChanges();
  AEffGUIEditor::idle();
  applyPanelRequests();
  if (frame == nullptr) {
    return;
  }
  // The controller display follows the pointer; the modal about picture is
  // over no parameter. The front panel updates wherever the pointer is.
  CPoint where;
  const CView* under = frame->getCurrentMouseLocation(where) ? frame->getViewAt(where) : nullptr;
  showControllerOf(under == frame->getModalView() ? -1 : parameterUnder(under));

  const uint32_t now = getTicks();
  const EngineStatus status = zel->getEngineStatus();
  updateDisplay(now, status.nominalDelayMs, status.effectiveDelayMs);
  if (CControl* lamp = controls[layout::kModulationLamp]) {
    lamp->setValue(std::sin(status.oscillatorPhase) * 0.5f + 0.5f);
  }
  if (CControl* lamps = controls[layout::kStatusLamps]) {
    const int bits =
        (isOn(kHiCut) ? 1 : 0) + (isOn(kRptInf) ? 2 : 0) + (status.cycleIndicator ? 4 : 0);
    lamps->setValue(static_cast<float>(bits) / 7.0f);
  }
  updateMeter(now, status.peakLevel);
  if (CControl* lamp = controls[layout::kBypassLamp]) {
    lamp->setValue(isOn(kPower) ? 0.0f : 0.5f);
  }
  lastIdleTime = now;
}

void Editor::updateDisplay(uint32_t now, int nominalDelay, int effectiveDelay) {
  if (showingTempo) {
    if (now - tempoShownSince > kShowFor) {
      showingTempo = false;
    }
    showNumber(zel->getTempo());
  } else if (isOn(kDlyClk)) {
    const int num =
        static_cast<int>(numeratorTable[stepIndex(getParameter(kNum), kNumeratorSteps)]);
    const int den =
        static_cast<int>(denominatorTable[stepIndex(getParameter(kDen), kDenominatorSteps)]);
    showClockDigits(num, den);
    // A note length that the delay memory cannot hold blinks.
    const auto length = static_cast<int>(static_cast<float>(num) * 240000.0f /
                                         (static_cast<float>(den) * zel->getTempo()));
    if (length > static_cast<int>(kMaxDelayMs)) {
      if (now - blinkToggledAt >= kBlinkPeriod) {
        blinkToggledAt = now;
        blinkBlank = !blinkBlank;
      }
      if (blinkBlank) {
        blankDisplay();
      }
    }
  } else if (showingSetDelay) {
    showNumber(static_cast<float>(nominalDelay));
    if (now - setDelayShownSince >= kShowFor) {
      showingSetDelay = false;
    }
  } else {
    showNumber(static_cast<float>(effectiveDelay));
  }
}

void Editor::showClockDigits(int numerator, int denominator) {
  if (!digitsExist()) {
    return;
  }
  setDigit(0, numerator);
  setDigit(1, kBlank);
  setDigit(2, denominator >= 10 ? denominator / 10 : kBlank);
  setDigit(3, denominator % 10);
}

// The meter rises at once and falls over its whole scale in meterFallTime,
// however often the host runs the idle.
void Editor::updateMeter(uint32_t now, float level) {
  CControl* meter = controls[layout::kMeter];
  if (meter == nullptr) {
    return;
  }
  const float db = level <= meterFloor ? -kMeterRangeDb : std::min(20.0f * std::log10(level), 0.0f);
  const float target = db / kMeterRangeDb + 1.0f;
  const float fallen =
      std::max(meter->getValue() - static_cast<float>(now - lastIdleTime) / meterFallTime, 0.0f);
  meter->setValue(std::max(fallen, target));
}

// Leading zeros are blank, inner zeros shown; the display holds four digits.
void Editor::showNumber(float value) {
  if (!digitsExist()) {
    return;
  }
  const int n = value >= 0.0f ? static_cast<int>(std::min(value, float(kLargestShown))) : 0;
  int rest = n;
  int digits[layout::kNumDigits];
  int scale = 1000;
  for (int& digit : digits) {
    if (n >= scale || scale == 1) {
      digit = rest / scale;
      rest -= digit * scale;
    } else {
      digit = kBlank;
    }
    scale /= 10;
  }
  for (int i = 0; i < layout::kNumDigits; ++i) {
    setDigit(i, digits[i]);
  }
}

void Editor::blankDisplay() {
  if (!digitsExist()) {
    return;
  }
  for (int i = 0; i < layout::kNumDigits; ++i) {
    setDigit(i, kBlank);
  }
}

void Editor::setDigit(int digit, int image) {
  controls[layout::kDigit1 + digit]->setValue(static_cast<float>(image) / kDigitImages);
}

bool Editor::digitsExist() const {
  for (int i = 0; i < layout::kNumDigits; ++i) {
    if (controls[layout::kDigit1 + i] == nullptr) {
      return false;
    }
  }
  return true;
}
