// Display texts read back: each display shape of the parameter table undone,
// so that a value typed in a host's field lands where the display shows it.
#include "plugin/parametertext.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/steps.h"
#include "plugin/parametertable.h"

namespace {

// The first word of the text, lower case: the display itself, without its unit.
std::string displayWord(const char* text) {
  std::string word;
  const char* at = text;
  while (*at == ' ') {
    ++at;
  }
  for (; *at != '\0' && *at != ' '; ++at) {
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(*at)));
  }
  return word;
}

bool readNumber(const std::string& word, float& x) {
  char* end = nullptr;
  const double read = std::strtod(word.c_str(), &end);
  if (end == word.c_str() || !std::isfinite(read)) {
    return false;
  }
  x = static_cast<float>(read);
  return true;
}

float limited(float v) { return std::clamp(v, 0.0f, 1.0f); }

// A truncated display lands a value a rounding below its figure: `v` moved
// by whole floats toward `toward` until `figure(v)` reaches `want`.
template <typename Figure>
float settled(float v, float toward, int want, Figure figure) {
  for (int k = 0; k < 16 && figure(v) < want; ++k) {
    v = std::nextafter(v, toward);
  }
  return v;
}

// Of a gain in dB ("-oo" for silence), the linear gain.
bool readGain(const std::string& word, float& gain) {
  if (word == "-oo") {
    gain = 0.0f;
    return true;
  }
  float db = 0.0f;
  if (!readNumber(word, db)) {
    return false;
  }
  gain = std::pow(10.0f, db / 20.0f);
  return true;
}

// A switch's two words, or a figure from 0.5 for on.
bool readSwitch(const std::string& word, const char* off, const char* on, float& v) {
  float x = 0.0f;
  if (word == on || word == off) {
    x = word == on ? 1.0f : 0.0f;
  } else if (!readNumber(word, x)) {
    return false;
  }
  v = x >= 0.5f ? 1.0f : 0.0f;
  return true;
}

// The step of the note table whose entry is nearest the figure, at its centre.
template <int kSteps>
bool readNote(const std::string& word, const float (&table)[kSteps], float& v) {
  float x = 0.0f;
  if (!readNumber(word, x)) {
    return false;
  }
  int nearest = 0;
  for (int i = 1; i < kSteps; ++i) {
    if (std::fabs(table[i] - x) < std::fabs(table[nearest] - x)) {
      nearest = i;
    }
  }
  v = stepCentre(nearest, kSteps);
  return true;
}

int truncated(float x) { return static_cast<int>(x); }

}  // namespace

bool parseParameterText(int index, const char* text, float& normalized) {
  if (index < 0 || index >= kNumZelParameters || text == nullptr) {
    return false;
  }
  const std::string word = displayWord(text);
  float x = 0.0f;
  switch (kParameterTable[index].display) {
    case DisplayKind::Gain:
      if (!readGain(word, x)) {
        return false;
      }
      normalized = limited(std::sqrt(x / 4.0f));
      return true;
    case DisplayKind::FeedbackGain:
      if (!readGain(word, x)) {
        return false;
      }
      normalized = limited(x);
      return true;
    case DisplayKind::MixShares: {
      // The direct share is shown first: "dry" is all direct, "wet" none.
      if (word == "dry" || word == "wet") {
        normalized = word == "dry" ? 0.0f : 1.0f;
        return true;
      }
      if (!readNumber(word, x)) {
        return false;
      }
      const int direct = std::clamp(truncated(x), 0, 100);
      normalized = settled(1.0f - static_cast<float>(direct) / 100.0f, 0.0f, direct,
                           [](float v) { return truncated((1.0f - v) * 100.0f); });
      return true;
    }
    case DisplayKind::DelayTime:
      if (!readNumber(word, x)) {
        return false;
      }
      normalized = limited(x / kMaxDelayMs);
      return true;
    case DisplayKind::OnOff:
      return readSwitch(word, "off", "on", normalized);
    case DisplayKind::SyncMode:
      return readSwitch(word, "dly", "clk", normalized);
    case DisplayKind::ClockRatio:
      if (!readNumber(word, x)) {
        return false;
      }
      normalized = limited(x - 0.5f);
      return true;
    case DisplayKind::Percent: {
      if (!readNumber(word, x)) {
        return false;
      }
      const int percent = std::clamp(truncated(x), 0, 100);
      normalized = settled(limited(x / 100.0f), 1.0f, percent,
                           [](float v) { return truncated(v * 100.0f); });
      return true;
    }
    case DisplayKind::WaveBlend: {
      if (word == "sin" || word == "env" || word == "sqr") {
        normalized = word == "sin" ? 0.0f : (word == "env" ? 0.5f : 1.0f);
        return true;
      }
      // The sine's share, first of the two; the same pair also shows on the
      // square's side, and the sine's side is taken.
      if (!readNumber(word, x)) {
        return false;
      }
      const int sine = std::clamp(truncated(x), 0, 100);
      normalized = settled(static_cast<float>(100 - sine) / 200.0f, 0.0f, sine,
                           [](float v) { return truncated(100.0f - 200.0f * v); });
      return true;
    }
    case DisplayKind::RateHz:
      if (!readNumber(word, x)) {
        return false;
      }
      // Inverse of rateOf: 0.1 Hz at 0, a factor of 100 over the range.
      normalized = x > 0.0f ? limited(std::log10(x / rateOf(0.0f)) / 2.0f) : 0.0f;
      return true;
    case DisplayKind::Numerator:
      return readNote(word, numeratorTable, normalized);
    case DisplayKind::Denominator:
      return readNote(word, denominatorTable, normalized);
  }
  return false;
}
