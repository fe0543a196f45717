// The effect as every plug-in format's adapter meets it, beside the VST 2.4
// record: parameters by id, one listener that hears of every change with its
// cause, processing with sample-accurate events and the transport, the state
// as bytes, the programs, and the editor in a parent window. Nothing here
// belongs to one format. Each entry says its thread: main (the host's UI
// thread), audio (the processing thread; one at a time), or any.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/effectchange.h"
#include "presets/program.h"

// Who sets a parameter: decides what the listener hears of it.
enum class ValueSource : uint8_t {
  kHost,    // the host's automation, or its own control within a gesture of the host's:
            // only a refusal is told back
  kEditor,  // the editor: told as an edit
  kMidi,    // a MIDI controller: told as moved, not to be recorded
  kLoad,    // a value of a load the caller tells the host of itself: as kHost
};

// Where the host's song stands at an event.
struct Transport {
  bool hasTempo = false;
  double tempo = 120.0;  // BPM
  bool hasBeats = false;
  double beats = 0.0;  // song position in quarter notes
  bool playing = false;
};

// One event in a block, on its own frame.
struct BlockEvent {
  enum class Kind : uint8_t { kParameter, kMidi, kTransport };
  uint32_t frame = 0;
  Kind kind = Kind::kParameter;
  uint32_t id = 0;     // kParameter: the parameter
  float value = 0.0f;  // kParameter: normalized 0..1
  uint8_t midi[3] = {};
  Transport transport;  // kTransport
};

// The audio of one block: stereo in and out; a second channel left null
// (mono) is fed from the first.
struct AudioBlock {
  const float* inputs[2] = {nullptr, nullptr};
  float* outputs[2] = {nullptr, nullptr};
  uint32_t frames = 0;
};

class OndexEffect {
 public:
  // A new effect with its editor, or null when memory ran out. main
  static OndexEffect* create();
  virtual ~OndexEffect() = default;

  // The one listener (null for none); set it before the effect runs. main
  virtual void setListener(EffectListener* listener) = 0;

  // Parameters 0 to 17 (ZelParameter), normalized 0..1. Setting returns the
  // value in force, which differs from the one asked for when it is refused.
  virtual float parameter(uint32_t id) const = 0;                              // any
  virtual float setParameter(uint32_t id, float value, ValueSource from) = 0;  // any
  // The text a musician reads for `value` (display and unit), and back.
  virtual void parameterText(uint32_t id, float value, char* text, size_t size) const = 0;  // any
  virtual bool parameterFromText(uint32_t id, const char* text, float& value) const = 0;    // any

  // Life cycle: the host's rate and longest block; off again; a fresh start. main
  virtual bool activate(double sampleRate, uint32_t maxFrames) = 0;
  virtual void deactivate() = 0;
  virtual void reset() = 0;
  // Renders the block, applying each event (sorted by frame) on its frame. audio
  virtual void process(const AudioBlock& audio, const BlockEvent* events, size_t count,
                       const Transport* transport) = 0;
  // How long the output rings after the input stops, in frames; UINT32_MAX
  // for ever (infinite repeat, full feedback). any
  virtual uint32_t tailFrames() const = 0;

  // The whole state as the VST 2.4 chunk's bytes, valid until the next call;
  // and loaded back (false and nothing changed when refused). main
  virtual size_t saveState(const unsigned char*& bytes) = 0;
  virtual bool loadState(const unsigned char* bytes, size_t size) = 0;

  // The 17 programs. main
  virtual int programCount() const = 0;
  virtual int currentProgram() const = 0;
  virtual void programName(int index, char (&name)[kProgramNameSize + 1]) const = 0;
  virtual void selectProgram(int index) = 0;

  // The editor in a parent window (an X11 window id or an HWND): its size at
  // the zoom it has, opened, idled, closed; the X connection's descriptor to
  // wait on, or -1. main
  virtual bool hasEditor() const = 0;
  virtual bool editorSize(uint32_t& width, uint32_t& height) const = 0;
  virtual bool openEditor(void* parent) = 0;
  virtual void idleEditor() = 0;
  virtual void closeEditor() = 0;
  virtual int editorEventSource() const = 0;
  // The host's scale of its windows (1 at 96 dpi): the zoom the editor takes
  // where the user chose none, at once if it is open (asking to be resized). main
  virtual void scaleEditor(float factor) = 0;
};
