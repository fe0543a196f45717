// The front panel's idle pass: the four-digit display (effective delay, delay
// being set, tempo, note length), the status, bypass and modulation lamps, the
// headroom meter and the controller display.
#include <algorithm>
#include <cmath>

#include "common/steps.h"
#include "editor/editor.h"
#include "editor/editorlayout.h"
#include "gui/cframe.h"
#include "plugin/zel.h"

namespace {

constexpr int kBlank = 10;
constexpr float kDigitImages = 11.0f;  // 12 images: 0 to 9, blank, "P"
constexpr int kLargestShown = 9999;
// The display's states last this long after the last change (milliseconds).
constexpr uint32_t kShowFor = 500;
constexpr uint32_t kBlinkPeriod = 500;
constexpr float kMeterRangeDb = 24.0f;

}  // namespace

// The front panel follows the engine wherever the pointer is, also away from
// the window.
void Editor::idle() {
  applyParameterChanges();
  CPresetSystemEditor::idle();
  if (frame == nullptr) {
    return;
  }
  const uint32_t now = getTicks();
  const EngineStatus status = zel->getEngineStatus();
  updateDisplay(now, status);
  if (CControl* lamp = controls[layout::kModulationLamp]) {
    lamp->setValue(std::sin(status.oscillatorPhase) * 0.5f + 0.5f);
  }
  if (CControl* lamps = controls[layout::kStatusLamps]) {
    const int bits =
        (isOn(kHiCut) ? 1 : 0) + (isOn(kRptInf) ? 2 : 0) + (status.cycleIndicator ? 4 : 0);
    lamps->setValue(static_cast<float>(bits) / 7.0f);
  }
  updateMeter(now, status);
  if (CControl* lamp = controls[layout::kBypassLamp]) {
    lamp->setValue(isOn(kPower) ? 0.0f : 0.5f);
  }
  lastIdleTime = now;
}

int32_t Editor::parameterOf(const CControl& control) const {
  const int32_t tag = control.getTag();
  if (tag == layout::kNarrowArea || tag == layout::kDisplayArea) {
    return kDlyTime;  // the drag areas set DlyTime
  }
  return tag;
}

void Editor::updateDisplay(uint32_t now, const EngineStatus& status) {
  if (showingTempo) {
    if (now - tempoShownSince > kShowFor) {
      showingTempo = false;
    }
    showNumber(zel->getTempo());
  } else if (isOn(kDlyClk)) {
    const int num = stepIndex(getParameter(kNum), kNumeratorSteps);
    const int den = stepIndex(getParameter(kDen), kDenominatorSteps);
    showNoteLength(static_cast<int>(numeratorTable[num]), static_cast<int>(denominatorTable[den]));
    // A note length that the delay memory cannot hold blinks.
    const auto length = static_cast<int>(noteLengthMs(num, den, zel->getTempo()));
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
    showNumber(static_cast<float>(status.nominalDelayMs));
    if (now - setDelayShownSince >= kShowFor) {
      showingSetDelay = false;
    }
  } else {
    showNumber(static_cast<float>(status.effectiveDelayMs));
  }
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a fraction's two parts
void Editor::showNoteLength(int numerator, int denominator) {
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
void Editor::updateMeter(uint32_t now, const EngineStatus& status) {
  CControl* meter = controls[layout::kMeter];
  if (meter == nullptr) {
    return;
  }
  const float level = status.peakLevel;
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
  int scale = 1000;
  for (int i = 0; i < layout::kNumDigits; ++i, scale /= 10) {
    int digit = kBlank;
    if (n >= scale || scale == 1) {
      digit = rest / scale;
      rest -= digit * scale;
    }
    setDigit(i, digit);
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
