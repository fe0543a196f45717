// Editor gestures raised on the main thread, waiting for the next process or
// flush to hand them to the host. One slot per parameter instead of a queue,
// so it never fills: what piles up between two drains collapses into one
// begin, the latest value and one end, and no gesture's begin or end is lost.
// One writer and one reader, wait-free, no allocation.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "host/clap.h"

struct ClapOutgoing {
  uint16_t type;  // CLAP_EVENT_PARAM_VALUE, _GESTURE_BEGIN or _GESTURE_END
  uint32_t param;
  double value;
};

template <uint32_t kParams>
class ClapOutbox {
 public:
  // Main thread. Nested begins on one parameter make one gesture; an end
  // without its begin is no news.
  void post(const ClapOutgoing& news) {
    if (news.param >= kParams) {
      return;
    }
    Slot& slot = slots[news.param];
    int& depth = depths[news.param];
    switch (news.type) {
      case kBegin:
        if (depth++ == 0) {
          // A new serial, so the reader sees a gesture it has not told even
          // when the last one ended before it looked.
          const uint32_t serial = (slot.gesture.load(std::memory_order_relaxed) >> 1) + 1;
          slot.gesture.store(serial << 1 | 1U, std::memory_order_release);
        }
        break;
      case kEnd:
        if (depth > 0 && --depth == 0) {
          slot.gesture.store(slot.gesture.load(std::memory_order_relaxed) & ~1U,
                             std::memory_order_release);
        }
        break;
      default:
        // The value first: a reader that sees the new serial sees this value or a later one.
        slot.value.store(news.value, std::memory_order_relaxed);
        slot.valueSerial.store(slot.valueSerial.load(std::memory_order_relaxed) + 1,
                               std::memory_order_release);
        break;
    }
    // After the slot: a reader that sees the count sees what it counts.
    posts.store(posts.load(std::memory_order_relaxed) + 1, std::memory_order_release);
  }

  // Process or flush (never both at once). `deliver(const ClapOutgoing&)`
  // returns false when the host took nothing more; what it did not take is
  // offered again at the next drain.
  template <typename Deliver>
  void drain(Deliver&& deliver) {
    // Most blocks have no news: then one load decides. A post made while
    // this drain reads the slots counts past `seen` and brings the next one.
    const uint32_t seen = posts.load(std::memory_order_acquire);
    if (seen == drainedPosts && !held) {
      return;
    }
    drainedPosts = seen;
    held = false;
    for (uint32_t param = 0; param < kParams; ++param) {
      if (!drainOne(param, deliver)) {
        held = true;  // the host took no more: the rest goes at the next drain
        return;
      }
    }
  }

 private:
  static constexpr uint16_t kBegin = CLAP_EVENT_PARAM_GESTURE_BEGIN;
  static constexpr uint16_t kEnd = CLAP_EVENT_PARAM_GESTURE_END;
  static constexpr uint16_t kValue = CLAP_EVENT_PARAM_VALUE;
  static_assert(std::atomic<double>::is_always_lock_free, "the audio thread never waits");

  // Written by the main thread.
  struct Slot {
    std::atomic<uint32_t> gesture{0};  // serial << 1 | open
    std::atomic<uint32_t> valueSerial{0};
    std::atomic<double> value{0.0};
  };
  // What the host has been told, kept by the reader.
  struct Told {
    uint32_t gesture = 0;  // the serial of the last gesture begun for the host
    bool open = false;
    uint32_t valueSerial = 0;
  };

  template <typename Deliver>
  bool drainOne(uint32_t param, Deliver& deliver) {
    const Slot& slot = slots[param];
    Told& host = told[param];
    // Read around the value: the gesture word before it says which gesture
    // had ended by then, the one after it knows the gesture the value was set in.
    const uint32_t endedBefore = slot.gesture.load(std::memory_order_acquire);
    const uint32_t valueSerial = slot.valueSerial.load(std::memory_order_acquire);
    const double value = slot.value.load(std::memory_order_relaxed);
    const uint32_t newest = slot.gesture.load(std::memory_order_acquire) >> 1;
    if (host.open && host.gesture != newest) {
      // The host's gesture ended and another began since: close it first.
      if (!deliver(ClapOutgoing{kEnd, param, 0.0})) {
        return false;
      }
      host.open = false;
    }
    if (host.gesture != newest) {
      if (!deliver(ClapOutgoing{kBegin, param, 0.0})) {
        return false;
      }
      host.gesture = newest;
      host.open = true;
    }
    if (host.valueSerial != valueSerial) {
      if (!deliver(ClapOutgoing{kValue, param, value})) {
        return false;
      }
      host.valueSerial = valueSerial;
    }
    // Only an end seen before the value closes: a gesture that ended after
    // it may hold a later value, which the next drain tells before the end.
    if (host.open && endedBefore == host.gesture << 1) {
      if (!deliver(ClapOutgoing{kEnd, param, 0.0})) {
        return false;
      }
      host.open = false;
    }
    return true;
  }

  std::array<Slot, kParams> slots{};
  std::array<int, kParams> depths{};  // main thread: begins not yet ended
  std::atomic<uint32_t> posts{0};     // main thread: every post, counted after its slot
  std::array<Told, kParams> told{};
  uint32_t drainedPosts = 0;  // the count the last drain started from
  bool held = false;          // the last drain left news the host did not take
};
