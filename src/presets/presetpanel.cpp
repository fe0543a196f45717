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

// The panel's bitmaps, with the height of one image of each.
enum PanelBitmap : int32_t {
  kBackground = 128,
  kLoadImages = 990,
  kSaveImages = 991,
  kDefaultBankImages = 992,
  kDefaultPresetImages = 993,
  kDefaultMidiImages = 994,
  kStepImages = 995,
  kLearnImages = 998,
  kUnassignImages = 999,
};
constexpr CCoord kFileButtonImage = 15;
constexpr CCoord kDefaultButtonImage = 13;
constexpr CCoord kStepImage = 13;

constexpr CCoord kFontSize = 9;
constexpr CColor kTextColour{36, 36, 32, 255};
constexpr CColor kNameBackColour{189, 207, 218, 255};
constexpr int32_t kProgramListStyle = 0x1E00;  // draws nothing of its own
constexpr int kControllerEntries = kNumControllerNames;

// The name field is as high as its font plus a margin, centred in its strip.
CRect nameFieldRect() {
  const CCoord middle = (86.0 + 101.0) / 2;
  return {208, middle - kFontSize / 2 - 2, 320, middle + kFontSize / 2 + 2};
}

bool controllerText(float value, char text[256], void* /*userData*/) {
  std::strncpy(text, controllerName(stepIndex(value, kControllerEntries)), 255);
  text[255] = 0;
  return true;
}

// Text over the editor's background, which shows through around it.
void styleText(CParamDisplay& display, CBitmap* background) {
  auto* font = new CFontDesc("Arial", kFontSize);
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
  auto* background = new CBitmap(CResourceDescription(kBackground));
  auto* loadImages = new CBitmap(CResourceDescription(kLoadImages));
  auto* saveImages = new CBitmap(CResourceDescription(kSaveImages));
  auto* defaultBankImages = new CBitmap(CResourceDescription(kDefaultBankImages));
  auto* defaultPresetImages = new CBitmap(CResourceDescription(kDefaultPresetImages));
  auto* defaultMidiImages = new CBitmap(CResourceDescription(kDefaultMidiImages));
  auto* stepImages = new CBitmap(CResourceDescription(kStepImages));
  auto* learnImages = new CBitmap(CResourceDescription(kLearnImages));
  auto* unassignImages = new CBitmap(CResourceDescription(kUnassignImages));
  const Program* programs = presetEffect->getPrograms();
  const VstInt32 current = presetEffect->getCurrentProgramIndex();

  nameField = new CTextEdit(nameFieldRect(), this, kNameTag, NameText(programs[current].name).text);
  styleText(*nameField, background);
  nameField->setBackColor(kNameBackColour);
  nameField->setMaxLength(kProgramNameSize);  // typing stops where the program's name ends
  frame->addView(nameField);

  programList = new COptionMenu(CRect(320, 87, 333, 99), this, kProgramListTag, background, nullptr,
                                kProgramListStyle);
  programList->setBackOffset(CPoint(320, 87));
  for (VstInt32 k = 0; k < kNumPrograms; ++k) {
    programList->addEntry(NameText(programs[k].name).text);
  }
  programList->setCurrent(current);
  programList->setNbItemsPerColumn(kNumPrograms);
  frame->addView(programList);

  frame->addView(new CPSRockerSwitch(CRect(340, 86, 370, 99), this, kStepTag, kStepImage,
                                     stepImages, CPoint(0, 0), kHorizontal));
  const auto fileButton = [&](CCoord left, int32_t tag, CBitmap* images) {
    frame->addView(
        new CSaveLoadButton(CRect(left, 86, left + 17, 101), this, tag, kFileButtonImage, images));
  };
  const auto kickButton = [&](const CRect& rect, int32_t tag, CBitmap* images, CCoord height,
                              bool doubleClickOnly) {
    frame->addView(new CPSKickButton(rect, this, tag, height, images, doubleClickOnly));
  };
  fileButton(85, kLoadBankTag, loadImages);
  fileButton(34, kSaveBankTag, saveImages);
  kickButton(CRect(51, 86, 83, 99), kDefaultBankTag, defaultBankImages, kDefaultButtonImage, true);
  fileButton(177, kLoadPresetTag, loadImages);
  fileButton(114, kSavePresetTag, saveImages);
  kickButton(CRect(132, 86, 176, 99), kDefaultPresetTag, defaultPresetImages, kDefaultButtonImage,
             true);
  kickButton(CRect(421, 86, 438, 101), kRecallATag, loadImages, kFileButtonImage, false);
  kickButton(CRect(388, 86, 405, 101), kStoreATag, saveImages, kFileButtonImage, false);
  kickButton(CRect(486, 86, 503, 101), kRecallBTag, loadImages, kFileButtonImage, false);
  kickButton(CRect(452, 86, 469, 101), kStoreBTag, saveImages, kFileButtonImage, false);

  controllerDisplay = new CParamDisplay(CRect(690, 87, 780, 99));
  controllerDisplay->setTag(kControllerTag);
  styleText(*controllerDisplay, background);
  controllerDisplay->setValueToStringProc(&controllerText);
  controllerDisplay->setValue(stepCentre(kControllerEntries - 1, kControllerEntries));
  frame->addView(controllerDisplay);

  learnButton = new CPSOnOffButton(CRect(788, 85, 812, 101), this, kLearnTag, learnImages);
  frame->addView(learnButton);
  fileButton(658, kLoadMidiTag, loadImages);
  fileButton(610, kSaveMidiTag, saveImages);
  kickButton(CRect(628, 86, 656, 99), kDefaultMidiTag, defaultMidiImages, kDefaultButtonImage,
             true);
  unassignButton = new CPSOnOffButton(CRect(813, 85, 837, 101), this, kUnassignTag, unassignImages);
  frame->addView(unassignButton);

  // A window never opens in learn or unassign mode.
  presetEffect->stopLearn();
  presetEffect->stopUnassign();
  learnButton->setValue(0.0f);
  unassignButton->setValue(0.0f);

  for (CBitmap* bitmap :
       {background, loadImages, saveImages, defaultBankImages, defaultPresetImages,
        defaultMidiImages, stepImages, learnImages, unassignImages}) {
    bitmap->forget();
  }
  return true;
}

void CPresetSystemEditor::close() {
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
