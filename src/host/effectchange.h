// What changed in the effect and why: the one notice the effect gives of every
// change, whichever plug-in format carries it to the host.
#pragma once

#include <cstdint>

enum class ChangeCause : uint8_t {
  kGestureBegin,  // the editor starts a change of `index` (UI thread)
  kEdited,        // the editor set `index` to `value` (UI thread)
  kGestureEnd,    // the editor's change of `index` ends (UI thread)
  kRefused,       // a value asked for was not taken; `value` is the one in force (any thread)
  kMoved,         // MIDI, the tempo or a binding moved `index` to `value`: not to be
                  // recorded (mostly the audio thread)
  kLoaded,        // a program, memory, file or state moved `index` to `value` (UI thread)
  kDisplay,       // names or texts changed with no value (a program chosen or renamed) (UI)
  kTexts,         // the texts of other values changed with `index` (any thread)
};

struct EffectChange {
  ChangeCause cause;
  int32_t index;  // 0 to 17 the effect's parameters, 18 to 35 their controllers; 0 for kDisplay
  float value;
  // Raised while a block's events apply, on the thread that applies them, at
  // this frame of the block: the host hears of it beside that block's events.
  bool inBlock = false;
  uint32_t frame = 0;
};

// Whoever carries the effect's notices to a host. Called on the thread that
// made the change, while the change is made: take note and return.
class EffectListener {
 public:
  virtual void effectChanged(const EffectChange& change) = 0;
  // The editor asks for a new size (its zoom changed); true when the host took it.
  virtual bool editorResizeWanted(int32_t width, int32_t height) = 0;

 protected:
  ~EffectListener() = default;
};
