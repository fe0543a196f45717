// A scriptable VST 2.4 host for tests: records every request the plug-in makes
// and answers each as the test configured it.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/vst2.h"

struct HostRequest {
  AEffect* effect;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  std::string text;  // the text in ptr, for requests that carry one
  float opt;
};

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  // The callback handed to the plug-in; it answers for the host alive now.
  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt);

  // What the host answers.
  VstIntPtr version = 2400;
  std::map<std::string, VstIntPtr> canDo;  // text -> answer; 0 when not listed
  VstIntPtr inputPinAnswer[2] = {0, 0};    // 0 means connected
  VstIntPtr outputPinAnswer[2] = {0, 0};
  std::optional<VstTimeInfo> timeInfo;  // none: getTime answers null
  VstIntPtr defaultAnswer = 0;          // every other request

  // Convenience for the common time set-up.
  void setTempo(double bpm, double ppq = 0.0);

  std::vector<HostRequest> requests() const;
  int count(VstInt32 opcode) const;
  std::optional<HostRequest> last(VstInt32 opcode) const;
  void clear();

 private:
  VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt);

  mutable std::mutex mutex;
  std::vector<HostRequest> log;
  FakeHost* previous;
  static FakeHost* active;
};
