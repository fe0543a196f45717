#include "fakehost.h"

FakeHost* FakeHost::active = nullptr;

// Hosts nest: a test's second host answers while it lives, then the first again.
FakeHost::FakeHost() : previous(active) { active = this; }

FakeHost::~FakeHost() {
  for (FakeHost** link = &active; *link != nullptr; link = &(*link)->previous) {
    if (*link == this) {
      *link = previous;  // out of the chain, whatever the order hosts end in
      break;
    }
  }
}

VstIntPtr FakeHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                             void* ptr, float opt) {
  return active == nullptr ? 0 : active->answer(effect, opcode, index, value, ptr, opt);
}

void FakeHost::setTempo(double bpm, double ppq) {
  VstTimeInfo info{};
  info.sampleRate = 44100.0;
  info.tempo = bpm;
  info.ppqPos = ppq;
  info.flags = kVstTempoValid | kVstPpqPosValid | kVstTransportPlaying;
  timeInfo = info;
}

VstIntPtr FakeHost::answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                           void* ptr, float opt) {
  std::string text;
  if (opcode == audioMasterCanDo && ptr != nullptr) {
    text = static_cast<const char*>(ptr);
  }
  std::lock_guard<std::mutex> lock(mutex);
  log.push_back({effect, opcode, index, value, text, opt});
  switch (opcode) {
    case audioMasterVersion:
      return version;
    case audioMasterCanDo: {
      const auto found = canDo.find(text);
      return found == canDo.end() ? 0 : found->second;
    }
    case audioMasterPinConnected:
      if (index < 0 || index > 1) {
        return 1;
      }
      return value == 0 ? inputPinAnswer[index] : outputPinAnswer[index];
    case audioMasterGetTime:
      return timeInfo ? reinterpret_cast<VstIntPtr>(&*timeInfo) : 0;  // NOLINT: ABI
    default:
      return defaultAnswer;
  }
}

std::vector<HostRequest> FakeHost::requests() const {
  std::lock_guard<std::mutex> lock(mutex);
  return log;
}

int FakeHost::count(VstInt32 opcode) const {
  std::lock_guard<std::mutex> lock(mutex);
  int n = 0;
  for (const HostRequest& r : log) {
    n += r.opcode == opcode ? 1 : 0;
  }
  return n;
}

std::optional<HostRequest> FakeHost::last(VstInt32 opcode) const {
  std::lock_guard<std::mutex> lock(mutex);
  for (auto it = log.rbegin(); it != log.rend(); ++it) {
    if (it->opcode == opcode) {
      return *it;
    }
  }
  return std::nullopt;
}

void FakeHost::clear() {
  std::lock_guard<std::mutex> lock(mutex);
  log.clear();
}
