#include "presets/presetsystemeditor.h"

#include "common/steps.h"
#include "gui/cframe.h"
#include "gui/cparamdisplay.h"
#include "platform/fileaccess.h"
#include "presets/controllernames.h"
#include "presets/presetsystemeffect.h"

namespace {

// The controller display's entries: 128 controllers, "not assigned", nothing.
constexpr int kNotAssignedEntry = kNumControllers;
constexpr int kNoParameterEntry = kNumControllers + 1;
constexpr int kControllerEntries = kNumControllerNames;
static_assert(kControllerEntries == kNoParameterEntry + 1);

}  // namespace

// Dialogs start in the working directory until the stored locations are read.
CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* effect)
    : AEffGUIEditor(effect), presetEffect(effect) {
  locations.setDirectory(platform::workingDirectory());
  storedLocations = locations;
}

CPresetSystemEditor::~CPresetSystemEditor() { saveFileLocations(); }

// The controller display follows the pointer wherever it is: away from the
// window, or over the modal about picture, it is over no parameter.
void CPresetSystemEditor::idle() {
  followConfirmations();  // before the redraw, which shows the change
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
  followPrograms();
}

void CPresetSystemEditor::clearLearnButton() {
  learnButtonOff.store(true, std::memory_order_relaxed);
}

void CPresetSystemEditor::clearUnassignButton() {
  unassignButtonOff.store(true, std::memory_order_relaxed);
}
