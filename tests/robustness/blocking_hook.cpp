#include "blocking_hook.h"

#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <ctime>

extern "C" {
void* __libc_malloc(size_t size);                // NOLINT: glibc's own allocator
void* __libc_calloc(size_t count, size_t size);  // NOLINT
void* __libc_realloc(void* p, size_t size);      // NOLINT
}

namespace {

std::atomic<bool> armed{false};
std::atomic<std::size_t> calls{0};
std::atomic<const char*> first{nullptr};

void seen(const char* name) {
  if (armed.load(std::memory_order_relaxed)) {
    const char* none = nullptr;
    first.compare_exchange_strong(none, name, std::memory_order_relaxed);
    calls.fetch_add(1, std::memory_order_relaxed);
  }
}

// The C library's function behind ours, looked up on first use.
template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));  // NOLINT: symbol lookup
}

}  // namespace

namespace blocking_hook {
bool available() { return true; }
void arm() {
  calls.store(0, std::memory_order_relaxed);
  first.store(nullptr, std::memory_order_relaxed);
  armed.store(true, std::memory_order_relaxed);
}
std::size_t disarm() {
  armed.store(false, std::memory_order_relaxed);
  return calls.load(std::memory_order_relaxed);
}
const char* firstCall() { return first.load(std::memory_order_relaxed); }
}  // namespace blocking_hook

// Each stand-in counts and then does what the C library does. `ret` is a type,
// so it cannot be parenthesized.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define ONDEX_FORWARD(ret, name, params, args)           \
  extern "C" ret name params {                           \
    seen(#name);                                         \
    static const auto real = next<ret(*) params>(#name); \
    return real args;                                    \
  }
// NOLINTEND(bugprone-macro-parentheses)

ONDEX_FORWARD(int, clock_gettime, (clockid_t c, struct timespec* t), (c, t))
ONDEX_FORWARD(int, gettimeofday, (struct timeval * t, void* z), (t, z))
ONDEX_FORWARD(time_t, time, (time_t * t), (t))
ONDEX_FORWARD(int, nanosleep, (const struct timespec* a, struct timespec* b), (a, b))
ONDEX_FORWARD(int, clock_nanosleep,
              (clockid_t c, int f, const struct timespec* a, struct timespec* b), (c, f, a, b))
ONDEX_FORWARD(int, usleep, (useconds_t u), (u))
ONDEX_FORWARD(unsigned, sleep, (unsigned s), (s))
ONDEX_FORWARD(int, sched_yield, (), ())
ONDEX_FORWARD(int, pthread_mutex_lock, (pthread_mutex_t * m), (m))
ONDEX_FORWARD(int, pthread_mutex_trylock, (pthread_mutex_t * m), (m))
ONDEX_FORWARD(int, pthread_rwlock_rdlock, (pthread_rwlock_t * l), (l))
ONDEX_FORWARD(int, pthread_rwlock_wrlock, (pthread_rwlock_t * l), (l))
ONDEX_FORWARD(int, pthread_cond_wait, (pthread_cond_t * c, pthread_mutex_t* m), (c, m))
ONDEX_FORWARD(int, sem_wait, (sem_t * s), (s))
ONDEX_FORWARD(ssize_t, read, (int fd, void* b, size_t n), (fd, b, n))
ONDEX_FORWARD(ssize_t, write, (int fd, const void* b, size_t n), (fd, b, n))
ONDEX_FORWARD(FILE*, fopen, (const char* p, const char* m), (p, m))
ONDEX_FORWARD(size_t, fwrite, (const void* b, size_t s, size_t n, FILE* f), (b, s, n, f))
ONDEX_FORWARD(int, fputs, (const char* s, FILE* f), (s, f))
ONDEX_FORWARD(int, puts, (const char* s), (s))
ONDEX_FORWARD(int, fflush, (FILE * f), (f))

extern "C" int printf(const char* format, ...) {
  seen("printf");
  va_list args;
  va_start(args, format);
  const int n = std::vprintf(format, args);
  va_end(args);
  return n;
}

extern "C" int fprintf(FILE* f, const char* format, ...) {
  seen("fprintf");
  va_list args;
  va_start(args, format);
  const int n = std::vfprintf(f, format, args);
  va_end(args);
  return n;
}

// Any raw system call (the C++ run-time reads its clocks this way).
extern "C" long syscall(long number, ...) {  // NOLINT: the C library's signature
  seen("syscall");
  static const auto real = next<long (*)(long, ...)>("syscall");
  va_list args;
  va_start(args, number);
  long a[6];
  for (long& arg : a) {
    arg = va_arg(args, long);
  }
  va_end(args);
  return real(number, a[0], a[1], a[2], a[3], a[4], a[5]);
}

// The C heap, through glibc's own entry points (dlsym itself allocates).
extern "C" void* malloc(size_t size) {
  seen("malloc");
  return __libc_malloc(size);
}
extern "C" void* calloc(size_t count, size_t size) {
  seen("calloc");
  return __libc_calloc(count, size);
}
extern "C" void* realloc(void* p, size_t size) {
  seen("realloc");
  return __libc_realloc(p, size);
}
