// Objects passed from the UI thread to the audio thread without a lock: the
// UI thread posts one, the audio thread takes it at the start of a block and
// gives back the one it replaced, and the UI thread frees what came back at
// its next call. Nothing is allocated or freed on the audio thread.
#pragma once

#include <atomic>

// T has a member `T* next`, which the handover uses for the items given back.
template <typename T>
class Handover {
 public:
  Handover() = default;
  ~Handover() {
    delete posted.load(std::memory_order_acquire);
    freeReturned();
  }
  Handover(const Handover&) = delete;
  Handover& operator=(const Handover&) = delete;

  // UI: posts `item`, owned from now on. One posted before and not yet taken
  // never reached the audio thread, so it is freed here.
  void post(T* item) {
    freeReturned();
    delete posted.exchange(item, std::memory_order_acq_rel);
  }

  // Audio: the item posted since the last take, or null.
  T* take() { return posted.exchange(nullptr, std::memory_order_acquire); }

  // Audio: hands a taken item back for the UI thread to free. The UI thread
  // only ever takes the whole list, so the loop retries at most once per
  // freeReturned() that runs at the same time.
  void giveBack(T* item) {
    T* head = returned.load(std::memory_order_relaxed);
    do {
      item->next = head;
    } while (!returned.compare_exchange_weak(head, item, std::memory_order_release,
                                             std::memory_order_relaxed));
  }

  // UI: frees what the audio thread gave back.
  void freeReturned() {
    T* item = returned.exchange(nullptr, std::memory_order_acquire);
    while (item != nullptr) {
      T* next = item->next;
      delete item;
      item = next;
    }
  }

 private:
  std::atomic<T*> posted{nullptr};
  std::atomic<T*> returned{nullptr};
};
