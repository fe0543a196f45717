// One stored program: the layout shared by the state chunk, the preset and
// bank files and the registry records.
#pragma once

#include <atomic>
#include <cstdint>

constexpr int kNumPrograms = 17;
constexpr int kNumEffectParams = 18;
constexpr int kNumHostParams = 2 * kNumEffectParams;  // and the controller of each
constexpr int kProgramNameSize = 24;

struct Program {
  char name[kProgramNameSize];
  float values[kNumEffectParams];
};
static_assert(sizeof(Program) == 96);

// Stores text into a name field: at most 24 characters; a shorter name is
// zero-padded, a name of exactly 24 characters has no terminator.
void copyProgramName(char (&field)[kProgramNameSize], const char* text);

// A name field as text: its 24 bytes and a terminator, written to `text`
// (25 bytes), or kept in a ProgramNameText.
void copyProgramNameText(const char (&field)[kProgramNameSize], char* text);
struct ProgramNameText {
  explicit ProgramNameText(const char (&field)[kProgramNameSize]) {
    copyProgramNameText(field, text);
  }
  char text[kProgramNameSize + 1];
};

// A live program's values are set by MIDI on the audio thread while the UI
// thread saves or loads them: every such access goes through these.
inline float loadLiveValue(const float& value) {
  return std::atomic_ref<float>(const_cast<float&>(value)).load();  // NOLINT: read only
}
inline void storeLiveValue(float& value, float v) { std::atomic_ref<float>(value).store(v); }
