// The editor's cost on the host's user-interface thread: one idle pass with
// nothing changed (the common case, many times a second), one with every
// control changed and redrawn, and opening plus closing the window. The
// editor runs headless, through the dispatcher as a host drives it.
#include <benchmark/benchmark.h>

#include "plugin/ondexentry.h"
#include "quiethost.h"

namespace {

// An effect with its editor, made and closed through the entry point and
// dispatcher as a host does.
class EditedEffect {
 public:
  EditedEffect() { effect = ondexEntry(quiethost::callback); }
  ~EditedEffect() { dispatch(effClose); }
  EditedEffect(const EditedEffect&) = delete;
  EditedEffect& operator=(const EditedEffect&) = delete;

  VstIntPtr dispatch(VstInt32 opcode) {
    return effect->dispatcher(effect, opcode, 0, 0, nullptr, 0.0f);
  }
  // No parent window: the frame draws into its image only.
  void open() {
    dispatch(effEditOpen);
    dispatch(effEditIdle);
  }
  void setParameter(VstInt32 index, float value) { effect->setParameter(effect, index, value); }

 private:
  AEffect* effect;
};

void IdleNothingChanged(benchmark::State& state) {
  EditedEffect e;
  e.open();
  e.dispatch(effEditIdle);
  for (auto _ : state) {
    e.dispatch(effEditIdle);
  }
}

// Parameters 0 to 15 moved between two settings before each pass, so every
// control of a parameter changes and is redrawn.
void IdleEveryControlChanged(benchmark::State& state) {
  EditedEffect e;
  e.open();
  bool high = false;
  for (auto _ : state) {
    high = !high;
    for (VstInt32 index = 0; index < 16; ++index) {
      e.setParameter(index, high ? 0.8f : 0.2f);
    }
    e.dispatch(effEditIdle);
  }
}

void OpenAndClose(benchmark::State& state) {
  EditedEffect e;
  for (auto _ : state) {
    e.dispatch(effEditOpen);
    e.dispatch(effEditClose);
  }
}

}  // namespace

BENCHMARK(IdleNothingChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(IdleEveryControlChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenAndClose)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
