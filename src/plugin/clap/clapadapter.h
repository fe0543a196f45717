// Ondex behind the CLAP interface: one instance holds one effect through the
// effect interface and turns each CLAP call into its operations; the effect's
// notices come back through the listener and become CLAP's parameter events,
// value rescans and dirty marks.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "clapoutbox.h"
#include "host/clap.h"
#include "plugin/ondexeffect.h"
#include "plugin/parametertable.h"

class ClapAdapter final : private EffectListener {
 public:
  // The effect parameters; their controller assignments live in the state only.
  static constexpr uint32_t kParamCount = kNumZelParameters;

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

  // Life cycle (main thread, process on the audio thread).
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

 private:
  ClapAdapter(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor);
  template <typename T>
  const T* hostExtension(const char* id) const;

  // The effect's notices (claplistener.cpp).
  void effectChanged(const EffectChange& change) override;
  bool editorResizeWanted(int32_t width, int32_t height) override;
  // A value the plug-in moved itself while a block's events apply: told
  // beside them at `frame`, not to be recorded.
  void tellInBlock(clap_id id, float normalized, uint32_t frame);
  // What the host should re-read or save: told before the main thread's call
  // returns (tellMainThreadNews), or asked for from a block's thread.
  void note(std::atomic<bool>& pending, bool fromBlock);
  void noteRescan(bool fromBlock = false);
  void noteDirty(bool fromBlock = false);
  void tellMainThreadNews();

  // Events and audio of one block (clapadapter.cpp).
  void runBlock(const clap_process_t* audio, const clap_input_events_t* in,
                const clap_output_events_t* out, uint32_t frames,
                const clap_event_transport_t* transport);
  void runPart(const clap_process_t* audio, uint32_t from, uint32_t to, size_t count);
  void sendOutbox(const clap_output_events_t* out);
  void tellTailChange();

  clap_plugin_t face{};
  const clap_host_t* host;
  OndexEffect* effect = nullptr;
  double defaults[kParamCount] = {};

  // Host extensions, fetched once in init.
  const clap_host_params_t* hostParams = nullptr;
  const clap_host_gui_t* hostGui = nullptr;
  const clap_host_timer_support_t* hostTimers = nullptr;
  const clap_host_posix_fd_support_t* hostFds = nullptr;
  const clap_host_state_t* hostState = nullptr;
  const clap_host_tail_t* hostTail = nullptr;

  // The thread inside process or flush: the block's events, where the
  // plug-in's own changes go, and where in the block this part starts.
  std::vector<BlockEvent> blockEvents;  // sized once at activation
  const clap_output_events_t* hostOut = nullptr;
  uint32_t partStart = 0;
  Transport partTransport;
  bool hasTransport = false;
  double sampleRate = 44100.0;
  uint32_t toldTail = 0;
  static constexpr size_t kTailInputs = 6;
  float tailInputs[kTailInputs] = {};  // the values the tail told was worked out from
  bool active = false;

  // Main thread to audio thread and back.
  ClapOutbox<kParamCount> outbox;
  std::atomic<bool> rescanPending{false};
  std::atomic<bool> dirtyPending{false};
  std::atomic<bool> processing{false};
  bool loadingState = false;  // main thread: the host's own state is being loaded

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
