// The reference counting and interface lookup every object the host makes for
// a VST 3 plug-in shares: each id answered with the pointer of its own
// interface, the count kept so that a test can see the plug-in gave back every
// reference it took.
#pragma once

#include <cstring>

#include "host/vst3.h"

inline bool sameVst3Id(const vst3::TUID a, const vst3::TUID b) {
  return std::memcmp(a, b, sizeof(vst3::TUID)) == 0;
}

// Owned by the host: it starts with the host's own reference and is not
// deleted by the plug-in's releases; references() is 1 once the plug-in let go.
template <typename First, typename... More>
class Vst3HostObject : public First, public More... {
 public:
  Vst3HostObject() = default;
  Vst3HostObject(const Vst3HostObject&) = delete;
  Vst3HostObject& operator=(const Vst3HostObject&) = delete;
  virtual ~Vst3HostObject() = default;

  vst3::tresult VST3_API queryInterface(const vst3::TUID iid, void** obj) override {
    void* found = nullptr;
    if (vst3::FUnknown::iid == iid || First::iid == iid) {
      found = static_cast<First*>(this);
    }
    ((found == nullptr && More::iid == iid ? (found = static_cast<More*>(this)) : found), ...);
    *obj = found;
    if (found == nullptr) {
      return vst3::kNoInterface;
    }
    addRef();
    return vst3::kResultOk;
  }
  vst3::uint32 VST3_API addRef() override { return ++count; }
  vst3::uint32 VST3_API release() override {
    const vst3::uint32 left = --count;
    if (left == 0 && deletedAtZero) {
      delete this;
    }
    return left;
  }

  int references() const { return static_cast<int>(count); }
  // The plug-in's reference to hand over: the host's own, as FUnknown* shows it.
  First* face() { return static_cast<First*>(this); }

 protected:
  // Made for the plug-in (a message, an attribute list): the plug-in's last
  // release deletes it.
  bool deletedAtZero = false;

 private:
  vst3::uint32 count = 1;
};
