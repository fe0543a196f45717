// Parameter events the effect raises on the main thread (editor gestures),
// waiting for the next process or flush to hand them to the host. One writer
// and one reader, no lock: a fixed ring of plain records.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

struct ClapOutgoing {
  uint16_t type;  // CLAP_EVENT_PARAM_VALUE, _GESTURE_BEGIN or _GESTURE_END
  uint32_t param;
  double value;
};

class ClapOutbox {
 public:
  // false when full: a host that never flushes loses the oldest news, not the audio.
  bool push(const ClapOutgoing& event) {
    const uint32_t tail = written.load(std::memory_order_relaxed);
    if (tail - read.load(std::memory_order_acquire) >= kCapacity) {
      return false;
    }
    slots[tail % kCapacity] = event;
    written.store(tail + 1, std::memory_order_release);
    return true;
  }

  template <typename Deliver>
  void drain(Deliver&& deliver) {
    uint32_t head = read.load(std::memory_order_relaxed);
    const uint32_t tail = written.load(std::memory_order_acquire);
    for (; head != tail; ++head) {
      deliver(slots[head % kCapacity]);
    }
    read.store(head, std::memory_order_release);
  }

 private:
  static constexpr uint32_t kCapacity = 512;
  std::array<ClapOutgoing, kCapacity> slots{};
  std::atomic<uint32_t> written{0};
  std::atomic<uint32_t> read{0};
};
