// The host's bypass as the effect's Power switch: bypassed is Power off, so
// the chunk keeps it and the panel's lamp shows it. Power switches at once
// (as every format plays it), so the host's bypass is faded over a few
// milliseconds around it: going in, the output fades to the dry input while
// Power is still on, and Power goes off only when the dry input is all there
// is (Power off passes that same input); coming out, Power comes on under a
// full dry input that then fades away. Nothing here allocates once prepared.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class Vst3Bypass {
 public:
  static constexpr double kFadeSeconds = 0.01;
  // Most Power changes (and fade segments) of one block.
  static constexpr size_t kMostChanges = 40;

  // Main thread, inactive: the fade's length, and room for the dry input of
  // the longest block; settled in the state Power gives.
  void prepare(double sampleRate, uint32_t maxFrames, bool powerOn);

  // Audio, before the effect runs: where Power stands, the host's switches
  // in frame order, and the block's length (0 for a block without audio, in
  // which every switch is immediate). Then the Power changes to apply.
  void startBlock(bool powerOn, bool withAudio);
  void switchAt(uint32_t frame, bool bypassed);
  void endPlan(uint32_t frames);
  struct PowerChange {
    uint32_t frame;
    bool on;
  };
  const PowerChange* powerChanges() const { return changes.data(); }
  size_t powerChangeCount() const { return changeCount; }

  // Audio: whether the block fades, so the dry input must be kept before the
  // effect overwrites it (the buffers may be shared); then the mix. A missing
  // input is silence, a missing right channel the left.
  bool fades() const { return segmentCount > 0; }
  void keepDry(const float* const* inputs, int32_t inputChannels, uint32_t frames);
  void mix(float* const* outputs, int32_t channels) const;

 private:
  // Where the fade stands: 0 the effect alone, `length` the dry input alone.
  void advanceTo(uint32_t frame);
  void addChange(uint32_t frame, bool on);

  std::vector<float> dry[2];
  uint32_t length = 1;
  uint32_t position = 0;
  int32_t direction = 0;  // -1 toward the effect, +1 toward the dry input, 0 still
  bool powerOn = true;
  int64_t powerOffIn = -1;  // frames from the plan's start until Power goes off; -1 none

  // The plan of one block.
  bool withAudio = false;
  uint32_t planFrame = 0;
  struct Segment {
    uint32_t from, to, position;
    int32_t direction;
  };
  std::array<Segment, kMostChanges> segments{};
  size_t segmentCount = 0;
  std::array<PowerChange, kMostChanges> changes{};
  size_t changeCount = 0;
};
