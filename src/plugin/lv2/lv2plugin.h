// Ondex behind the LV2 interface: one instance holds one effect through the
// effect interface. Control ports become parameter events when they move,
// the event port's MIDI and time positions become block events on their
// frames, the state is the effect's bytes; what the plug-in changes itself is
// kept for the editor's module to write back to the host's ports.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "lv2/atom/atom.h"
#include "lv2/atom/forge.h"
#include "lv2/core/lv2.h"
#include "lv2/state/state.h"
#include "lv2/urid/urid.h"
#include "lv2identity.h"
#include "lv2link.h"
#include "plugin/ondexeffect.h"

class Lv2Plugin final : public Lv2InstanceLink, private EffectListener {
 public:
  // Null when a required feature is missing or memory ran out.
  static Lv2Plugin* create(double sampleRate, const LV2_Feature* const* features);
  ~Lv2Plugin();
  Lv2Plugin(const Lv2Plugin&) = delete;
  Lv2Plugin& operator=(const Lv2Plugin&) = delete;

  LV2_Handle handle() { return static_cast<Lv2InstanceLink*>(this); }
  static Lv2Plugin* of(LV2_Handle handle) {
    return static_cast<Lv2Plugin*>(static_cast<Lv2InstanceLink*>(handle));
  }

  void connect(uint32_t port, void* data);
  void activate();
  void deactivate();
  void run(uint32_t frames);

  LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle state);
  LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle state);

  // The editor's module (Lv2InstanceLink).
  OndexEffect* effect() override { return ondex; }
  uint32_t takeMovedParameters() override { return moved.exchange(0); }
  Lv2Gestures takeGestures() override {
    return {gesturesBegun.exchange(0), gesturesEnded.exchange(0)};
  }
  void portWritten(uint32_t id, float portValue) override;
  void setEditorResize(Lv2EditorResize resize, void* context) override;

 private:
  Lv2Plugin(double sampleRate, LV2_URID_Map* map);
  void readOptions(LV2_URID_Map* map, const LV2_Feature* const* features);
  bool loadFactoryProgram(const void* value, size_t size, uint32_t type);
  void restorePorts(const void* value, size_t size, uint32_t type);

  void effectChanged(const EffectChange& change) override;
  bool editorResizeWanted(int32_t width, int32_t height) override;

  // One block: moved ports (lv2plugin.cpp), then the event port's events (lv2events.cpp).
  size_t collectPortChanges();
  void readEvents(uint32_t frames, size_t count);
  bool blockEventOf(const LV2_Atom_Event& event, BlockEvent& out);
  bool numberOf(const LV2_Atom* atom, double& out) const;
  void runPart(uint32_t to, size_t count);
  void writeNotices();

  OndexEffect* ondex = nullptr;
  double sampleRate;
  uint32_t maxFrames = 4096;  // the longest part the effect is given at once
  bool active = false;

  struct Urids {
    LV2_URID chunk, ports, factoryProgram, atomFrameTime, atomChunk, atomVector, atomSequence,
        atomObject, atomBlank, atomInt, atomLong, atomFloat, atomDouble, midiEvent, timePosition,
        timeBeat, timeBar, timeBarBeat, timeBeatsPerBar, timeBeatUnit, timeBeatsPerMinute,
        timeSpeed, stateChanged;
  } urid{};

  // Ports, as the host connected them.
  const float* inputs[2] = {nullptr, nullptr};
  float* outputs[2] = {nullptr, nullptr};
  const LV2_Atom_Sequence* events = nullptr;
  LV2_Atom_Sequence* notify = nullptr;
  LV2_Atom_Forge forge{};
  const float* controls[kNumZelParameters] = {};
  // Each control's value at the previous run: only a move is applied, so a
  // port that still holds an older value undoes nothing the plug-in changed.
  // Atomic: the host's save reads them on its main thread.
  std::atomic<float> lastPort[kNumZelParameters];
  // The value the editor last wrote to each port, until the port brings it back.
  std::atomic<float> echoes[kNumZelParameters];

  // The audio thread's block: its events, where the current part starts, and
  // where the host's song stands (told only when it changes, so carried on).
  std::vector<BlockEvent> blockEvents;  // sized once at creation
  uint32_t partStart = 0;
  Transport transport;  // in force at the current part's start
  Transport latest;     // as the events read so far leave it
  bool hasTransport = false;

  std::atomic<uint32_t> moved{0};
  std::atomic<uint32_t> gesturesBegun{0};
  std::atomic<uint32_t> gesturesEnded{0};
  // A state restored with the ports' values as the host held them: they are
  // what the next run compares the ports with.
  std::atomic<float> restoredPorts[kNumZelParameters];
  std::atomic<bool> portsRestored{false};
  // A change of the state that no port shows, for the host to hear of at the
  // next run; none while the host restores its own state.
  std::atomic<bool> stateChanged{false};
  std::atomic<bool> restoring{false};  // set on the main thread, read on any
  Lv2EditorResize editorResize = nullptr;
  void* editorResizeContext = nullptr;
};
