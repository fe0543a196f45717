// Writes the state chunk of a set state to a file, or checks that a chunk file
// restores that same state: run by one build and checked by the other, it
// shows that Windows and Linux builds read each other's projects.
#include <cstdio>
#include <cstring>
#include <vector>

#include "fakehost.h"
#include "plugin.h"
#include "plugin/zel.h"

namespace {

// The same state on every build: another program, edited values, a name, a binding.
std::vector<unsigned char> referenceChunk() {
  Plugin p;
  static_cast<Zel*>(static_cast<AudioEffect*>(p.effect()->object))->selectProgram(5);
  for (VstInt32 i = 0; i < 18; ++i) {
    p.setParameter(i, static_cast<float>(i) / 17.0f);
  }
  char name[] = "shared project";
  p.dispatch(effSetProgramName, 0, 0, name);
  p.setParameter(18 + 3, 40.5f / 129.0f);
  return p.chunk();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: chunk_exchange write|check FILE\n");
    return 2;
  }
  FakeHost host;
  const std::vector<unsigned char> reference = referenceChunk();
  if (std::strcmp(argv[1], "write") == 0) {
    FILE* f = std::fopen(argv[2], "wb");
    if (f == nullptr || std::fwrite(reference.data(), 1, reference.size(), f) != reference.size()) {
      std::fprintf(stderr, "chunk_exchange: cannot write %s\n", argv[2]);
      return 1;
    }
    std::fclose(f);
    return 0;
  }
  FILE* f = std::fopen(argv[2], "rb");
  if (f == nullptr) {
    std::fprintf(stderr, "chunk_exchange: cannot read %s\n", argv[2]);
    return 1;
  }
  std::vector<unsigned char> stored(4096);
  stored.resize(std::fread(stored.data(), 1, stored.size(), f));
  std::fclose(f);
  Plugin p;
  const auto result = p.restoreChunk(stored);
  if (result != 0 || p.chunk() != reference || stored != reference) {
    std::fprintf(stderr, "chunk_exchange: %s does not restore the same state\n", argv[2]);
    return 1;
  }
  std::printf("chunk_exchange: %s restores the same state\n", argv[2]);
  return 0;
}
