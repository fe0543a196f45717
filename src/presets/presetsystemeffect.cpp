#include "presetsystemeffect.h"

#include <cstring>
#include <new>

#include "../host/aeffeditor.h"
#include "../host/valuetext.h"
#include "controllernames.h"
#include "factorypresets.h"
#include "presetsystemeditorlink.h"
#include "steps.h"

namespace {

constexpr VstInt32 kChunkVersion = 0x01000000;
constexpr int kControllerSteps = 129;           // 128 controllers and "none"
constexpr VstInt32 kControllerNameLength = 12;  // the longest name, "not assigned"
constexpr int kDefaultControllers[kNumEffectParams] = {102, 103, 104, 105, 107, 108, 109, 110, 111,
                                                       112, 113, 114, 115, 116, 117, 118, 119, 120};

// Chunk layout, in bytes.
constexpr size_t kChunkVersionAt = 0;
constexpr size_t kChunkIdAt = 4;
constexpr size_t kChunkCountAt = 8;
constexpr size_t kChunkCurrentAt = 12;
constexpr size_t kChunkProgramsAt = 32;
constexpr size_t kChunkControllersAt = kChunkProgramsAt + kNumPrograms * sizeof(Program);
static_assert(kChunkControllersAt + kNumEffectParams * sizeof(float) == kChunkSize);

VstInt32 readWord(const unsigned char* at) {
  VstInt32 word = 0;
  std::memcpy(&word, at, sizeof(word));
  return word;
}

void writeWord(unsigned char* at, VstInt32 word) { std::memcpy(at, &word, sizeof(word)); }

void reverseWord(unsigned char* at) {
  std::swap(at[0], at[3]);
  std::swap(at[1], at[2]);
}

VstInt32 byteReversed(VstInt32 word) {
  unsigned char bytes[4];
  writeWord(bytes, word);
  reverseWord(bytes);
  return readWord(bytes);
}

bool isController(VstInt32 c) { return c >= 0 && c < kNumControllers; }
bool isEffectParameter(VstInt32 p) { return p >= 0 && p < kNumEffectParams; }

float encodeController(VstInt32 c) {
  return stepCentre(isController(c) ? c : kNumControllers, kControllerSteps);
}

}  // namespace

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, kNumHostParams) {
  programsAreChunks(true);
  chunkBuffer = new (std::nothrow) unsigned char[kChunkSize];
  programs = new (std::nothrow) Program[kNumPrograms];
  makeFactoryPresets();
  controllerOfParameter = new (std::nothrow) VstInt32[kNumEffectParams];
  parameterOfController = new (std::nothrow) VstInt32[kNumControllers];
  makeDefaultControllerMap();
  learnActive = false;
  unassignActive = false;
  learnTarget = kUnassigned;
  currentProgram = 0;
  if (programs != nullptr) {
    selectingProgram = true;
    for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
      CPresetSystemEffect::setParameter(i, programs[0].values[i]);
    }
    selectingProgram = false;
  }
}

CPresetSystemEffect::~CPresetSystemEffect() {
  delete[] programs;
  delete[] controllerOfParameter;
  delete[] parameterOfController;
  delete[] chunkBuffer;
}

bool CPresetSystemEffect::tablesExist() const {
  return programs != nullptr && controllerOfParameter != nullptr &&
         parameterOfController != nullptr;
}

CPresetSystemEditorLink* CPresetSystemEffect::presetEditor() {
  return dynamic_cast<CPresetSystemEditorLink*>(editor);
}

void CPresetSystemEffect::resume() { wantEvents(1); }

void CPresetSystemEffect::setParameter(VstInt32 index, float value) {
  if (!tablesExist()) {
    return;
  }
  if (isEffectParameter(index)) {
    programs[currentProgram].values[index] = value;
    if (learnActive) {
      learnTarget = index;
    }
    if (unassignActive) {
      unassignParameter(index);
      stopUnassign();
    }
  } else if (index >= kNumEffectParams && index < kNumHostParams) {
    const VstInt32 parameter = index - kNumEffectParams;
    const int step = stepIndex(value, kControllerSteps);
    bindController(parameter, step == kNumControllers ? kUnassigned : step);
    midiParameterValues[parameter] = value;
  }
}

float CPresetSystemEffect::getParameter(VstInt32 index) {
  if (!tablesExist()) {
    return -1.0f;
  }
  if (index >= kNumEffectParams && index < kNumHostParams) {
    return midiParameterValues[index - kNumEffectParams];
  }
  return 0.0f;
}

// Hosts list these texts beside the effect parameters: the bound controller by name.
void CPresetSystemEffect::getParameterDisplay(VstInt32 index, char* text) {
  if (index < kNumEffectParams || index >= kNumHostParams) {
    AudioEffectX::getParameterDisplay(index, text);
    return;
  }
  const VstInt32 c = getControllerForParameter(index - kNumEffectParams);
  valuetext::copyLimited(controllerName(isController(c) ? c : kNumControllers), text,
                         kControllerNameLength);
}

void CPresetSystemEffect::setProgramName(char* name) {
  if (programs == nullptr || name == nullptr) {
    return;
  }
  curProgram = 0;
  copyProgramName(programs[currentProgram].name, name);
  if (CPresetSystemEditorLink* link = presetEditor()) {
    char shown[kProgramNameSize + 1] = {};
    std::memcpy(shown, programs[currentProgram].name, kProgramNameSize);
    link->showProgramName(shown);
  }
}

void CPresetSystemEffect::getProgramName(char* name) {
  if (!getProgramNameIndexed(0, currentProgram, name)) {
    *name = 0;
  }
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
  if (programs == nullptr || index < 0 || index >= kNumPrograms) {
    return false;
  }
  std::memcpy(text, programs[index].name, kProgramNameSize);
  text[kProgramNameSize] = 0;
  return true;
}

void CPresetSystemEffect::selectProgram(VstInt32 index) {
  if (programs == nullptr || index < 0 || index >= kNumPrograms) {
    return;
  }
  selectingProgram = true;
  curProgram = 0;
  currentProgram = index;
  for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
    setParameter(i, programs[index].values[i]);
  }
  updateDisplay();
  selectingProgram = false;
}

void CPresetSystemEffect::replaceProgram(VstInt32 index, const Program& program) {
  if (programs != nullptr && index >= 0 && index < kNumPrograms) {
    programs[index] = program;
  }
}

void CPresetSystemEffect::renameCurrentProgram(const char* name) {
  curProgram = 0;
  if (programs != nullptr && name != nullptr) {
    copyProgramName(programs[currentProgram].name, name);
  }
  updateDisplay();
}

VstInt32 CPresetSystemEffect::getChunk(void** data, bool /*isPreset*/) {
  if (chunkBuffer == nullptr || programs == nullptr) {
    return 0;
  }
  std::memset(chunkBuffer, 0, kChunkSize);
  writeWord(chunkBuffer + kChunkVersionAt, kChunkVersion);
  writeWord(chunkBuffer + kChunkIdAt, getUniqueId());
  writeWord(chunkBuffer + kChunkCountAt, kNumPrograms);
  writeWord(chunkBuffer + kChunkCurrentAt, currentProgram);
  std::memcpy(chunkBuffer + kChunkProgramsAt, programs, kNumPrograms * sizeof(Program));
  std::memcpy(chunkBuffer + kChunkControllersAt, midiParameterValues, sizeof(midiParameterValues));
  *data = chunkBuffer;
  return kChunkSize;
}

VstInt32 CPresetSystemEffect::setChunk(void* data, VstInt32 byteSize, bool /*isPreset*/) {
  if (chunkBuffer == nullptr || !tablesExist() || data == nullptr || byteSize != kChunkSize) {
    return -1;
  }
  unsigned char* chunk = chunkBuffer;
  std::memmove(chunk, data, kChunkSize);  // the host may hand back our own buffer
  const VstInt32 id = readWord(chunk + kChunkIdAt);
  if (id != getUniqueId()) {
    if (id != byteReversed(getUniqueId())) {
      return -1;
    }
    // Written on a machine of the other byte order: every number is reversed, names are bytes.
    reverseWord(chunk + kChunkVersionAt);
    for (size_t at = kChunkCountAt; at < kChunkProgramsAt; at += 4) {
      reverseWord(chunk + at);
    }
    for (size_t p = 0; p < kNumPrograms; ++p) {
      unsigned char* values = chunk + kChunkProgramsAt + p * sizeof(Program) + kProgramNameSize;
      for (size_t i = 0; i < kNumEffectParams; ++i) {
        reverseWord(values + i * 4);
      }
    }
    for (size_t i = 0; i < kNumEffectParams; ++i) {
      reverseWord(chunk + kChunkControllersAt + i * 4);
    }
  }
  if (readWord(chunk + kChunkVersionAt) != kChunkVersion) {
    return 0;
  }
  if (readWord(chunk + kChunkCountAt) != kNumPrograms) {
    return -1;
  }
  std::memcpy(programs, chunk + kChunkProgramsAt, kNumPrograms * sizeof(Program));
  float controllerValues[kNumEffectParams];
  std::memcpy(controllerValues, chunk + kChunkControllersAt, sizeof(controllerValues));
  // The saved assignments come back bound, as loading MIDI settings does.
  for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
    setParameter(kNumEffectParams + i, controllerValues[i]);
  }
  const VstInt32 current = readWord(chunk + kChunkCurrentAt);
  if (current >= 0 && current < kNumPrograms) {
    selectProgram(current);
  }
  return 0;
}

// One controller per parameter and one parameter per controller: a new binding
// releases whatever stood in its way, and the host-visible values follow.
void CPresetSystemEffect::bindController(VstInt32 parameter, VstInt32 controller) {
  if (!tablesExist() || !isEffectParameter(parameter)) {
    return;
  }
  const VstInt32 previous = controllerOfParameter[parameter];
  if (isController(previous) && parameterOfController[previous] == parameter) {
    parameterOfController[previous] = kUnassigned;
  }
  controllerOfParameter[parameter] = kUnassigned;
  if (isController(controller)) {
    for (VstInt32 p = 0; p < kNumEffectParams; ++p) {
      if (controllerOfParameter[p] == controller) {
        controllerOfParameter[p] = kUnassigned;
        midiParameterValues[p] = encodeController(kUnassigned);
      }
    }
    controllerOfParameter[parameter] = controller;
    parameterOfController[controller] = parameter;
  }
  midiParameterValues[parameter] = encodeController(controllerOfParameter[parameter]);
}

void CPresetSystemEffect::assignController(VstInt32 parameter, VstInt32 controller) {
  if (isController(controller)) {
    bindController(parameter, controller);
  }
}

void CPresetSystemEffect::unassignParameter(VstInt32 parameter) {
  bindController(parameter, kUnassigned);
}

void CPresetSystemEffect::unassignController(VstInt32 controller) {
  if (!tablesExist() || !isController(controller)) {
    return;
  }
  const VstInt32 p = parameterOfController[controller];
  parameterOfController[controller] = kUnassigned;
  if (isEffectParameter(p) && controllerOfParameter[p] == controller) {
    controllerOfParameter[p] = kUnassigned;
    midiParameterValues[p] = encodeController(kUnassigned);
  }
}

VstInt32 CPresetSystemEffect::getControllerForParameter(VstInt32 parameter) {
  if (controllerOfParameter == nullptr || !isEffectParameter(parameter)) {
    return kUnassigned;
  }
  return controllerOfParameter[parameter];
}

VstInt32 CPresetSystemEffect::getParameterForController(VstInt32 controller) {
  if (!tablesExist() || !isController(controller)) {
    return kUnassigned;
  }
  const VstInt32 p = parameterOfController[controller];
  if (!isEffectParameter(p) || controllerOfParameter[p] == kUnassigned) {
    return kUnassigned;
  }
  return p;
}

bool CPresetSystemEffect::takeChangeFlag() {
  const bool flag = changeFlag;
  changeFlag = false;
  return flag;
}

void CPresetSystemEffect::startLearn() {
  learnTarget = -1;
  learnActive = true;
}

void CPresetSystemEffect::stopLearn() {
  learnActive = false;
  learnTarget = -1;
  if (CPresetSystemEditorLink* link = presetEditor()) {
    link->clearLearnButton();
  }
}

void CPresetSystemEffect::setLearnTarget(VstInt32 parameter) { learnTarget = parameter; }

void CPresetSystemEffect::startUnassign() { unassignActive = true; }

void CPresetSystemEffect::stopUnassign() {
  unassignActive = false;
  if (CPresetSystemEditorLink* link = presetEditor()) {
    link->clearUnassignButton();
  }
}

void CPresetSystemEffect::loadStoredDefaults() {
  if (CPresetSystemEditorLink* link = presetEditor()) {
    link->readStoredDefaults();
  }
}

void CPresetSystemEffect::makeFactoryPresets() {
  if (programs == nullptr) {
    return;
  }
  for (int k = 0; k < kNumPrograms; ++k) {
    copyProgramName(programs[k].name, kFactoryPresets[k].name);
    std::memcpy(programs[k].values, kFactoryPresets[k].values, sizeof(programs[k].values));
  }
}

void CPresetSystemEffect::makeDefaultControllerMap() {
  if (controllerOfParameter == nullptr || parameterOfController == nullptr) {
    return;
  }
  for (int c = 0; c < kNumControllers; ++c) {
    parameterOfController[c] = kUnassigned;
  }
  for (int i = 0; i < kNumEffectParams; ++i) {
    controllerOfParameter[i] = kDefaultControllers[i];
    parameterOfController[kDefaultControllers[i]] = i;
  }
  for (int i = 0; i < kNumEffectParams; ++i) {
    midiParameterValues[i] = stepCentre(controllerOfParameter[i], kControllerSteps);
  }
}

VstInt32 CPresetSystemEffect::processEvents(VstEvents* events) {
  if (!tablesExist()) {
    return 0;
  }
  // The host allocates as many entries as it sends, beyond the two declared.
  VstEvent* const* list = events->events;
  for (VstInt32 e = 0; e < events->numEvents; ++e) {
    const VstEvent* event = list[e];
    if (event == nullptr || event->type != kVstMidiType) {
      continue;
    }
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);  // NOLINT: typed by `type`
    const auto status = static_cast<unsigned char>(midi->midiData[0]);
    const auto controller = static_cast<unsigned char>(midi->midiData[1]);
    const auto value = static_cast<unsigned char>(midi->midiData[2]);
    if ((status & 0xf0) != 0xb0 || controller >= 0x80 || value >= 0x80) {
      continue;  // not a control change, or not valid MIDI
    }
    if (learnActive && isEffectParameter(learnTarget) && controller < 120) {
      bindController(learnTarget, controller);
      stopLearn();
    }
    const VstInt32 parameter = parameterOfController[controller];
    if (parameter != kUnassigned) {
      setParameter(parameter, static_cast<float>(value) / 127.0f);
    }
  }
  return 1;
}

VstInt32 CPresetSystemEffect::canDo(char* text) {
  if (text != nullptr && std::strcmp(text, "receiveVstMidiEvent") == 0) {
    char ask[] = "sendVstMidiEvent";
    return canHostDo(ask) == 1 ? 1 : 0;
  }
  return 0;
}
