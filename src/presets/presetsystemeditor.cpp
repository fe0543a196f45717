#include "presets/presetsystemeditor.h"

#include "gui/cframe.h"
#include "gui/cparamdisplay.h"
#include "presets/presetsystemeffect.h"
#include "presets/steps.h"

namespace {

constexpr int32_t kFirstPanelTag = 33;
constexpr int32_t kLastPanelTag = 51;
// The controller display's entries: 128 controllers, "not assigned", nothing.
constexpr int kNotAssignedEntry = 128;
constexpr int kNoParameterEntry = 129;
constexpr int kControllerEntries = 130;

}  // namespace

CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* effect)
    : AEffGUIEditor(effect), presetEffect(effect) {}

CPresetSystemEditor::~CPresetSystemEditor() = default;

bool CPresetSystemEditor::open(void* window) {
  AEffGUIEditor::open(window);
  return frame != nullptr && presetEffect != nullptr;
}

void CPresetSystemEditor::close() {
  controllerDisplay = nullptr;
  learnButton = nullptr;
  unassignButton = nullptr;
  AEffGUIEditor::close();
}

// The controller display follows the pointer wherever it is: away from the
// window, or over the modal about picture, it is over no parameter.
void CPresetSystemEditor::idle() {
  AEffGUIEditor::idle();
  applyPanelRequests();
  if (frame == nullptr || controllerDisplay == nullptr) {
    return;
  }
  CPoint where;
  const CView* under = frame->getCurrentMouseLocation(where) ? frame->getViewAt(where) : nullptr;
  const auto* control = dynamic_cast<const CControl*>(under);
  if (control == nullptr || control == frame->getModalView()) {
    showControllerOf(-1);
  } else {
    showControllerOf(parameterOf(*control));
  }
}

int32_t CPresetSystemEditor::parameterOf(const CControl& control) const { return control.getTag(); }

void CPresetSystemEditor::valueChanged(CControl* control) {
  if (presetEffect == nullptr || control == nullptr) {
    return;
  }
  const int32_t tag = control->getTag();
  if (tag < kFirstPanelTag || tag > kLastPanelTag) {
    return;
  }
}

void CPresetSystemEditor::beginEdit(int32_t index) {
  if (index >= 0 && index < kNumEffectParams) {
    AEffGUIEditor::beginEdit(index);
  }
}

void CPresetSystemEditor::endEdit(int32_t index) {
  if (index >= 0 && index < kNumEffectParams) {
    AEffGUIEditor::endEdit(index);
  }
}

void CPresetSystemEditor::showControllerOf(int32_t parameter) {
  if (controllerDisplay == nullptr || presetEffect == nullptr) {
    return;
  }
  int entry = kNoParameterEntry;
  if (parameter >= 0 && parameter < kNumEffectParams) {
    const VstInt32 controller = presetEffect->getControllerForParameter(parameter);
    entry = controller == kUnassigned ? kNotAssignedEntry : static_cast<int>(controller);
  }
  controllerDisplay->setValue(stepCentre(entry, kControllerEntries));
}

// A mode switched on again since the request keeps its button lit.
void CPresetSystemEditor::applyPanelRequests() {
  if (presetEffect == nullptr) {
    return;
  }
  if (learnButtonOff.exchange(false, std::memory_order_relaxed) && learnButton != nullptr &&
      !presetEffect->isLearnActive()) {
    learnButton->setValue(0.0f);
  }
  if (unassignButtonOff.exchange(false, std::memory_order_relaxed) && unassignButton != nullptr &&
      !presetEffect->isUnassignActive()) {
    unassignButton->setValue(0.0f);
  }
}

void CPresetSystemEditor::clearLearnButton() {
  learnButtonOff.store(true, std::memory_order_relaxed);
}

void CPresetSystemEditor::clearUnassignButton() {
  unassignButtonOff.store(true, std::memory_order_relaxed);
}

void CPresetSystemEditor::showProgramName(const char* /*name*/) {}
void CPresetSystemEditor::readStoredDefaults() {}
void CPresetSystemEditor::readBank(const void* /*buffer*/, bool /*reversed*/) {}
void CPresetSystemEditor::writeBank(void* /*buffer*/) {}
void CPresetSystemEditor::readPreset(const void* /*buffer*/, bool /*reversed*/) {}
void CPresetSystemEditor::writePreset(void* /*buffer*/) {}
void CPresetSystemEditor::readMidiSettings(const void* /*buffer*/, bool /*reversed*/) {}
void CPresetSystemEditor::writeMidiSettings(void* /*buffer*/) {}
