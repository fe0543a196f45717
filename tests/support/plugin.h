// The plug-in as a host holds it: created through the entry point, driven
// through the record's entries, closed with effClose.
#pragma once

#include <string>
#include <vector>

#include "host/vst2.h"
#include "plugin/editorfactory.h"

class Plugin {
 public:
  // Creates an instance with the callback given (the fake host's by default)
  // and the editor of `editorFactory` (none by default).
  explicit Plugin(audioMasterCallback callback = nullptr, EditorFactory editorFactory = nullptr);
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  AEffect* effect() const { return record; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
  void setParameter(VstInt32 index, float value);
  float getParameter(VstInt32 index);
  std::string parameterDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
  // The state chunk as the host takes it (copied), and given back; returns setChunk's answer.
  std::vector<unsigned char> chunk(bool isPreset = false);
  VstIntPtr restoreChunk(std::vector<unsigned char> bytes);

  // Switch on at a sample rate, as a host does before processing.
  void start(float sampleRate = 44100.0f, VstInt32 blockSize = 512);
  // Processes stereo buffers in place of the host (separate in and out buffers).
  void process(const std::vector<float>& inL, const std::vector<float>& inR,
               std::vector<float>& outL, std::vector<float>& outR);
  // Closes the instance now with effClose and returns its answer (the
  // destructor then does nothing).
  VstIntPtr close();

 private:
  AEffect* record = nullptr;
};
