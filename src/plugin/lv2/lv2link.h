// What the editor's module reaches through the instance the host hands it
// (instance access): the effect, the parameters whose value in force the
// host's ports should show, and the way the editor's wish for a new size goes
// out. Both modules are built from this one header by the same compiler.
#pragma once

#include <cstdint>

class OndexEffect;

using Lv2EditorResize = bool (*)(void* context, int32_t width, int32_t height);

// The editor's gestures on parameters, one bit each.
struct Lv2Gestures {
  uint32_t begun = 0;
  uint32_t ended = 0;
};

class Lv2InstanceLink {
 public:
  virtual OndexEffect* effect() = 0;
  // The parameters moved inside the plug-in since the last call, one bit
  // each: their ports are to be written with the value in force. main
  virtual uint32_t takeMovedParameters() = 0;
  // The editor's gestures begun and ended since the last call, one bit each. main
  virtual Lv2Gestures takeGestures() = 0;
  // The editor wrote `portValue` to parameter `id`'s port: when the port
  // arrives with it, it is the plug-in's own value coming back, not news. main
  virtual void portWritten(uint32_t id, float portValue) = 0;
  // Where the editor's wish for a new size goes; null for nowhere. main
  virtual void setEditorResize(Lv2EditorResize resize, void* context) = 0;

 protected:
  ~Lv2InstanceLink() = default;
};
