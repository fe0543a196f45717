#include "vst3instance.h"

#include <cstring>

#include "failure.h"
#include "vst3stream.h"
#include "vst3text.h"

using namespace vst3;

namespace {

// The interface T of an object, with its own reference, or null.
template <typename T>
T* queried(FUnknown* from) {
  void* face = nullptr;
  if (from == nullptr || from->queryInterface(T::iid.bytes, &face) != kResultOk) {
    return nullptr;
  }
  return static_cast<T*>(face);
}

template <typename T>
void releaseOnce(T*& face) {
  if (face != nullptr) {
    face->release();
    face = nullptr;
  }
}

}  // namespace

Vst3Instance::Vst3Instance(const Vst3Module& module) {
  IPluginFactory* factory = module.factory();
  void* made = nullptr;
  if (factory->createInstance(module.processorClass().cid, IComponent::iid.bytes, &made) !=
          kResultOk ||
      made == nullptr) {
    throw Failure(module.path() + ": the VST 3 factory made no processor");
  }
  comp = static_cast<IComponent*>(made);
  if (comp->initialize(context.face()) != kResultOk) {
    releaseOnce(comp);  // a refused initialize is released without terminate
    throw Failure(module.path() + ": the VST 3 processor failed to initialise");
  }
  audio = queried<IAudioProcessor>(comp);
  if (audio == nullptr) {
    close();
    throw Failure(module.path() + ": the VST 3 processor offers no IAudioProcessor");
  }
  // A processor that is its own controller is used as one; else the
  // controller class it names is made and initialised beside it.
  edit = queried<IEditController>(comp);
  single = edit != nullptr;
  if (!single) {
    TUID controllerId{};
    if (comp->getControllerClassId(controllerId) == kResultOk &&
        factory->createInstance(controllerId, IEditController::iid.bytes, &made) == kResultOk &&
        made != nullptr) {
      edit = static_cast<IEditController*>(made);
      if (edit->initialize(context.face()) != kResultOk) {
        releaseOnce(edit);
      }
    }
  }
  if (edit == nullptr) {
    close();
    throw Failure(module.path() + ": the VST 3 plug-in has no usable controller");
  }
  edit->setComponentHandler(handler.face());
  if (!single) {
    componentPoint = queried<IConnectionPoint>(comp);
    controllerPoint = queried<IConnectionPoint>(edit);
    if (componentPoint != nullptr && controllerPoint != nullptr) {
      componentPoint->connect(controllerPoint);
      controllerPoint->connect(componentPoint);
    }
  }
  unitInfo = queried<IUnitInfo>(edit);
  mapping = queried<IMidiMapping>(edit);
  if (auto* needs = queried<IProcessContextRequirements>(comp)) {
    contextRequirements = needs->getProcessContextRequirements();
    needs->release();
  }
  // The controller starts from the processor's state.
  Vst3Stream state;
  if (comp->getState(state.face()) == kResultOk) {
    state.rewind();
    handler.givingState = true;
    edit->setComponentState(state.face());
    handler.givingState = false;
  }
}

Vst3Instance::~Vst3Instance() { close(); }

void Vst3Instance::close() {
  if (comp == nullptr) {
    return;
  }
  deactivate();
  if (componentPoint != nullptr && controllerPoint != nullptr) {
    componentPoint->disconnect(controllerPoint);
    controllerPoint->disconnect(componentPoint);
  }
  releaseOnce(componentPoint);
  releaseOnce(controllerPoint);
  releaseOnce(unitInfo);
  releaseOnce(mapping);
  if (edit != nullptr) {
    edit->setComponentHandler(nullptr);
    if (!single) edit->terminate();
  }
  releaseOnce(edit);
  releaseOnce(audio);
  comp->terminate();
  releaseOnce(comp);
}

bool Vst3Instance::activate(double sampleRate, int32 maxFrames, SpeakerArrangement input) {
  if (active) {
    return true;
  }
  SpeakerArrangement in = input;
  SpeakerArrangement out = kStereo;
  // Proposed; a refusal is answered with what the plug-in reports, as hosts do.
  if (audio->setBusArrangements(&in, 1, &out, 1) != kResultTrue) {
    audio->getBusArrangement(kInput, 0, in);
    audio->getBusArrangement(kOutput, 0, out);
    audio->setBusArrangements(&in, 1, &out, 1);
  }
  comp->activateBus(kAudio, kInput, 0, 1);
  comp->activateBus(kAudio, kOutput, 0, 1);
  if (comp->getBusCount(kEvent, kInput) > 0) comp->activateBus(kEvent, kInput, 0, 1);
  ProcessSetup setup{kRealtime, kSample32, maxFrames, sampleRate};
  if (audio->canProcessSampleSize(kSample32) != kResultTrue ||
      audio->setupProcessing(setup) != kResultOk) {
    return false;
  }
  active = comp->setActive(1) == kResultOk;
  if (active && !handler.forProcessor.empty()) {
    flush({});  // what the host changed while the processor was off
  }
  return active;
}

void Vst3Instance::deactivate() {
  if (active) {
    stopProcessing();
    comp->setActive(0);
    active = false;
  }
}

bool Vst3Instance::startProcessing() {
  if (active && !processing) {
    processing = audio->setProcessing(1) == kResultOk;
  }
  return processing;
}

void Vst3Instance::stopProcessing() {
  if (processing) {
    audio->setProcessing(0);
    processing = false;
  }
}

tresult Vst3Instance::process(float* const* inputs, int32 inputChannels, float** outputs,
                              int32 frames, const std::vector<Vst3Point>& changes,
                              const std::vector<Event>& events, ProcessContext* processContext) {
  inputChanges.clear();
  outputChanges.clear();
  for (const Vst3Point& edited : handler.forProcessor) inputChanges.add(edited);
  handler.forProcessor.clear();
  for (const Vst3Point& change : changes) inputChanges.add(change);
  inputEvents.events = events;
  outputEvents.events.clear();
  AudioBusBuffers in{};
  in.numChannels = inputChannels;
  in.channelBuffers32 = const_cast<float**>(inputs);  // NOLINT: the interface's pointer type
  AudioBusBuffers out{};
  out.numChannels = 2;
  out.channelBuffers32 = outputs;
  ProcessData data{};
  data.processMode = kRealtime;
  data.symbolicSampleSize = kSample32;
  data.numSamples = frames;
  data.numInputs = inputs != nullptr ? 1 : 0;
  data.numOutputs = outputs != nullptr ? 1 : 0;
  data.inputs = inputs != nullptr ? &in : nullptr;
  data.outputs = outputs != nullptr ? &out : nullptr;
  data.inputParameterChanges = inputChanges.face();
  data.outputParameterChanges = outputChanges.face();
  data.inputEvents = inputEvents.face();
  data.outputEvents = outputEvents.face();
  data.processContext = processContext;
  const tresult answer = audio->process(data);
  // What the processor moved reaches the controller, as the host passes it on.
  for (const Vst3Point& point : outputChanges.points()) {
    sent.push_back(point);
    edit->setParamNormalized(point.id, point.value);
  }
  return answer;
}

tresult Vst3Instance::flush(const std::vector<Vst3Point>& changes) {
  return process(nullptr, 0, nullptr, 0, changes, {}, nullptr);
}

void Vst3Instance::setFromHost(ParamID id, double normalized) {
  // Processing: in the next block. Active: at once, through a flush. Else at
  // activation. The controller hears it on the UI thread after the processor
  // took it, where it may tell what the value moved (a program change may
  // well restart from here).
  handler.forProcessor.push_back({id, 0, normalized});
  if (active && !processing) {
    flush({});
  }
  edit->setParamNormalized(id, normalized);
}

int32 Vst3Instance::paramCount() const { return edit->getParameterCount(); }

ParameterInfo Vst3Instance::paramInfo(int32 index) const {
  ParameterInfo info{};
  edit->getParameterInfo(index, info);
  return info;
}

std::optional<ParameterInfo> Vst3Instance::paramWith(int32 flags) const {
  for (int32 i = 0; i < paramCount(); ++i) {
    const ParameterInfo info = paramInfo(i);
    if ((info.flags & flags) == flags) return info;
  }
  return std::nullopt;
}

double Vst3Instance::paramValue(ParamID id) const { return edit->getParamNormalized(id); }

std::string Vst3Instance::valueText(ParamID id, double normalized) const {
  String128 text{};
  if (edit->getParamStringByValue(id, normalized, text) != kResultOk) {
    return "";
  }
  return utf8Of(text, 128);
}

std::optional<double> Vst3Instance::valueOf(ParamID id, const std::string& text) const {
  std::u16string wide = utf16Of(text);
  double value = 0.0;
  if (edit->getParamValueByString(id, wide.data(), value) != kResultOk) {
    return std::nullopt;
  }
  return value;
}

std::vector<unsigned char> Vst3Instance::saveState(const std::vector<unsigned char>& prefix) const {
  Vst3Stream stream(prefix);
  stream.seek(0, IBStream::kIBSeekEnd, nullptr);
  if (comp->getState(stream.face()) != kResultOk) {
    return {};
  }
  return {stream.content().begin() + static_cast<std::ptrdiff_t>(prefix.size()),
          stream.content().end()};
}

bool Vst3Instance::loadState(const std::vector<unsigned char>& bytes) {
  Vst3Stream stream(bytes);
  if (comp->setState(stream.face()) != kResultOk) {
    return false;
  }
  Vst3Stream again(bytes);
  handler.givingState = true;
  const bool followed = edit->setComponentState(again.face()) == kResultOk;
  handler.givingState = false;
  return followed;
}

ProgramListID Vst3Instance::programListId() const {
  ProgramListInfo list{};
  if (unitInfo == nullptr || unitInfo->getProgramListCount() < 1 ||
      unitInfo->getProgramListInfo(0, list) != kResultOk) {
    return kNoProgramListId;
  }
  return list.id;
}

std::vector<std::string> Vst3Instance::programNames() const {
  ProgramListInfo list{};
  std::vector<std::string> names;
  if (unitInfo == nullptr || unitInfo->getProgramListCount() < 1 ||
      unitInfo->getProgramListInfo(0, list) != kResultOk) {
    return names;
  }
  for (int32 i = 0; i < list.programCount; ++i) {
    String128 name{};
    names.push_back(unitInfo->getProgramName(list.id, i, name) == kResultOk ? utf8Of(name, 128)
                                                                            : "");
  }
  return names;
}

std::optional<ParamID> Vst3Instance::assignment(int16 channel, CtrlNumber controller) const {
  ParamID id = kNoParamId;
  if (mapping == nullptr ||
      mapping->getMidiControllerAssignment(0, channel, controller, id) != kResultTrue) {
    return std::nullopt;
  }
  return id;
}
