// What every object Ondex hands a VST 3 host shares: a count of references
// that starts at 1 and frees the object when the last goes, and handing out
// the table of one interface when its id is asked for.
#pragma once

#include <atomic>

#include "host/vst3.h"

template <typename Derived>
class Vst3Counted {
 protected:
  vst3::uint32 addReference() { return ++references; }
  // The derived class makes this base a friend, its destructor private.
  vst3::uint32 dropReference() {
    const vst3::uint32 left = --references;
    if (left == 0) {
      delete static_cast<Derived*>(this);
    }
    return left;
  }

 private:
  std::atomic<vst3::uint32> references{1};
};

// Hands out `face` (counted) when `asked` is Interface's id.
template <typename Interface>
bool handOut(const vst3::TUID asked, Interface* face, void** obj) {
  if (Interface::iid == asked) {
    face->addRef();
    *obj = face;
    return true;
  }
  return false;
}

// queryInterface's answer once every interface was tried.
inline vst3::tresult queryAnswer(bool found, void** obj) {
  if (!found) {
    *obj = nullptr;
  }
  return found ? vst3::kResultOk : vst3::kNoInterface;
}

// Runs a call from the host; an exception (out of memory) never crosses into
// the host, which hears of a failure instead.
template <typename Call>
vst3::tresult guarded(Call&& call) {
  try {
    return call();
  } catch (...) {
    return vst3::kInternalError;
  }
}
