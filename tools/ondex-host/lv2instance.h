// One instance of an LV2 bundle's plug-in, held as an LV2 host holds it:
// made through lilv with the features Ondex may ask for (URID map and unmap,
// options with the longest block and the sample rate, bounded blocks, a log),
// its control ports on values the host owns, MIDI and the song position
// written into its atom input as a sequence, state through its state
// interface and presets through lilv's state.
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/forge.h>
#include <lv2/options/options.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lv2bundle.h"

// A MIDI message on its frame of a block.
struct Lv2MidiEvent {
  uint32_t frame = 0;
  uint8_t bytes[3] = {};
};

// The host's transport, as a time:Position object tells it.
struct Lv2Position {
  double frame = 0.0;  // song position in frames
  double beatsPerMinute = 120.0;
  int64_t bar = 0;  // from 0
  double barBeat = 0.0;
  float beatsPerBar = 4.0f;
  int32_t beatUnit = 4;
  bool playing = false;
};

class Lv2Instance {
 public:
  // Throws Failure when the plug-in needs a feature the host lacks or does not start.
  Lv2Instance(std::shared_ptr<const Lv2Bundle> bundle, double sampleRate, uint32_t maxFrames);
  ~Lv2Instance();
  Lv2Instance(const Lv2Instance&) = delete;
  Lv2Instance& operator=(const Lv2Instance&) = delete;

  const Lv2Bundle& bundle() const { return *source; }
  LilvInstance* lilv() const { return instance; }
  double sampleRate() const { return rate; }
  uint32_t maxFrames() const { return longestBlock; }
  // What a plug-in's instantiate, state calls and UI get.
  const LV2_Feature* const* features() const { return featureList.data(); }

  void activate();
  void deactivate();
  bool isActive() const { return active; }

  // The value the host keeps on a control port, by index or symbol.
  float portValue(uint32_t index) const { return controls.at(index); }
  void setPortValue(uint32_t index, float value) { controls.at(index) = value; }
  bool setPortValue(const std::string& symbol, float value);

  // One block: a pointer per audio input and output port in index order,
  // the MIDI events sorted by frame and the position at frame 0 (null when
  // the host has nothing new to tell).
  void run(const float* const* inputs, float* const* outputs, uint32_t frames,
           const std::vector<Lv2MidiEvent>& midi, const Lv2Position* position);

  // The value the plug-in stores under `property` through its state
  // interface (empty when it has none), and one handed back to it.
  std::vector<unsigned char> saveProperty(const char* property) const;
  bool restoreProperty(const char* property, const std::vector<unsigned char>& bytes);
  // A preset as lilv applies it: the plug-in's state, then the host's ports.
  bool loadPreset(const std::string& uri);
  // How often the plug-in said its state changed where no port shows it
  // (state:StateChanged on an output), as a DAW marks its session unsaved.
  int stateChanges() const { return stateChangeCount; }

 private:
  void readNotices();
  void connectPorts();
  // A port value as lilv hands it over, in whichever number type it has.
  float numberOf(const void* value, uint32_t size, uint32_t type) const;
  void writeEvents(const std::vector<Lv2MidiEvent>& midi, const Lv2Position* position);

  std::shared_ptr<const Lv2Bundle> source;
  double rate;
  uint32_t longestBlock;
  int32_t longestBlockOption;
  float rateOption;
  LilvInstance* instance = nullptr;
  bool active = false;
  std::vector<float> controls;                     // one per port; only control ports use theirs
  std::vector<std::vector<uint64_t>> atomBuffers;  // per port, 64-bit aligned as atoms need
  std::vector<uint32_t> audioIn;                   // port indices
  std::vector<uint32_t> audioOut;
  std::vector<uint32_t> atomIn;
  std::vector<uint32_t> atomOut;
  LV2_Atom_Forge forge{};
  std::vector<LV2_Options_Option> options;
  std::vector<LV2_Feature> featureStore;
  std::vector<const LV2_Feature*> featureList;
  struct Urids {
    LV2_URID atomChunk, atomDouble, atomBool, atomLong, atomSequence, atomInt, atomFloat, midiEvent,
        timePosition, timeBar, timeBarBeat, timeBeatUnit, timeBeatsPerBar, timeBeatsPerMinute,
        timeFrame, timeSpeed, atomObject, stateChanged;
  } urid{};
  int stateChangeCount = 0;
};
