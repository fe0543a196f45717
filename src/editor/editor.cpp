#include "editor/editor.h"

#include <cmath>
#include <new>

#include "common/steps.h"
#include "editor/editorlayout.h"
#include "gui/cbitmap.h"
#include "gui/cframe.h"
#include "plugin/zel.h"

AEffEditor* createEditor(Zel* effect) { return new (std::nothrow) Editor(effect); }

Editor::Editor(Zel* effect)
    : CPresetSystemEditor(effect),
      zel(effect),
      tempoShownSince(getTicks()),
      setDelayShownSince(tempoShownSince),
      blinkToggledAt(tempoShownSince),
      lastIdleTime(tempoShownSince),
      meterFloor(std::pow(10.0f, -1.2f)) {
  rect.top = 0;
  rect.left = 0;
  rect.bottom = static_cast<VstInt16>(layout::kWindowHeight);
  rect.right = static_cast<VstInt16>(layout::kWindowWidth);
  setKnobMode(kLinearMode);
}

// An editor destroyed with its window open closes it while it is whole.
Editor::~Editor() { Editor::close(); }

bool Editor::open(void* parentWindow) {
  if (frame != nullptr) {
    Editor::close();
  }
  // Every control starts from the parameters as they are now.
  changedParameters.store(0, std::memory_order_relaxed);
  {
    BitmapSet bitmaps;
    frame = new (std::nothrow)
        CFrame(CRect(0, 0, layout::kWindowWidth, layout::kWindowHeight), parentWindow, this);
    if (frame == nullptr) {
      return true;
    }
    frame->setBackground(bitmaps.get(layout::bitmap::kBackground));
    for (const layout::ControlRow& row : layout::kControls) {
      CControl* control = layout::createControl(row, this, bitmaps);
      if (control != nullptr && frame->addView(control)) {
        controls[row.tag] = control;
      }
    }
  }
  for (int32_t tag = 0; tag <= kDlyClk; ++tag) {
    if (tag != kDlyTime && controls[tag] != nullptr) {
      controls[tag]->setValue(getParameter(tag));
    }
  }
  setDragAreas(std::sqrt(getParameter(kDlyTime)));
  if (CControl* lamp = controls[layout::kBypassLamp]) {
    lamp->setValue(isOn(kPower) ? 0.0f : 0.5f);
  }
  CPresetSystemEditor::open(parentWindow);
  // A knob mode that the host set lasts until the window opens again.
  setKnobMode(kLinearMode);
  return true;
}

void Editor::close() {
  for (CControl*& control : controls) {
    control = nullptr;
  }
  CPresetSystemEditor::close();
}

CControl* Editor::getControl(int32_t tag) const {
  return tag >= 0 && tag < kNumTags ? controls[tag] : nullptr;
}

float Editor::getParameter(int32_t index) const { return zel->getParameter(index); }

bool Editor::isOn(int32_t index) const { return stepIndex(getParameter(index), 2) == 1; }

void Editor::setParameter(VstInt32 index, float value) {
  if (index < 0 || index > kDlyClk) {
    return;
  }
  if (index == kDlyTime) {
    changedDragAreaValue.store(std::sqrt(value), std::memory_order_relaxed);
  }
  changedParameters.fetch_or(1u << index, std::memory_order_release);
}

void Editor::applyParameterChanges() {
  const uint32_t changed = changedParameters.exchange(0, std::memory_order_acquire);
  if (changed == 0) {
    return;
  }
  for (int32_t index = 0; index <= kDlyClk; ++index) {
    if ((changed & (1u << index)) == 0) {
      continue;
    }
    if (index == kDlyTime) {
      setDragAreas(changedDragAreaValue.load(std::memory_order_relaxed));
    } else if (controls[index] != nullptr) {
      // The value in force, which may differ from the value asked for.
      controls[index]->setValue(getParameter(index));
    }
  }
}

void Editor::automate(int32_t index, float value) {
  zel->setParameterAutomated(index, value);
  applyParameterChanges();
}

void Editor::setDragAreas(float value) {
  for (int32_t tag : {layout::kNarrowArea, layout::kDisplayArea}) {
    if (controls[tag] != nullptr) {
      controls[tag]->setValue(value);
    }
  }
}

void Editor::valueChanged(CControl* control) {
  CPresetSystemEditor::valueChanged(control);
  if (control == nullptr) {
    return;
  }
  const int32_t tag = control->getTag();
  if (tag >= kFirstPanelTag) {
    return;
  }
  switch (tag) {
    case kDlyClk:
      modeSwitched(control);
      break;
    case layout::kStepDown:
    case layout::kStepUp:
      stepPressed(control);
      break;
    case layout::kNarrowArea:
    case layout::kDisplayArea:
      dragAreaMoved(control);
      break;
    default:
      if (tag >= 0 && tag < kNumZelParameters) {
        automate(tag, control->getValue());
      }
      break;
  }
}
