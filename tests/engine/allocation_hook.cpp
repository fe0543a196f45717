#include "allocation_hook.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> releases{0};
std::atomic<std::size_t> failThreshold{0};

void* allocate(std::size_t size, bool throwing) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  const std::size_t limit = failThreshold.load(std::memory_order_relaxed);
  void* p = (limit != 0 && size >= limit) ? nullptr : std::malloc(size == 0 ? 1 : size);
  if (p == nullptr && throwing) {
    throw std::bad_alloc();
  }
  return p;
}

void release(void* p) {
  if (p != nullptr) {
    releases.fetch_add(1, std::memory_order_relaxed);
  }
  std::free(p);
}

}  // namespace

namespace allocation_hook {
std::size_t count() { return allocations.load(std::memory_order_relaxed); }
std::size_t frees() { return releases.load(std::memory_order_relaxed); }
void resetCount() {
  allocations.store(0, std::memory_order_relaxed);
  releases.store(0, std::memory_order_relaxed);
}
void failFrom(std::size_t bytes) { failThreshold.store(bytes, std::memory_order_relaxed); }
}  // namespace allocation_hook

void* operator new(std::size_t size) { return allocate(size, true); }
void* operator new[](std::size_t size) { return allocate(size, true); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size, false);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size, false);
}
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
