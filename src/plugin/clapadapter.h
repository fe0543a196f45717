// Ondex behind the CLAP interface: one instance holds the same effect the VST
// 2.4 entry creates and forwards every call to it. The effect speaks to its
// host only through its audioMaster callback; here that callback is answered
// from CLAP (time, pins, canDo) and its notices become CLAP events and rescans.
#pragma once

#include <atomic>
#include <cstdint>

#include "../host/clap.h"
#include "../host/vst2.h"
#include "../presets/program.h"
#include "clapoutbox.h"

class AudioEffectX;

class ClapAdapter {
 public:
  // The effect parameters; their controller assignments live in the state only.
  static constexpr uint32_t kParamCount = kNumEffectParams;

  // Null when out of memory. Makes no effect and calls nothing of the host
  // yet: scanning stays cheap, and both wait for init.
  static ClapAdapter* create(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor);
  ~ClapAdapter();
  ClapAdapter(const ClapAdapter&) = delete;
  ClapAdapter& operator=(const ClapAdapter&) = delete;

  const clap_plugin_t* plugin() const { return &face; }
  static ClapAdapter* of(const clap_plugin_t* plugin) {
    return static_cast<ClapAdapter*>(plugin->plugin_data);
  }

  // Life cycle.
  bool init();
  bool activate(double sampleRate, uint32_t maxFrames);
  void deactivate();
  void reset();
  void setProcessing(bool on) { processing.store(on); }
  clap_process_status process(const clap_process_t& process);
  void onMainThread();
  const void* extension(const char* id) const;

  // Parameters (clapparams.cpp).
  bool paramInfo(uint32_t index, clap_param_info_t& info) const;
  bool paramValue(clap_id id, double& value) const;
  bool valueToText(clap_id id, double value, char* out, uint32_t size) const;
  bool textToValue(clap_id id, const char* text, double& value) const;
  void flush(const clap_input_events_t* in, const clap_output_events_t* out);

  // State, tail.
  bool save(const clap_ostream_t& stream);
  bool load(const clap_istream_t& stream);
  uint32_t tail() const;

  // Editor (clapgui.cpp).
  bool guiCreate();
  void guiDestroy();
  bool guiSize(uint32_t& width, uint32_t& height);
  bool guiSetParent(const clap_window_t& window);
  void guiIdle();
  void startIdle();
  void stopIdle();
  // Stops the idle pass and closes the window; the editor stays created.
  void closeEditor();

  // The effect's requests of its host (claphostrequests.cpp).
  VstIntPtr answerEffect(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

 private:
  ClapAdapter(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor);
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const;
  // One parameter, MIDI or transport event from the host, before the frames at its time.
  void apply(const clap_event_header_t& event);
  void applyMidi(const clap_event_midi_t& event);
  void renderSpan(const clap_process_t& process, uint32_t from, uint32_t to);
  void sendOutbox(const clap_output_events_t* out);
  void noteRescan();
  void noteDirty();
  // An editor gesture's news, for the next process or flush.
  void tellHost(const ClapOutgoing& news);
  // A value the plug-in moved itself while the host's events apply (tempo,
  // MIDI, a value refused): told beside them, not to be recorded.
  void tellHostNow(clap_id id, float normalized);
  template <typename T>
  const T* hostExtension(const char* id) const;

  clap_plugin_t face{};
  const clap_host_t* host;
  AEffect* effect = nullptr;
  AudioEffectX* object = nullptr;
  double defaults[kParamCount] = {};

  // Host extensions, fetched once in init.
  const clap_host_params_t* hostParams = nullptr;
  const clap_host_gui_t* hostGui = nullptr;
  const clap_host_timer_support_t* hostTimers = nullptr;
  const clap_host_posix_fd_support_t* hostFds = nullptr;
  const clap_host_state_t* hostState = nullptr;

  // Audio thread: the block being processed and the time it reports.
  const clap_process_t* current = nullptr;
  uint32_t spanStart = 0;
  // Inside process or flush: where the plug-in's own changes go, and the
  // host's value being applied, whose notice back is no news to the host.
  const clap_output_events_t* hostOut = nullptr;
  clap_id applyingParam = CLAP_INVALID_ID;
  float applyingValue = 0.0f;
  clap_event_transport_t transport{};
  bool hasTransport = false;
  VstTimeInfo timeInfo{};
  float* silence = nullptr;
  uint32_t maxFrames = 0;
  bool active = false;

  // True on the thread inside process or flush: what the effect reports then
  // follows the host's own events or MIDI, never an editor gesture.
  static thread_local bool applyingHostEvents;

  // Main thread to audio thread and back.
  ClapOutbox<kParamCount> outbox;
  int gestureDepth = 0;  // main thread: editor gestures open
  std::atomic<bool> rescanPending{false};
  std::atomic<bool> dirtyPending{false};
  std::atomic<bool> processing{false};

  // Editor.
  bool guiCreated = false;
  bool guiOpen = false;
  clap_id timerId = CLAP_INVALID_ID;
  int eventFd = -1;
  void* fallbackTimer = nullptr;
};

// Bounds of the 18 effect parameters as CLAP sees them: switches and note
// lengths in whole steps, everything else 0 to 1 as on the VST 2.4 side.
int clapParamSteps(clap_id id);
float clapToNormalized(clap_id id, double plain);
double clapFromNormalized(clap_id id, float normalized);
