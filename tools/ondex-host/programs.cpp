#include "programs.h"

#include <cstdint>
#include <cstring>

#include "arguments.h"
#include "failure.h"
#include "hostedplugin.h"

namespace {

constexpr int kMostInternalPrograms = 1024;

std::int32_t wordAt(const std::vector<unsigned char>& bytes, size_t at) {
  std::int32_t word = 0;
  std::memcpy(&word, bytes.data() + at, sizeof(word));
  return word;
}

}  // namespace

ProgramList::ProgramList(HostedPlugin& plugin) : plugin(plugin) {
  AEffect* effect = plugin.effect();
  if (effect->numPrograms > 1 || !plugin.usesChunks()) {
    for (VstInt32 i = 0; i < effect->numPrograms; ++i) {
      std::string name = plugin.text(effGetProgramNameIndexed, i);
      programNames.push_back(name);
    }
    return;
  }
  // One visible program: look for a bank behind it, announced by the names
  // the plug-in answers and confirmed by the count its chunk records.
  std::vector<std::string> hidden;
  char buffer[512];
  for (int i = 0; i < kMostInternalPrograms; ++i) {
    std::memset(buffer, 0, sizeof(buffer));
    if (plugin.dispatch(effGetProgramNameIndexed, i, 0, buffer, 0.0f) == 0) {
      break;
    }
    buffer[sizeof(buffer) - 1] = 0;
    hidden.emplace_back(buffer);
  }
  const std::vector<unsigned char> state = plugin.chunk();
  if (hidden.size() > 1 && state.size() >= kChunkCurrentProgramAt + 4 &&
      wordAt(state, kChunkProgramCountAt) == static_cast<std::int32_t>(hidden.size())) {
    programNames = hidden;
    throughChunk = true;
    return;
  }
  for (VstInt32 i = 0; i < effect->numPrograms; ++i) {
    programNames.push_back(plugin.text(effGetProgramNameIndexed, i));
  }
}

int ProgramList::find(const std::string& nameOrIndex) const {
  for (size_t i = 0; i < programNames.size(); ++i) {
    if (programNames[i] == nameOrIndex) {
      return static_cast<int>(i);
    }
  }
  bool isNumber = !nameOrIndex.empty();
  for (char c : nameOrIndex) {
    isNumber = isNumber && c >= '0' && c <= '9';
  }
  if (isNumber && nameOrIndex.size() < 6) {
    const long index = parseInteger(nameOrIndex, "--program");
    if (index < static_cast<long>(programNames.size())) {
      return static_cast<int>(index);
    }
  }
  std::string valid;
  for (size_t i = 0; i < programNames.size(); ++i) {
    valid += (i == 0 ? "" : ", ") + std::to_string(i) + " \"" + programNames[i] + "\"";
  }
  if (valid.empty()) {
    valid = "none: the plug-in has no programs";
  }
  throw Failure("unknown program '" + nameOrIndex + "'; valid programs: " + valid);
}

void ProgramList::select(int index) {
  if (!throughChunk) {
    plugin.dispatch(effBeginSetProgram);
    plugin.dispatch(effSetProgram, 0, index);
    plugin.dispatch(effEndSetProgram);
    return;
  }
  std::vector<unsigned char> state = plugin.chunk();
  if (state.size() < kChunkCurrentProgramAt + 4) {
    throw Failure("the plug-in gave no state to select program " + std::to_string(index) + " with");
  }
  const auto word = static_cast<std::int32_t>(index);
  std::memcpy(state.data() + kChunkCurrentProgramAt, &word, sizeof(word));
  if (!plugin.setChunk(state) ||
      wordAt(plugin.chunk(), kChunkCurrentProgramAt) != static_cast<std::int32_t>(index)) {
    throw Failure("the plug-in did not take program " + std::to_string(index));
  }
}
