// A VST 3 plug-in held as a VST 3 host holds it: processor and controller made
// through the factory in the order hosts make them, initialised with the host's
// context, joined through their connection points and synchronised through the
// processor's state; buses arranged, processing set up and switched on; blocks
// run with parameter queues and events at their sample offsets; and what the
// plug-in tells its host recorded.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vst3changes.h"
#include "vst3handler.h"
#include "vst3hostcontext.h"
#include "vst3module.h"

class Vst3Instance {
 public:
  // Creates, initialises, connects and synchronises; throws Failure.
  explicit Vst3Instance(const Vst3Module& module);
  ~Vst3Instance();  // close()
  Vst3Instance(const Vst3Instance&) = delete;
  Vst3Instance& operator=(const Vst3Instance&) = delete;

  vst3::IComponent& component() const { return *comp; }
  vst3::IAudioProcessor& processor() const { return *audio; }
  vst3::IEditController& controller() const { return *edit; }
  // Null where the plug-in does not offer them.
  vst3::IUnitInfo* units() const { return unitInfo; }
  vst3::IMidiMapping* midiMapping() const { return mapping; }
  bool singleComponent() const { return comp == nullptr ? false : single; }

  // Stereo buses (or the arrangement given for the input), setupProcessing, setActive.
  bool activate(double sampleRate, vst3::int32 maxFrames,
                vst3::SpeakerArrangement input = vst3::kStereo);
  void deactivate();
  bool startProcessing();
  void stopProcessing();
  bool isActive() const { return active; }
  bool isProcessing() const { return processing; }

  // One block of 32-bit audio on the main buses, with the host's changes (the
  // edits the controller performed come first) and events; the context may be
  // null. The plug-in's output changes are kept in `sent` and told to the
  // controller, as hosts do.
  vst3::tresult process(float* const* inputs, vst3::int32 inputChannels, float** outputs,
                        vst3::int32 frames, const std::vector<Vst3Point>& changes,
                        const std::vector<vst3::Event>& events, vst3::ProcessContext* context);
  // The flush call: changes with no audio, as hosts deliver them while stopped.
  vst3::tresult flush(const std::vector<Vst3Point>& changes);

  // The host moves a parameter: the processor gets it in the next block,
  // through a flush when active but not processing, or through one at
  // activation; then the controller learns it.
  void setFromHost(vst3::ParamID id, double normalized);

  // Parameters as the controller lists them.
  vst3::int32 paramCount() const;
  vst3::ParameterInfo paramInfo(vst3::int32 index) const;
  // The first parameter with all of these flags.
  std::optional<vst3::ParameterInfo> paramWith(vst3::int32 flags) const;
  double paramValue(vst3::ParamID id) const;
  std::string valueText(vst3::ParamID id, double normalized) const;
  std::optional<double> valueOf(vst3::ParamID id, const std::string& text) const;

  // The processor's state written where the stream stands (after `prefix`).
  std::vector<unsigned char> saveState(const std::vector<unsigned char>& prefix = {}) const;
  // Processor setState, then the same bytes to the controller's setComponentState.
  bool loadState(const std::vector<unsigned char>& bytes);

  // The first program list: its id, and the names of its programs.
  vst3::ProgramListID programListId() const;
  std::vector<std::string> programNames() const;

  // The parameter a controller on an event bus channel drives, if any.
  std::optional<vst3::ParamID> assignment(vst3::int16 channel, vst3::CtrlNumber controller) const;

  // Stops, deactivates, disconnects, terminates and releases the plug-in.
  void close();

  Vst3HostContext context;
  Vst3ComponentHandler handler;
  std::vector<Vst3Point> sent;  // output parameter changes, block by block
  vst3::uint32 contextRequirements = 0;

 private:
  vst3::IComponent* comp = nullptr;
  vst3::IAudioProcessor* audio = nullptr;
  vst3::IEditController* edit = nullptr;
  vst3::IUnitInfo* unitInfo = nullptr;
  vst3::IMidiMapping* mapping = nullptr;
  vst3::IConnectionPoint* componentPoint = nullptr;
  vst3::IConnectionPoint* controllerPoint = nullptr;
  bool single = false;
  bool active = false;
  bool processing = false;
  Vst3ParameterChanges inputChanges;
  Vst3ParameterChanges outputChanges;
  Vst3EventList inputEvents;
  Vst3EventList outputEvents;
};
