// A CLAP plug-in held as a CLAP host holds it: the module's entry initialised,
// one instance made through its factory, with a host that answers the
// extensions Ondex asks for and records what the plug-in tells it (parameter
// events, rescans, flush and callback requests, timers, descriptors, resizes).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/clap.h"

namespace platform {
class PluginModule;
}

// The entry of a loaded module; throws Failure when the module is no CLAP plug-in.
class ClapModule {
 public:
  ClapModule(std::string path, platform::PluginModule& module);
  ~ClapModule();
  ClapModule(const ClapModule&) = delete;
  ClapModule& operator=(const ClapModule&) = delete;

  const clap_plugin_factory_t& factory() const { return *pluginFactory; }
  // The first descriptor: what the module offers.
  const clap_plugin_descriptor_t& descriptor() const;
  const std::string& path() const { return modulePath; }

 private:
  std::string modulePath;
  const clap_plugin_entry_t* entry = nullptr;
  const clap_plugin_factory_t* pluginFactory = nullptr;
};

// One event, as the plug-in sent it or the host will send it.
struct ClapEvent {
  uint16_t type = 0;
  uint32_t time = 0;
  uint32_t flags = 0;
  clap_id param = CLAP_INVALID_ID;
  double value = 0.0;
  uint8_t midi[3] = {};
};

class ClapInstance {
 public:
  // Creates the plug-in through the factory and calls its init; throws Failure.
  // A host without timer support leaves the plug-in to find its own idle.
  explicit ClapInstance(const ClapModule& module, bool offersTimers = true);
  ~ClapInstance();  // stops, deactivates, destroys
  ClapInstance(const ClapInstance&) = delete;
  ClapInstance& operator=(const ClapInstance&) = delete;

  const clap_plugin_t& plugin() const { return *instance; }
  template <typename T>
  const T* extension(const char* id) const {
    return static_cast<const T*>(instance->get_extension(instance, id));
  }

  bool activate(double sampleRate, uint32_t maxFrames);
  void deactivate();
  bool startProcessing();
  void stopProcessing();
  bool isActive() const { return active; }
  bool isProcessing() const { return processing; }

  // One block: channel pointers for the stereo ports (a null second input
  // pointer makes the input port mono), the events sorted by time, and the
  // transport at frame 0 (null for none). The plug-in's events are kept.
  clap_process_status process(float* const* inputs, uint32_t inputChannels, float** outputs,
                              uint32_t frames, const std::vector<ClapEvent>& events,
                              const clap_event_transport_t* transport);
  // Parameter events without processing (the params extension's flush).
  void flush(const std::vector<ClapEvent>& events);

  // Parameters.
  uint32_t paramCount() const;
  clap_param_info_t paramInfo(uint32_t index) const;
  double paramValue(clap_id id) const;
  std::string valueText(clap_id id, double value) const;

  // State through the state extension; empty / false when refused.
  std::vector<unsigned char> saveState() const;
  bool loadState(const std::vector<unsigned char>& bytes) const;

  // The main thread's turn: answers a requested callback, fires every timer
  // and every readable descriptor once.
  void runMainThread();

  // False: a host that never calls back for request_callback (some do not).
  bool answersCallbacks = true;

  // What the plug-in told its host.
  std::vector<ClapEvent> sent;  // parameter events from process and flush
  int rescans = 0;              // rescan(CLAP_PARAM_RESCAN_VALUES) calls
  int flushRequests = 0;
  int dirtyMarks = 0;  // state mark_dirty calls
  int callbackRequests = 0;
  std::vector<clap_id> timers;  // registered, in order
  std::vector<int> fds;         // registered descriptors
  std::vector<std::pair<uint32_t, uint32_t>> resizeRequests;

 private:
  static const void* hostExtension(const clap_host_t* host, const char* id);
  static ClapInstance& of(const clap_host_t* host);

  clap_host_t hostFace{};
  const clap_plugin_t* instance = nullptr;
  bool active = false;
  bool processing = false;
  bool callbackWanted = false;
  bool offersTimers;
  clap_id nextTimer = 0;
};
