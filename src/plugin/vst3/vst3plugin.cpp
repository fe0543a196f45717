// The VST 3 object's identity and life cycle: which tables it answers,
// counted references, initialize and terminate (again and again, as hosts
// and the validator do), and its buses: stereo audio in and out, and one
// event input whose MIDI controllers arrive as parameters.
#include "vst3plugin.h"

#include <bit>
#include <new>

#include "vst3newstimer.h"
#include "vst3text.h"
#include "vst3view.h"

namespace {

constexpr int32_t kMidiChannels = 16;
constexpr size_t kEventsAtOnce = 2048;

}  // namespace

Vst3Plugin* Vst3Plugin::create() { return new (std::nothrow) Vst3Plugin(); }

Vst3Plugin::~Vst3Plugin() {
  initializations = 0;  // whatever the host left undone
  terminate();
}

vst3::tresult Vst3Plugin::queryInterface(const vst3::TUID interfaceId, void** obj) {
  if (obj == nullptr) {
    return vst3::kInvalidArgument;
  }
  auto* component = static_cast<vst3::IComponent*>(this);
  auto* controller = static_cast<vst3::IEditController*>(this);
  const bool found =
      handOut<vst3::FUnknown>(interfaceId, component, obj) ||
      handOut<vst3::IPluginBase>(interfaceId, component, obj) ||
      handOut<vst3::IComponent>(interfaceId, component, obj) ||
      handOut<vst3::IAudioProcessor>(interfaceId, static_cast<vst3::IAudioProcessor*>(this), obj) ||
      handOut<vst3::IEditController>(interfaceId, controller, obj) ||
      handOut<vst3::IProcessContextRequirements>(
          interfaceId, static_cast<vst3::IProcessContextRequirements*>(this), obj) ||
      handOut<vst3::IUnitInfo>(interfaceId, static_cast<vst3::IUnitInfo*>(this), obj) ||
      handOut<vst3::IMidiMapping>(interfaceId, static_cast<vst3::IMidiMapping*>(this), obj);
  return queryAnswer(found, obj);
}

// Of the host's context only its run loop is used, for the news timer.
vst3::tresult Vst3Plugin::initialize(vst3::FUnknown* context) {
  // One object in both roles: a host that initializes each role gets the
  // one effect, which goes with the last terminate.
  ++initializations;
  if (effect != nullptr) {
    return vst3::kResultOk;
  }
  uiThread = std::this_thread::get_id();
  try {
    events.resize(kEventsAtOnce);  // once: never on the audio thread
    sorted.resize(kEventsAtOnce);
    order.resize(kEventsAtOnce);
  } catch (...) {
    initializations = 0;
    return vst3::kOutOfMemory;
  }
  effect = OndexEffect::create();
  if (effect == nullptr) {
    initializations = 0;
    return vst3::kOutOfMemory;
  }
  effect->setListener(this);
  newsTimer = Vst3NewsTimer::start(this, context);
  return vst3::kResultOk;
}

vst3::tresult Vst3Plugin::terminate() {
  if (initializations > 1) {
    --initializations;
    return vst3::kResultOk;
  }
  initializations = 0;
  if (view != nullptr) {
    view->detachFromPlugin();
  }
  view = nullptr;
  if (newsTimer != nullptr) {
    newsTimer->stop();
    newsTimer = nullptr;
  }
  releaseHandlers();
  if (effect != nullptr) {
    effect->setListener(nullptr);
    effect->deactivate();
    delete effect;
    effect = nullptr;
  }
  active = false;
  return vst3::kResultOk;
}

void Vst3Plugin::releaseHandlers() {
  for (vst3::FUnknown* held :
       {static_cast<vst3::FUnknown*>(unitHandler), static_cast<vst3::FUnknown*>(handler2),
        static_cast<vst3::FUnknown*>(handler)}) {
    if (held != nullptr) {
      held->release();
    }
  }
  unitHandler = nullptr;
  handler2 = nullptr;
  handler = nullptr;
}

// One object plays the controller: there is no class of its own to name.
vst3::tresult Vst3Plugin::getControllerClassId(vst3::TUID /*classId*/) {
  return vst3::kResultFalse;
}

vst3::tresult Vst3Plugin::setIoMode(vst3::IoMode /*mode*/) { return vst3::kNotImplemented; }

vst3::int32 Vst3Plugin::getBusCount(vst3::MediaType type, vst3::BusDirection dir) {
  if (type == vst3::kAudio) {
    return 1;
  }
  return type == vst3::kEvent && dir == vst3::kInput ? 1 : 0;
}

vst3::tresult Vst3Plugin::getBusInfo(vst3::MediaType type, vst3::BusDirection dir,
                                     vst3::int32 index, vst3::BusInfo& bus) {
  if (index != 0 || index >= getBusCount(type, dir)) {
    return vst3::kInvalidArgument;
  }
  bus = vst3::BusInfo{};  // the same bytes at every call
  bus.mediaType = type;
  bus.direction = dir;
  bus.busType = vst3::kMain;
  bus.flags = vst3::BusInfo::kDefaultActive;
  if (type == vst3::kAudio) {
    const vst3::SpeakerArrangement arrangement =
        dir == vst3::kInput ? inputArrangement : outputArrangement;
    bus.channelCount = std::popcount(arrangement);
    copyUtf16(dir == vst3::kInput ? "Input" : "Output", bus.name, std::size(bus.name));
  } else {
    bus.channelCount = kMidiChannels;
    copyUtf16("MIDI controllers", bus.name, std::size(bus.name));
  }
  return vst3::kResultOk;
}

vst3::tresult Vst3Plugin::getRoutingInfo(vst3::RoutingInfo& /*inInfo*/,
                                         vst3::RoutingInfo& /*outInfo*/) {
  return vst3::kNotImplemented;
}

// Every bus may be switched; processing copes with any of them missing.
vst3::tresult Vst3Plugin::activateBus(vst3::MediaType type, vst3::BusDirection dir,
                                      vst3::int32 index, vst3::TBool /*state*/) {
  return index == 0 && index < getBusCount(type, dir) ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult Vst3Plugin::setActive(vst3::TBool state) {
  if (effect == nullptr) {
    return vst3::kNotInitialized;
  }
  if (state != 0) {
    if (!active) {
      lastPowerOn = effect->parameter(kPower) >= 0.5f;
      try {
        bypass.prepare(sampleRate, maxFrames, lastPowerOn);
      } catch (...) {
        return vst3::kOutOfMemory;
      }
      if (!effect->activate(sampleRate, maxFrames)) {
        return vst3::kResultFalse;
      }
      active = true;
    }
  } else if (active) {
    effect->deactivate();
    active = false;
  }
  tellNews();
  return vst3::kResultOk;
}
