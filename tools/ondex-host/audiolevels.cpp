#include "audiolevels.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

double toDb(double amplitude) {
  return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -std::numeric_limits<double>::infinity();
}

}  // namespace

Levels measureLevels(const Audio& audio) {
  double peak = 0.0;
  double sumOfSquares = 0.0;
  size_t count = 0;
  for (const auto& channel : audio.channels) {
    for (float sample : channel) {
      const double value = sample;
      peak = std::fmax(peak, std::fabs(value));
      sumOfSquares += value * value;
    }
    count += channel.size();
  }
  const double rms = count == 0 ? 0.0 : std::sqrt(sumOfSquares / static_cast<double>(count));
  return {toDb(peak), toDb(rms)};
}

std::string formatDb(double db) {
  if (!std::isfinite(db)) {
    return "-inf dBFS";
  }
  char text[32];
  std::snprintf(text, sizeof(text), "%.1f dBFS", db);
  return text;
}
