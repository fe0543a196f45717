// Runs one engine case for a fixed number of blocks, for instruction counts
// that do not depend on the machine's load:
//   valgrind --tool=callgrind --toggle-collect='*measuredBlocks*' engine_profile NAME [BLOCKS
//   [FRAMES]]
// Instructions per frame = the collected count / the frames printed; with
// FRAMES 0, the count per block is what a block costs before its first frame.
#include <cstdio>
#include <cstdlib>

#include "enginecases.h"

namespace {

constexpr int kBlock = 512;

// Blocks of the noise block's size.
void run(AEffect* e, NoiseBlock& b, int blocks) {
  for (int i = 0; i < blocks; ++i) {
    b.process(e, b.frames());
  }
}

// Two functions, so that callgrind counts only the second.
__attribute__((noinline)) void warmUp(AEffect* e, NoiseBlock& b) { run(e, b, 200); }
__attribute__((noinline)) void measuredBlocks(AEffect* e, NoiseBlock& b, int blocks) {
  run(e, b, blocks);
}

}  // namespace

int main(int argc, char** argv) {
  const EngineCase* c = argc > 1 ? findEngineCase(argv[1]) : nullptr;
  if (c == nullptr) {
    std::fprintf(stderr, "usage: engine_profile CASE [BLOCKS [FRAMES]]; cases:");
    for (const EngineCase& known : engineCases()) {
      std::fprintf(stderr, " %s", known.name);
    }
    std::fprintf(stderr, "\n");
    return 2;
  }
  const int blocks = argc > 2 ? std::atoi(argv[2]) : 400;
  const int frames = argc > 3 ? std::atoi(argv[3]) : kBlock;
  AEffect* e = openEngineCase(*c);
  NoiseBlock warm(kBlock);
  NoiseBlock measured(frames);
  warmUp(e, warm);  // past the start, as the benchmark warms up
  measuredBlocks(e, measured, blocks);
  closeEngineCase(e);
  std::printf("%s: %d blocks, %d frames measured (after %d of warm-up)\n", c->name, blocks,
              blocks * frames, 200 * kBlock);
  return 0;
}
