// The effect interface over Zel: life cycle, processing with events on their
// own frames, state, programs and the editor, each through the effect's own
// operations; and the effect's questions to its host answered from the block.
#include "zeleffect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "common/steps.h"
#include "editor/editor.h"
#include "gui/aeffguieditor.h"
#include "gui/cframe.h"
#include "gui/zoomscale.h"
#include "plugin/parametertable.h"
#include "plugin/parametertext.h"
#include "plugin/zel.h"

namespace {

constexpr VstInt32 kProcessLevelUser = 1;
constexpr VstInt32 kProcessLevelRealtime = 2;

// The effect asks through its record; the record's user field leads here.
extern "C" VstIntPtr effectHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                void* ptr, float /*opt*/) {
  if (opcode == audioMasterVersion) {
    return kVstVersion;
  }
  auto* self = effect != nullptr ? static_cast<ZelEffect*>(effect->user) : nullptr;
  return self != nullptr ? self->answer(opcode, index, value, ptr) : 0;
}

// What this side does for the effect: time, MIDI, and resizing the editor
// (the listener's host decides whether a size is taken).
bool doesForEffect(const char* what) {
  return what != nullptr &&
         (std::strcmp(what, "sendVstMidiEvent") == 0 || std::strcmp(what, "sendVstEvents") == 0 ||
          std::strcmp(what, "sendVstTimeInfo") == 0 || std::strcmp(what, "sizeWindow") == 0);
}

std::string trimmed(const char* text) {
  std::string s(text);
  const size_t first = s.find_first_not_of(' ');
  const size_t last = s.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

// A display that is one decimal number, with at most two decimals and no
// trailing zeros; any other display as it is.
std::string readableNumber(const std::string& shown) {
  char* end = nullptr;
  const double number = std::strtod(shown.c_str(), &end);
  if (shown.find('.') == std::string::npos || end == shown.c_str() || *end != 0 ||
      !std::isfinite(number)) {
    return shown;
  }
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%.2f", number);
  std::string out = buffer;
  out.erase(out.find_last_not_of('0') + 1);
  if (out.back() == '.') {
    out.pop_back();
  }
  return out == "-0" ? "0" : out;
}

bool isEffectParameter(uint32_t id) { return id < static_cast<uint32_t>(kNumZelParameters); }

}  // namespace

OndexEffect* OndexEffect::create() {
  auto* effect = new (std::nothrow) ZelEffect();
  if (effect != nullptr && !effect->init()) {
    delete effect;
    return nullptr;
  }
  return effect;
}

bool ZelEffect::init() {
  zel = static_cast<Zel*>(createEffectInstance(effectHost, &createEditor));
  if (zel == nullptr) {
    return false;
  }
  record = zel->getAeffect();
  record->user = this;
  zel->setChangeListener(this);
  zel->open();
  return true;
}

// Closed as a host closes it: the record's close deletes the effect.
ZelEffect::~ZelEffect() {
  if (record != nullptr) {
    closeEditor();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  }
  delete[] silence;
}

// Whatever the effect raises while this thread applies a block's events
// belongs to that block, at the frame the block has reached.
void ZelEffect::effectChanged(const EffectChange& change) {
  EffectListener* heard = outer.load();
  if (heard == nullptr) {
    return;
  }
  EffectChange told = change;
  if (std::this_thread::get_id() == blockThread.load()) {
    told.inBlock = true;
    told.frame = spanStart;
  }
  heard->effectChanged(told);
  if (change.index == kDlyx2 && change.cause != ChangeCause::kGestureBegin &&
      change.cause != ChangeCause::kGestureEnd) {
    tellTextsMoved(told);
  }
}

// The delay's text is the time heard, which Dlyx2 doubles.
void ZelEffect::tellTextsMoved(const EffectChange& cause) {
  if (EffectListener* heard = outer.load()) {
    heard->effectChanged({ChangeCause::kTexts, kDlyx2, 0.0f, cause.inBlock, cause.frame});
  }
}

bool ZelEffect::editorResizeWanted(int32_t width, int32_t height) {
  EffectListener* heard = outer.load();
  return heard != nullptr && heard->editorResizeWanted(width, height);
}

float ZelEffect::parameter(uint32_t id) const {
  return isEffectParameter(id) ? zel->getParameter(static_cast<VstInt32>(id)) : 0.0f;
}

float ZelEffect::setParameter(uint32_t id, float value, ValueSource from) {
  if (!isEffectParameter(id)) {
    return 0.0f;
  }
  const auto index = static_cast<VstInt32>(id);
  if (from == ValueSource::kEditor) {
    zel->setParameterAutomated(index, value);
  } else {
    zel->setParameter(index, value);
  }
  const float inForce = zel->getParameter(index);
  if (from == ValueSource::kMidi) {
    effectChanged({ChangeCause::kMoved, index, inForce});
  } else if (from != ValueSource::kEditor && id == kDlyx2) {
    // The host's own value is told back to no one, but the texts it moves are.
    EffectChange set{ChangeCause::kMoved, index, inForce};
    if (std::this_thread::get_id() == blockThread.load()) {
      set.inBlock = true;
      set.frame = spanStart;
    }
    tellTextsMoved(set);
  }
  return inForce;
}

void ZelEffect::parameterText(uint32_t id, float value, char* text, size_t size) const {
  if (text == nullptr || size == 0) {
    return;
  }
  if (!isEffectParameter(id)) {
    *text = 0;
    return;
  }
  // The effect's own display and unit, as the VST 2.4 build shows them, with
  // numbers as a musician reads them ("0.1 Hz", not "0.100000 Hz"), and the
  // delay as it is heard, doubled when Dlyx2 doubles it.
  char display[kVstMaxLabelLen + 1] = {};
  zel->getParameterDisplayOf(static_cast<VstInt32>(id), value, display);
  std::string shown = trimmed(display);
  if (id == kDlyTime && zel->getParameter(kDlyx2) >= 0.5f) {
    shown =
        std::to_string(static_cast<int>(2.0f * kMaxDelayMs * std::clamp(value, 0.0f, 1.0f) + 0.5f));
  } else {
    shown = readableNumber(shown);
  }
  const std::string unit = trimmed(kParameterTable[id].label);
  std::snprintf(text, size, "%s%s%s", shown.c_str(), unit.empty() ? "" : " ", unit.c_str());
}

bool ZelEffect::parameterFromText(uint32_t id, const char* text, float& value) const {
  if (!isEffectParameter(id) || text == nullptr) {
    return false;
  }
  // Read against the effect's own displays, so that a text it shows comes back exactly.
  const auto displayOf = [this, id](float v) {
    char display[kVstMaxLabelLen + 1] = {};
    zel->getParameterDisplayOf(static_cast<VstInt32>(id), v, display);
    return trimmed(display);
  };
  // A doubled delay is shown as heard, twice the parameter's time.
  if (id == kDlyTime && zel->getParameter(kDlyx2) >= 0.5f) {
    char* end = nullptr;
    const double heard = std::strtod(text, &end);
    if (end == text || !std::isfinite(heard)) {
      return false;
    }
    char halved[32];
    std::snprintf(halved, sizeof(halved), "%.1f", std::clamp(heard, -1e6, 1e6) / 2.0);
    return parseParameterText(static_cast<int>(id), halved, displayOf, value);
  }
  return parseParameterText(static_cast<int>(id), text, displayOf, value);
}

bool ZelEffect::activate(double sampleRate, uint32_t frames) {
  delete[] silence;
  silence = new (std::nothrow) float[frames]();
  if (silence == nullptr || frames == 0) {
    return false;
  }
  maxFrames = frames;
  zel->setSampleRate(static_cast<float>(sampleRate));
  zel->setBlockSize(static_cast<VstInt32>(std::min<uint32_t>(frames, INT32_MAX)));
  zel->resume();
  active = true;
  return true;
}

void ZelEffect::deactivate() {
  if (active) {
    zel->suspend();
    active = false;
  }
}

// A switch off and on clears the memory and the signal state; values stay.
void ZelEffect::reset() {
  zel->suspend();
  zel->resume();
}

void ZelEffect::renderSpan(const AudioBlock& audio, uint32_t from, uint32_t to) {
  if (to <= from || audio.outputs[0] == nullptr) {
    return;
  }
  rightInput = audio.inputs[1] != nullptr;
  rightOutput = audio.outputs[1] != nullptr;
  // Without an input the silence stands in, which is as long as the longest block.
  const uint32_t most = audio.inputs[0] != nullptr ? to - from : maxFrames;
  for (uint32_t at = from; at < to; at += most) {
    const uint32_t end = std::min(to, at + most);
    spanStart = at;
    float* inputs[2] = {silence, silence};
    if (audio.inputs[0] != nullptr) {
      // The effect reads its inputs only; its signature is the host's.
      inputs[0] = const_cast<float*>(audio.inputs[0] + at);                           // NOLINT
      inputs[1] = rightInput ? const_cast<float*>(audio.inputs[1] + at) : inputs[0];  // NOLINT
    }
    float* outputs[2] = {audio.outputs[0] + at, rightOutput ? audio.outputs[1] + at : nullptr};
    zel->processReplacing(inputs, outputs, static_cast<VstInt32>(end - at));
  }
}

void ZelEffect::applyMidi(const uint8_t (&bytes)[3]) {
  VstMidiEvent midi{};
  midi.type = kVstMidiType;
  midi.byteSize = sizeof(VstMidiEvent);
  for (int i = 0; i < 3; ++i) {
    midi.midiData[i] = static_cast<char>(bytes[i]);
  }
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&midi);  // NOLINT: same layout by the ABI
  zel->processEvents(&list);
}

void ZelEffect::process(const AudioBlock& audio, const BlockEvent* events, size_t count,
                        const Transport* given) {
  blockThread.store(std::this_thread::get_id());
  hasTransport = given != nullptr;
  if (hasTransport) {
    transport = *given;
  }
  transportFrame = 0;
  uint32_t done = 0;
  spanStart = 0;
  for (size_t i = 0; i < count; ++i) {
    const BlockEvent& event = events[i];
    const uint32_t at = std::min(event.frame, audio.frames);
    renderSpan(audio, done, at);
    done = std::max(done, at);
    spanStart = done;
    switch (event.kind) {
      case BlockEvent::Kind::kParameter:
        setParameter(event.id, event.value, ValueSource::kHost);
        break;
      case BlockEvent::Kind::kMidi:
        applyMidi(event.midi);
        break;
      case BlockEvent::Kind::kTransport:
        transport = event.transport;
        hasTransport = true;
        transportFrame = at;
        break;
    }
  }
  renderSpan(audio, done, audio.frames);
  blockThread.store(std::thread::id());
}

VstIntPtr ZelEffect::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
  const bool inBlockNow = std::this_thread::get_id() == blockThread.load();
  switch (opcode) {
    case audioMasterGetTime: {
      if (!inBlockNow || !hasTransport) {
        return 0;  // a free-running host: the effect keeps its own tempo and position
      }
      if (((value & kVstTempoValid) != 0 && !transport.hasTempo) ||
          ((value & kVstPpqPosValid) != 0 && !transport.hasBeats)) {
        return 0;
      }
      const double rate = zel->getSampleRate();
      timeInfo = VstTimeInfo{};
      timeInfo.sampleRate = rate;
      timeInfo.tempo = transport.tempo;
      // The transport describes the frame it came at; a later span is that many frames on.
      const double frames = static_cast<double>(spanStart) - transportFrame;
      timeInfo.ppqPos =
          transport.beats + (frames > 0.0 ? frames * transport.tempo / (60.0 * rate) : 0.0);
      timeInfo.flags = (transport.hasTempo ? kVstTempoValid : 0) |
                       (transport.hasBeats ? kVstPpqPosValid : 0) |
                       (transport.playing ? kVstTransportPlaying : 0);
      return reinterpret_cast<VstIntPtr>(&timeInfo);  // NOLINT: the ABI passes pointers
    }
    case audioMasterPinConnected: {
      // 0 means connected: a mono port leaves the right pin open.
      const bool right = index == 1;
      const bool there = index == 0 || (right && (value == 0 ? rightInput : rightOutput));
      return there ? 0 : 1;
    }
    case audioMasterWantMidi:
      return 1;
    case audioMasterCanDo:
      return doesForEffect(static_cast<const char*>(ptr)) ? 1 : 0;
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(zel->getSampleRate());
    case audioMasterGetBlockSize:
      return static_cast<VstIntPtr>(maxFrames);
    case audioMasterGetCurrentProcessLevel:
      return inBlockNow ? kProcessLevelRealtime : kProcessLevelUser;
    default:
      return 0;
  }
}

uint32_t ZelEffect::tailFrames() const {
  const auto value = [this](int index) { return zel->getParameter(index); };
  const float feedback = value(kFbck);
  if (value(kRptInf) >= 0.5f || feedback >= 1.0f) {
    return UINT32_MAX;  // the loop or full feedback rings for ever
  }
  // The longest the clock stretches one pass: doubled, the manual VCO's
  // period, and the sweep's reach of up to half again with full depth.
  const float depth = value(kDepth);
  const double reach = 1.0 + (1.0 - depth) * (value(kManVCO) - 0.5) + 0.5 * depth;
  const double pass =
      kMaxDelayMs / 1000.0 * value(kDlyTime) * (value(kDlyx2) >= 0.5f ? 2 : 1) * reach;
  // Echoes until they have fallen by 100 dB: one without feedback.
  const double echoes = feedback > 0.0f ? std::ceil(std::log(1e-5) / std::log(feedback)) : 1.0;
  const double seconds = pass * echoes + 0.1;
  const double frames = seconds * zel->getSampleRate();
  return frames >= UINT32_MAX - 1.0 ? UINT32_MAX - 1 : static_cast<uint32_t>(frames);
}

size_t ZelEffect::saveState(const unsigned char*& bytes) {
  void* data = nullptr;
  const VstInt32 size = zel->getChunk(&data, false);
  if (size <= 0 || data == nullptr) {
    return 0;
  }
  bytes = static_cast<const unsigned char*>(data);
  return static_cast<size_t>(size);
}

bool ZelEffect::loadState(const unsigned char* bytes, size_t size) {
  if (size > static_cast<size_t>(INT32_MAX)) {
    return false;
  }
  // The chunk's own checks refuse foreign bytes and leave the state as it was.
  // NOLINTNEXTLINE: the effect copies the bytes before anything else
  return zel->setChunk(const_cast<unsigned char*>(bytes), static_cast<VstInt32>(size), false) >= 0;
}

int ZelEffect::programCount() const { return kNumPrograms; }

int ZelEffect::currentProgram() const { return zel->getCurrentProgramIndex(); }

void ZelEffect::programName(int index, char (&name)[kProgramNameSize + 1]) const {
  if (!zel->getProgramNameIndexed(0, index, name)) {
    name[0] = 0;
  }
}

void ZelEffect::selectProgram(int index) { zel->selectProgram(index); }

bool ZelEffect::hasEditor() const { return zel->getEditor() != nullptr; }

bool ZelEffect::editorSize(uint32_t& width, uint32_t& height) const {
  ERect* rect = nullptr;
  if (zel->getEditor() == nullptr || !zel->getEditor()->getRect(&rect) || rect == nullptr) {
    return false;
  }
  width = static_cast<uint32_t>(rect->right - rect->left);
  height = static_cast<uint32_t>(rect->bottom - rect->top);
  return true;
}

bool ZelEffect::openEditor(void* parent) {
  closeEditor();  // a host may move the editor to another parent
  editorOpen = zel->getEditor() != nullptr && zel->getEditor()->open(parent);
  return editorOpen;
}

void ZelEffect::idleEditor() {
  if (editorOpen) {
    zel->getEditor()->idle();
  }
}

void ZelEffect::closeEditor() {
  if (editorOpen) {
    zel->getEditor()->close();
    editorOpen = false;
  }
}

void ZelEffect::scaleEditor(float factor) {
  auto* editor = dynamic_cast<AEffGUIEditor*>(zel->getEditor());
  if (editor != nullptr && std::isfinite(factor) && factor > 0.0f && factor < 16.0f) {
    // The scale read as a desktop's resolution, so both pick the same zoom.
    editor->hostZoomChanged(zoomForDpi(static_cast<int>(factor * 96.0f + 0.5f)));
  }
}

int ZelEffect::editorEventSource() const {
  auto* editor = dynamic_cast<AEffGUIEditor*>(zel->getEditor());
  const CFrame* frame = editorOpen && editor != nullptr ? editor->getFrame() : nullptr;
  return frame != nullptr ? frame->eventSource() : -1;
}
