#include "presetsystemeffect.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "../host/aeffeditor.h"
#include "../host/valuetext.h"
#include "common/parameters.h"
#include "common/steps.h"
#include "controllernames.h"
#include "factorypresets.h"
#include "presetsystemeditorlink.h"
#include "records.h"

namespace {

constexpr VstInt32 kChunkVersion = 0x01000000;
constexpr int kControllerSteps = kNumControllers + 1;  // 128 controllers and "none"
constexpr VstInt32 kControllerNameLength = 12;         // the longest name, "not assigned"
// The names: every controller's, "not assigned" and an empty entry.
static_assert(kNumControllerNames == kNumControllers + 2);
static_assert(kNumZelParameters == kNumEffectParams);

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

void reverseWord(unsigned char* at) { writeWord(at, byteReversed(readWord(at))); }

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
  parameterOfController = new (std::nothrow) std::atomic<VstInt32>[kNumControllers];
  makeDefaultControllerMap();
  learnActive = false;
  unassignActive = false;
  learnTarget = kUnassigned;
  currentProgram = 0;
}

CPresetSystemEffect::~CPresetSystemEffect() {
  delete[] programs;
  delete[] parameterOfController;
  delete[] chunkBuffer;
}

bool CPresetSystemEffect::tablesExist() const {
  return programs != nullptr && parameterOfController != nullptr;
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
    storeProgramValue(index, value);
    if (learnActive) {
      learnTarget = index;
    }
    if (unassignActive.exchange(false)) {
      const HostValues before = readHostValues();
      unassignParameter(index);
      stopUnassign();
      tellHostOfChanges(before, ChangeCause::kMoved);
    }
  } else if (index >= kNumEffectParams && index < kNumHostParams) {
    const HostValues before = readHostValues();
    setControllerValue(index - kNumEffectParams, value);
    // A binding that takes a controller from another parameter changes that one too.
    tellHostOfChanges(before, ChangeCause::kMoved, index);
  }
}

void CPresetSystemEffect::storeProgramValue(VstInt32 index, float value) {
  for (;;) {
    const VstInt32 program = currentProgram.load();
    storeLiveValue(programs[program].values[index], value);
    if (currentProgram.load() == program) {
      return;
    }
  }
}

float CPresetSystemEffect::getParameter(VstInt32 index) {
  if (!tablesExist()) {
    return -1.0f;
  }
  if (index >= kNumEffectParams && index < kNumHostParams) {
    // The host's own value while it still names the binding; else the binding's.
    const VstInt32 parameter = index - kNumEffectParams;
    const float value = midiParameterValues[parameter].load();
    const VstInt32 controller = getControllerForParameter(parameter);
    const int step = stepIndex(value, kControllerSteps);
    if (step == (isController(controller) ? controller : kNumControllers)) {
      return value;
    }
    return encodeController(controller);
  }
  return 0.0f;
}

CPresetSystemEffect::HostValues CPresetSystemEffect::readHostValues() {
  HostValues values{};
  for (VstInt32 i = 0; i < kNumHostParams; ++i) {
    values.value[i] = getParameter(i);
  }
  return values;
}

// Hosts keep their own copy of the values and restore it beside the chunk;
// only this tells them of a change they did not make.
void CPresetSystemEffect::tellHostOfChanges(const HostValues& before, ChangeCause cause,
                                            VstInt32 skip) {
  for (VstInt32 i = 0; i < kNumHostParams; ++i) {
    const float now = getParameter(i);
    if (i != skip && now != before.value[i]) {
      tellHost(cause, i, now);
    }
  }
}

void CPresetSystemEffect::tellHost(ChangeCause cause, VstInt32 index, float value) {
  if (hostHoldsEffect.load()) {
    tell(cause, index, value);
  }
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
  const VstInt32 current = currentProgram.load();
  copyProgramName(programs[current].name, name);
  if (CPresetSystemEditorLink* link = presetEditor()) {
    link->showProgramName(ProgramNameText(programs[current].name).text);
  }
}

void CPresetSystemEffect::getProgramName(char* name) {
  if (!getProgramNameIndexed(0, currentProgram.load(), name)) {
    *name = 0;
  }
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
  if (programs == nullptr || index < 0 || index >= kNumPrograms) {
    return false;
  }
  copyProgramNameText(programs[index].name, text);
  return true;
}

void CPresetSystemEffect::selectProgram(VstInt32 index) {
  if (programs == nullptr || index < 0 || index >= kNumPrograms) {
    return;
  }
  const HostValues before = readHostValues();
  selectProgramValues(index);
  tellHostOfChanges(before, ChangeCause::kLoaded);
  updateDisplay();
}

// The program becomes current in one step, before its values go out: a value
// set meanwhile lands in it (see storeProgramValue) and not in the one left.
void CPresetSystemEffect::selectProgramValues(VstInt32 index) {
  curProgram = 0;
  currentProgram.store(index);
  float values[kNumEffectParams];
  for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
    values[i] = loadLiveValue(programs[index].values[i]);
  }
  applyingProgram.store(true);
  applyProgram(values);
  applyingProgram.store(false);
}

Program CPresetSystemEffect::copyProgram(VstInt32 index) const {
  Program program{};
  if (programs != nullptr && index >= 0 && index < kNumPrograms) {
    std::memcpy(program.name, programs[index].name, kProgramNameSize);
    for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
      program.values[i] = loadLiveValue(programs[index].values[i]);
    }
  }
  return program;
}

// Values come in limited, so what a program keeps is what it plays and saves
// again; one that is no number leaves the value the program held.
void CPresetSystemEffect::replaceProgram(VstInt32 index, const Program& program) {
  if (programs != nullptr && index >= 0 && index < kNumPrograms) {
    std::memcpy(programs[index].name, program.name, kProgramNameSize);
    for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
      float& kept = programs[index].values[i];
      storeLiveValue(kept, limitedValue(program.values[i], loadLiveValue(kept)));
    }
  }
}

void CPresetSystemEffect::renameCurrentProgram(const char* name) {
  curProgram = 0;
  if (programs != nullptr && name != nullptr) {
    copyProgramName(programs[currentProgram.load()].name, name);
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
  writeWord(chunkBuffer + kChunkCurrentAt, currentProgram.load());
  for (VstInt32 k = 0; k < kNumPrograms; ++k) {
    const Program program = copyProgram(k);
    std::memcpy(chunkBuffer + kChunkProgramsAt + k * sizeof(Program), &program, sizeof(Program));
  }
  float controllerValues[kNumEffectParams];
  for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
    controllerValues[i] = getParameter(kNumEffectParams + i);
  }
  std::memcpy(chunkBuffer + kChunkControllersAt, controllerValues, sizeof(controllerValues));
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
  const HostValues before = readHostValues();
  const VstInt32 current = readWord(chunk + kChunkCurrentAt);
  const bool selects = current >= 0 && current < kNumPrograms;
  // Without a program to select, the live state stays, and with it the values
  // of the current program, which are that state: so the chunk taken next
  // describes what plays.
  const VstInt32 live = currentProgram.load();
  for (VstInt32 k = 0; k < kNumPrograms; ++k) {
    Program program;
    std::memcpy(&program, chunk + kChunkProgramsAt + k * sizeof(Program), sizeof(Program));
    if (!selects && k == live) {
      const Program playing = copyProgram(live);
      std::memcpy(program.values, playing.values, sizeof(program.values));
    }
    replaceProgram(k, program);
  }
  float controllerValues[kNumEffectParams];
  std::memcpy(controllerValues, chunk + kChunkControllersAt, sizeof(controllerValues));
  // The saved assignments come back bound, as loading MIDI settings does.
  setControllerValues(controllerValues);
  if (selects) {
    selectProgramValues(current);
  }
  tellHostOfChanges(before, ChangeCause::kLoaded);
  if (selects) {
    updateDisplay();
  }
  return 0;
}

void CPresetSystemEffect::loadControllerValues(const float (&values)[kNumEffectParams]) {
  const HostValues before = readHostValues();
  setControllerValues(values);
  tellHostOfChanges(before, ChangeCause::kLoaded);
  updateDisplay();
}

void CPresetSystemEffect::setControllerValues(const float (&values)[kNumEffectParams]) {
  for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
    setControllerValue(i, values[i]);
  }
}

// A value that is no number names no controller; the binding stays.
void CPresetSystemEffect::setControllerValue(VstInt32 parameter, float value) {
  if (!std::isfinite(value)) {
    return;
  }
  value = std::clamp(value, 0.0f, 1.0f);  // kept as every value from outside is
  const int step = stepIndex(value, kControllerSteps);
  midiParameterValues[parameter].store(value);
  bindController(parameter, step == kNumControllers ? kUnassigned : step);
}

// One controller per parameter and one parameter per controller. The table
// maps controllers to parameters, so a controller can drive one parameter
// only; taking the new controller first and then releasing every other one
// the parameter holds leaves it at most one even when two bindings of the
// same parameter run at once (each release sees the other's take).
void CPresetSystemEffect::bindController(VstInt32 parameter, VstInt32 controller) {
  if (!tablesExist() || !isEffectParameter(parameter)) {
    return;
  }
  if (isController(controller)) {
    parameterOfController[controller].store(parameter);
  }
  for (VstInt32 c = 0; c < kNumControllers; ++c) {
    VstInt32 expected = parameter;
    if (c != controller) {
      parameterOfController[c].compare_exchange_strong(expected, kUnassigned);
    }
  }
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
  if (tablesExist() && isController(controller)) {
    parameterOfController[controller].store(kUnassigned);
  }
}

VstInt32 CPresetSystemEffect::getControllerForParameter(VstInt32 parameter) {
  if (parameterOfController == nullptr || !isEffectParameter(parameter)) {
    return kUnassigned;
  }
  for (VstInt32 c = 0; c < kNumControllers; ++c) {
    if (parameterOfController[c].load() == parameter) {
      return c;
    }
  }
  return kUnassigned;
}

VstInt32 CPresetSystemEffect::getParameterForController(VstInt32 controller) {
  if (!tablesExist() || !isController(controller)) {
    return kUnassigned;
  }
  const VstInt32 p = parameterOfController[controller].load();
  return isEffectParameter(p) ? p : kUnassigned;
}

bool CPresetSystemEffect::takeChangeFlag() { return changeFlag.exchange(false); }

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
  if (parameterOfController == nullptr) {
    return;
  }
  for (int c = 0; c < kNumControllers; ++c) {
    parameterOfController[c].store(kUnassigned);
  }
  for (int i = 0; i < kNumEffectParams; ++i) {
    const int controller = kParameterTable[i].defaultController;
    parameterOfController[controller].store(i);
    midiParameterValues[i].store(encodeController(controller));
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
    const VstInt32 target = learnTarget.load();
    if (learnActive && isEffectParameter(target) && controller < 120) {
      const HostValues before = readHostValues();
      bindController(target, controller);
      stopLearn();
      tellHostOfChanges(before, ChangeCause::kMoved);
    }
    const VstInt32 parameter = parameterOfController[controller].load();
    if (isEffectParameter(parameter)) {
      const float asked = static_cast<float>(value) / 127.0f;
      setParameter(parameter, asked);
      // Hosts keep their own copy of each value, which a controller moves
      // behind their back; a value refused was told as such already.
      if (getParameter(parameter) == asked) {
        tellHost(ChangeCause::kMoved, parameter, asked);
      }
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
