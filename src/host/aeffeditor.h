// The plug-in side of an editor as the dispatcher sees it. The GUI toolkit's
// editor binding derives from it; the effect only ever talks to this face.
// Threads: the host's UI thread calls every entry but setParameter, which
// comes from whatever thread changed the value.
#pragma once

#include "vst2.h"

class AudioEffect;

class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* effect = nullptr) : effect(effect) {}
  virtual ~AEffEditor() = default;
  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual bool getRect(ERect** rect) {
    *rect = nullptr;
    return false;
  }
  virtual bool open(void* parent) {
    systemWindow = parent;
    return false;
  }
  virtual void close() { systemWindow = nullptr; }
  virtual bool isOpen() { return systemWindow != nullptr; }
  virtual void idle() {}
  // true when the editor used the key
  virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
  virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }
  // The effect tells the editor of every parameter change; the editor only stores it.
  virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}

  AudioEffect* getEffect() { return effect; }

 protected:
  AudioEffect* effect;
  void* systemWindow = nullptr;
};
