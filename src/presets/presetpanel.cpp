// The preset panel along the window's bottom strip: its nineteen controls, and
// what each of them does.
#include <cmath>
#include <cstring>

#include "common/steps.h"
#include "common/utf8text.h"
#include "gui/cbitmap.h"
#include "gui/cframe.h"
#include "gui/coptionmenu.h"
#include "gui/ctextedit.h"
#include "layout/windowlayout.h"
#include "presets/controllernames.h"
#include "presets/cpskickbutton.h"
#include "presets/cpsonoffbutton.h"
#include "presets/cpsrockerswitch.h"
#include "presets/csaveloadbutton.h"
#include "presets/presetsystemeditor.h"
#include "presets/presetsystemeffect.h"

namespace {

enum PanelTag : int32_t {
  kNameTag = CPresetSystemEditor::kFirstPanelTag,
  kStepTag,
  kLoadBankTag,
  kSaveBankTag,
  kLoadPresetTag,
  kSavePresetTag,
  kControllerTag,
  kLearnTag,
  kLoadMidiTag,
  kSaveMidiTag,
  kDefaultMidiTag,
  kUnassignTag,
  kProgramListTag,
  kDefaultBankTag,
  kDefaultPresetTag,
  kStoreATag,
  kStoreBTag,
  kRecallATag,
  kRecallBTag,
};

constexpr CColor kTextColour{36, 36, 32, 255};
constexpr CColor kNameBackColour{189, 207, 218, 255};
constexpr int32_t kProgramListStyle = 0x1E00;  // draws nothing of its own
constexpr int kControllerEntries = kNumControllerNames;

CRect rectOf(const layout::Place& place) {
  const layout::Rect& r = place.rect;
  return {CCoord(r.left), CCoord(r.top), CCoord(r.right), CCoord(r.bottom)};
}

// The height of one of the images stacked in a control's bitmap.
CCoord imageHeightOf(const layout::Place& place) {
  return layout::shapeOf(place.bitmap).imageHeight;
}

bool controllerText(float value, char text[256], void* /*userData*/) {
  std::strncpy(text, controllerName(stepIndex(value, kControllerEntries)), 255);
  text[255] = 0;
  return true;
}

// Text over the editor's background, which shows through around it.
void styleText(CParamDisplay& display, CBitmap* background) {
  auto* font = new CFontDesc("Arial", layout::panel::kFontSize);
  display.setFont(font);
  font->forget();
  display.setFontColor(kTextColour);
  display.setFrameColor(kTextColour);
  display.setHoriAlign(kCenterText);
  display.setBackground(background);
  display.setBackOffset(display.getViewSize().getTopLeft());
}

using NameText = ProgramNameText;

}  // namespace

bool CPresetSystemEditor::open(void* window) {
  AEffGUIEditor::open(window);
  if (frame == nullptr || presetEffect == nullptr || presetEffect->getPrograms() == nullptr) {
    return false;
  }
  using namespace layout::panel;
  BitmapSet bitmaps;
  CBitmap* background = bitmaps.get(layout::bitmap::kBackground);
  const Program* programs = presetEffect->getPrograms();
  const VstInt32 current = presetEffect->getCurrentProgramIndex();

  nameField =
      new CTextEdit(rectOf(kNameField), this, kNameTag, NameText(programs[current].name).text);
  styleText(*nameField, background);
  nameField->setBackColor(kNameBackColour);
  nameField->setMaxLength(kProgramNameSize);  // typing stops where the program's name ends
  frame->addView(nameField);

  programList = new COptionMenu(rectOf(kProgramList), this, kProgramListTag, background, nullptr,
                                kProgramListStyle);
  programList->setBackOffset(programList->getViewSize().getTopLeft());
  for (VstInt32 k = 0; k < kNumPrograms; ++k) {
    programList->addEntry(NameText(programs[k].name).text);
  }
  programList->setCurrent(current);
  programList->setNbItemsPerColumn(kNumPrograms);
  frame->addView(programList);

  frame->addView(new CPSRockerSwitch(rectOf(kPreviousNext), this, kStepTag,
                                     imageHeightOf(kPreviousNext),
                                     bitmaps.get(kPreviousNext.bitmap), CPoint(0, 0), kHorizontal));
  const auto fileButton = [&](const layout::Place& at, int32_t tag) {
    frame->addView(
        new CSaveLoadButton(rectOf(at), this, tag, imageHeightOf(at), bitmaps.get(at.bitmap)));
  };
  const auto kickButton = [&](const layout::Place& at, int32_t tag, bool doubleClickOnly) {
    frame->addView(new CPSKickButton(rectOf(at), this, tag, imageHeightOf(at),
                                     bitmaps.get(at.bitmap), doubleClickOnly));
  };
  fileButton(kLoadBank, kLoadBankTag);
  fileButton(kSaveBank, kSaveBankTag);
  kickButton(kDefaultBank, kDefaultBankTag, true);
  fileButton(kLoadPreset, kLoadPresetTag);
  fileButton(kSavePreset, kSavePresetTag);
  kickButton(kDefaultPreset, kDefaultPresetTag, true);
  kickButton(kRecallA, kRecallATag, false);
  kickButton(kStoreA, kStoreATag, false);
  kickButton(kRecallB, kRecallBTag, false);
  kickButton(kStoreB, kStoreBTag, false);

  controllerDisplay = new CParamDisplay(rectOf(kControllerDisplay));
  controllerDisplay->setTag(kControllerTag);
  styleText(*controllerDisplay, background);
  controllerDisplay->setValueToStringProc(&controllerText);
  controllerDisplay->setValue(stepCentre(kControllerEntries - 1, kControllerEntries));
  frame->addView(controllerDisplay);

  learnButton = new CPSOnOffButton(rectOf(kLearn), this, kLearnTag, bitmaps.get(kLearn.bitmap));
  frame->addView(learnButton);
  fileButton(kLoadMidi, kLoadMidiTag);
  fileButton(kSaveMidi, kSaveMidiTag);
  kickButton(kDefaultMidi, kDefaultMidiTag, true);
  unassignButton =
      new CPSOnOffButton(rectOf(kUnassign), this, kUnassignTag, bitmaps.get(kUnassign.bitmap));
  frame->addView(unassignButton);

  // A window never opens in learn or unassign mode.
  presetEffect->stopLearn();
  presetEffect->stopUnassign();
  learnButton->setValue(0.0f);
  unassignButton->setValue(0.0f);
  return true;
}

void CPresetSystemEditor::close() {
  fileDialogOpen = false;  // closing the frame ends a dialog still open, unanswered
  nameField = nullptr;
  programList = nullptr;
  controllerDisplay = nullptr;
  learnButton = nullptr;
  unassignButton = nullptr;
  AEffGUIEditor::close();
}

void CPresetSystemEditor::valueChanged(CControl* control) {
  if (presetEffect == nullptr || control == nullptr) {
    return;
  }
  const float v = control->getValue();
  const bool rightClick = v == 0.5f;  // a load button's right click: the other byte order
  const bool clears = v < 0.75f;      // a default button's control-double-click
  switch (control->getTag()) {
    case kNameTag:
      renameFromNameField();
      break;
    case kStepTag:
      if (v != 0.0f) {
        const VstInt32 p = presetEffect->getCurrentProgramIndex() + (v > 0.0f ? 1 : -1);
        chooseProgram(p < 0 ? 0 : (p >= kNumPrograms ? kNumPrograms - 1 : p));
      }
      break;
    case kProgramListTag:
      chooseProgram(static_cast<VstInt32>(std::lround(v)));
      break;
    case kLoadBankTag:
      loadFile(FileKind::kBank, rightClick);
      break;
    case kSaveBankTag:
      saveFile(FileKind::kBank);
      break;
    case kLoadPresetTag:
      loadFile(FileKind::kPreset, rightClick);
      break;
    case kSavePresetTag:
      saveFile(FileKind::kPreset);
      break;
    case kLoadMidiTag:
      loadFile(FileKind::kMidiSettings, rightClick);
      break;
    case kSaveMidiTag:
      saveFile(FileKind::kMidiSettings);
      break;
    case kLearnTag:
      presetEffect->stopUnassign();
      v == 0.0f ? presetEffect->stopLearn() : presetEffect->startLearn();
      break;
    case kUnassignTag:
      presetEffect->stopLearn();
      v == 0.0f ? presetEffect->stopUnassign() : presetEffect->startUnassign();
      break;
    case kDefaultBankTag:
      confirmOn(*control,
                clears ? forgetRecord("DefaultBank") : storeRecord("DefaultBank", FileKind::kBank),
                clears);
      break;
    case kDefaultPresetTag:
      confirmOn(
          *control,
          clears ? forgetRecord("DefaultPreset") : storeRecord("DefaultPreset", FileKind::kPreset),
          clears);
      break;
    case kDefaultMidiTag:
      if (v != 0.0f) {
        confirmOn(*control, storeRecord("DefaultMidi", FileKind::kMidiSettings), false);
      }
      break;
    case kStoreATag:
      confirmOn(*control, storeRecord("MemoA", FileKind::kPreset), false);
      break;
    case kStoreBTag:
      confirmOn(*control, storeRecord("MemoB", FileKind::kPreset), false);
      break;
    case kRecallATag:
      recallRecord("MemoA", FileKind::kPreset);
      break;
    case kRecallBTag:
      recallRecord("MemoB", FileKind::kPreset);
      break;
    default:
      break;
  }
}

void CPresetSystemEditor::confirmOn(CControl& button, bool done, bool removal) {
  if (done && button.isTypeOf("CPSKickButton")) {
    static_cast<CPSKickButton&>(button).confirm(removal ? CPSKickButton::Confirmation::kRemoved
                                                        : CPSKickButton::Confirmation::kStored);
  }
}

void CPresetSystemEditor::followConfirmations() {
  if (frame == nullptr) {
    return;
  }
  const uint32_t now = getTicks();
  for (int32_t i = 0; i < frame->getNbViews(); ++i) {
    CView* view = frame->getView(i);
    if (view->isTypeOf("CPSKickButton")) {
      static_cast<CPSKickButton*>(view)->followConfirmation(now);
    }
  }
}

void CPresetSystemEditor::showProgramName(const char* name) {
  if (nameField != nullptr) {
    nameField->setText(name);
  }
  if (programList != nullptr) {
    if (CMenuItem* entry = programList->getCurrent()) {
      entry->setTitle(name);
      programList->invalid();
    }
  }
}

// The program list, the name field and the engine follow the program chosen;
// the host is told of its name.
void CPresetSystemEditor::chooseProgram(VstInt32 index) {
  if (index < 0 || index >= kNumPrograms) {
    return;
  }
  const NameText name(presetEffect->getPrograms()[index].name);
  if (programList != nullptr) {
    programList->setCurrent(index);
  }
  if (nameField != nullptr) {
    nameField->setText(name.text);
  }
  presetEffect->selectProgram(index);
  presetEffect->renameCurrentProgram(name.text);
}

void CPresetSystemEditor::followPrograms() {
  if (programList == nullptr || presetEffect->getPrograms() == nullptr) {
    return;
  }
  const VstInt32 current = presetEffect->getCurrentProgramIndex();
  for (VstInt32 k = 0; k < kNumPrograms; ++k) {
    CMenuItem* entry = programList->getEntry(k);
    const NameText name(presetEffect->getPrograms()[k].name);
    if (entry != nullptr && std::strcmp(entry->getTitle(), name.text) != 0) {
      entry->setTitle(name.text);
      programList->invalid();
    }
  }
  if (programList->getCurrentIndex() != current) {
    programList->setCurrent(current);
  }
  const NameText name(presetEffect->getPrograms()[current].name);
  if (nameField != nullptr && !nameField->isEditing() &&
      std::strcmp(nameField->getText(), name.text) != 0) {
    nameField->setText(name.text);
  }
}

// A name typed in is kept to what the program's name field holds, cut between
// characters.
void CPresetSystemEditor::renameFromNameField() {
  if (nameField == nullptr) {
    return;
  }
  const std::string name(utf8::prefix(nameField->getText(), kProgramNameSize));
  showProgramName(name.c_str());
  presetEffect->renameCurrentProgram(name.c_str());
}
