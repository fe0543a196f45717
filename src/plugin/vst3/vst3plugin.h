// Ondex behind the VST 3 interface: one object that is both the processor
// and the controller (hosts use such a component as its own controller), over
// one effect through the effect interface. The effect's notices come back
// through the listener and become edits, restarts and output parameter
// changes. Methods are spread over the files named beside each group.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "host/vst3.h"
#include "plugin/ondexeffect.h"
#include "vst3bypass.h"
#include "vst3ids.h"
#include "vst3unknown.h"

class Vst3NewsTimer;
class Vst3View;

class Vst3Plugin final : public Vst3Counted<Vst3Plugin>,
                         public vst3::IComponent,
                         public vst3::IAudioProcessor,
                         public vst3::IEditController,
                         public vst3::IProcessContextRequirements,
                         public vst3::IUnitInfo,
                         public vst3::IMidiMapping,
                         private EffectListener {
 public:
  // Makes no effect yet: a host that only scans pays for nothing. Null when
  // out of memory. Count 1, owned by the caller.
  static Vst3Plugin* create();

  // FUnknown, one for every table (vst3plugin.cpp).
  vst3::tresult VST3_API queryInterface(const vst3::TUID interfaceId, void** obj) override;
  vst3::uint32 VST3_API addRef() override { return addReference(); }
  vst3::uint32 VST3_API release() override { return dropReference(); }

  // IPluginBase, once for both roles.
  vst3::tresult VST3_API initialize(vst3::FUnknown* context) override;
  vst3::tresult VST3_API terminate() override;

  // IComponent (vst3plugin.cpp; states in vst3state.cpp).
  vst3::tresult VST3_API getControllerClassId(vst3::TUID classId) override;
  vst3::tresult VST3_API setIoMode(vst3::IoMode mode) override;
  vst3::int32 VST3_API getBusCount(vst3::MediaType type, vst3::BusDirection dir) override;
  vst3::tresult VST3_API getBusInfo(vst3::MediaType type, vst3::BusDirection dir, vst3::int32 index,
                                    vst3::BusInfo& bus) override;
  vst3::tresult VST3_API getRoutingInfo(vst3::RoutingInfo& inInfo,
                                        vst3::RoutingInfo& outInfo) override;
  vst3::tresult VST3_API activateBus(vst3::MediaType type, vst3::BusDirection dir,
                                     vst3::int32 index, vst3::TBool state) override;
  vst3::tresult VST3_API setActive(vst3::TBool state) override;
  // The component's state and the controller's are the same bytes, so one
  // pair serves both interfaces.
  vst3::tresult VST3_API setState(vst3::IBStream* state) override;
  vst3::tresult VST3_API getState(vst3::IBStream* state) override;

  // IAudioProcessor (vst3process.cpp).
  vst3::tresult VST3_API setBusArrangements(vst3::SpeakerArrangement* inputs, vst3::int32 numIns,
                                            vst3::SpeakerArrangement* outputs,
                                            vst3::int32 numOuts) override;
  vst3::tresult VST3_API getBusArrangement(vst3::BusDirection dir, vst3::int32 index,
                                           vst3::SpeakerArrangement& arr) override;
  vst3::tresult VST3_API canProcessSampleSize(vst3::int32 symbolicSampleSize) override;
  vst3::uint32 VST3_API getLatencySamples() override { return 0; }
  vst3::tresult VST3_API setupProcessing(vst3::ProcessSetup& setup) override;
  vst3::tresult VST3_API setProcessing(vst3::TBool /*state*/) override { return vst3::kResultOk; }
  vst3::tresult VST3_API process(vst3::ProcessData& data) override;
  vst3::uint32 VST3_API getTailSamples() override;
  vst3::uint32 VST3_API getProcessContextRequirements() override;

  // IEditController (vst3params.cpp; the component state in vst3state.cpp).
  vst3::tresult VST3_API setComponentState(vst3::IBStream* state) override;
  vst3::int32 VST3_API getParameterCount() override { return vst3ids::kParameterCount; }
  vst3::tresult VST3_API getParameterInfo(vst3::int32 paramIndex,
                                          vst3::ParameterInfo& info) override;
  vst3::tresult VST3_API getParamStringByValue(vst3::ParamID id, vst3::ParamValue valueNormalized,
                                               vst3::String128 string) override;
  vst3::tresult VST3_API getParamValueByString(vst3::ParamID id, vst3::TChar* string,
                                               vst3::ParamValue& valueNormalized) override;
  vst3::ParamValue VST3_API normalizedParamToPlain(vst3::ParamID id,
                                                   vst3::ParamValue valueNormalized) override;
  vst3::ParamValue VST3_API plainParamToNormalized(vst3::ParamID id,
                                                   vst3::ParamValue plainValue) override;
  vst3::ParamValue VST3_API getParamNormalized(vst3::ParamID id) override;
  vst3::tresult VST3_API setParamNormalized(vst3::ParamID id, vst3::ParamValue value) override;
  vst3::tresult VST3_API setComponentHandler(vst3::IComponentHandler* handler) override;
  vst3::IPlugView* VST3_API createView(vst3::FIDString name) override;  // vst3view.cpp

  // IMidiMapping (vst3params.cpp).
  vst3::tresult VST3_API getMidiControllerAssignment(vst3::int32 busIndex, vst3::int16 channel,
                                                     vst3::CtrlNumber midiControllerNumber,
                                                     vst3::ParamID& id) override;

  // IUnitInfo (vst3programs.cpp).
  vst3::int32 VST3_API getUnitCount() override { return 1; }
  vst3::tresult VST3_API getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) override;
  vst3::int32 VST3_API getProgramListCount() override { return 1; }
  vst3::tresult VST3_API getProgramListInfo(vst3::int32 listIndex,
                                            vst3::ProgramListInfo& info) override;
  vst3::tresult VST3_API getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                        vst3::String128 name) override;
  vst3::tresult VST3_API getProgramInfo(vst3::ProgramListID listId, vst3::int32 programIndex,
                                        vst3::CString attributeId,
                                        vst3::String128 attributeValue) override;
  vst3::tresult VST3_API hasProgramPitchNames(vst3::ProgramListID /*listId*/,
                                              vst3::int32 /*programIndex*/) override {
    return vst3::kResultFalse;
  }
  vst3::tresult VST3_API getProgramPitchName(vst3::ProgramListID /*listId*/,
                                             vst3::int32 /*programIndex*/, vst3::int16 /*pitch*/,
                                             vst3::String128 /*name*/) override {
    return vst3::kResultFalse;
  }
  vst3::UnitID VST3_API getSelectedUnit() override { return vst3::kRootUnitId; }
  vst3::tresult VST3_API selectUnit(vst3::UnitID unitId) override {
    return unitId == vst3::kRootUnitId ? vst3::kResultOk : vst3::kResultFalse;
  }
  vst3::tresult VST3_API getUnitByBus(vst3::MediaType type, vst3::BusDirection dir,
                                      vst3::int32 busIndex, vst3::int32 channel,
                                      vst3::UnitID& unitId) override;
  vst3::tresult VST3_API setUnitProgramData(vst3::int32 /*listOrUnitId*/,
                                            vst3::int32 /*programIndex*/,
                                            vst3::IBStream* /*data*/) override {
    return vst3::kNotImplemented;
  }

  // For the view (UI thread).
  OndexEffect* effectOf() const { return effect; }
  void viewOpened(Vst3View* opened) { view = opened; }
  void viewClosed(Vst3View* closed);
  // Tells the host what changed since the last time: restarts, renamed
  // programs, a dirty state; and applies a program the host chose in a block.
  void tellNews();

 private:
  friend class Vst3Counted<Vst3Plugin>;
  Vst3Plugin() = default;
  ~Vst3Plugin();

  // The effect's notices (vst3listener.cpp).
  void effectChanged(const EffectChange& change) override;
  bool editorResizeWanted(int32_t width, int32_t height) override;
  bool onUiThread() const { return std::this_thread::get_id() == uiThread; }
  void tellInBlock(vst3::ParamID id, float value, uint32_t frame);
  void releaseHandlers();

  // A block's queues and events as the effect's events (vst3process.cpp).
  void gatherEvents(vst3::ProcessData& data, uint32_t frames);
  size_t room() const;
  void addEvent(const BlockEvent& event);
  void readBypassQueue(vst3::IParamValueQueue& queue, uint32_t frames);
  void sortEvents();
  void tellBypassMoves(uint32_t frames);
  void setSilenceFlags(vst3::ProcessData& data, uint32_t frames) const;

  // State bytes (vst3state.cpp).
  bool loadBytes(const std::vector<unsigned char>& bytes);

  int initializations = 0;
  OndexEffect* effect = nullptr;
  vst3::IComponentHandler* handler = nullptr;
  vst3::IComponentHandler2* handler2 = nullptr;
  vst3::IUnitHandler* unitHandler = nullptr;
  Vst3View* view = nullptr;
  Vst3NewsTimer* newsTimer = nullptr;
  std::thread::id uiThread;

  // Buses and processing set-up (UI thread, inactive).
  vst3::SpeakerArrangement inputArrangement = vst3::kStereo;
  vst3::SpeakerArrangement outputArrangement = vst3::kStereo;
  double sampleRate = 44100.0;
  uint32_t maxFrames = 1024;
  std::atomic<bool> active{false};  // read by process as well

  // Audio thread: the block's events in the effect's form, sized at
  // initialize, and where the plug-in's own changes go.
  std::vector<BlockEvent> events;
  std::vector<BlockEvent> sorted;
  std::vector<uint32_t> order;
  size_t eventCount = 0;
  vst3::IParameterChanges* blockOutput = nullptr;
  Vst3Bypass bypass;
  bool bypassSwitched = false;  // the host switched the bypass in this block
  bool lastPowerOn = true;      // Power as the last block left it

  // What each controller's stand-in was last set to (the effect's map
  // decides what it drives).
  std::array<std::atomic<float>, vst3ids::kControllers> controllerValues{};
  std::atomic<int> programAsked{-1};  // chosen in a block, applied on the UI thread

  // News for the host, raised on any thread, told on the UI thread.
  std::atomic<bool> restartPending{false};
  std::atomic<bool> programsPending{false};
  std::atomic<bool> dirtyPending{false};
  bool inHostState = false;  // UI: the host is loading its state; no handler calls
};
