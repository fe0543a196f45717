#include "progressbar.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kWidth = 40;
constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

}  // namespace

ProgressBar::ProgressBar(bool enabled)
    : enabled(enabled), started(std::chrono::steady_clock::now()), lastDrawn(started) {}

void ProgressBar::update(double fraction) {
  if (!enabled) {
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  if (now - started < kQuietStart || (shown && now - lastDrawn < kRedrawEvery)) {
    return;
  }
  fraction = fraction < 0.0 ? 0.0 : (fraction > 1.0 ? 1.0 : fraction);
  const int filled = static_cast<int>(fraction * kWidth);
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kWidth - filled), '-');
  std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), static_cast<int>(fraction * 100.0));
  std::fflush(stderr);
  shown = true;
  lastDrawn = now;
}

void ProgressBar::finish() {
  if (shown) {
    std::fprintf(stderr, "\r%*s\r", kWidth + 8, "");
    std::fflush(stderr);
    shown = false;
  }
}
