// A progress bar on stderr for renders that take longer than a second, drawn
// only when stderr is a terminal.
#pragma once

#include <chrono>

class ProgressBar {
 public:
  explicit ProgressBar(bool enabled);
  // fraction in 0..1; redraws at most a few times a second.
  void update(double fraction);
  // Clears the bar if one was drawn.
  void finish();

 private:
  bool enabled;
  bool shown = false;
  std::chrono::steady_clock::time_point started;
  std::chrono::steady_clock::time_point lastDrawn;
};
