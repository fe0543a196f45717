// The plug-in's programs, by name or index. Most plug-ins expose them to the
// host (effSetProgram). A chunk-based plug-in with one host-visible program may
// keep a bank of its own: its names come from effGetProgramNameIndexed and a
// program is chosen by restoring the chunk with its current-program field set.
#pragma once

#include <string>
#include <vector>

class HostedPlugin;

class ProgramList {
 public:
  explicit ProgramList(HostedPlugin& plugin);

  const std::vector<std::string>& names() const { return programNames; }
  bool selectedThroughChunk() const { return throughChunk; }
  // The index for "NAME" or "INDEX"; throws Failure listing the valid ones.
  int find(const std::string& nameOrIndex) const;
  // Throws Failure if the plug-in does not take the program.
  void select(int index);

 private:
  HostedPlugin& plugin;
  std::vector<std::string> programNames;
  bool throughChunk = false;
};

// Where a chunk keeps its program count and current program.
constexpr size_t kChunkProgramCountAt = 8;
constexpr size_t kChunkCurrentProgramAt = 12;
// Ondex's chunk: its programs, each a name and 18 values.
constexpr size_t kChunkProgramsAt = 32;
constexpr size_t kChunkProgramSize = 96;
constexpr size_t kChunkProgramNameSize = 24;
