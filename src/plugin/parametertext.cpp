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

// The figure at the start of `from`; `end` after it. Held to a million
// either way, so that no figure typed makes a conversion to int undefined.
bool readFigure(const char* from, float& x, const char*& end) {
  char* stop = nullptr;
  const double read = std::strtod(from, &stop);
  if (stop == from || std::isnan(read)) {
    return false;
  }
  x = static_cast<float>(std::clamp(read, -1.0e6, 1.0e6));
  end = stop;
  return true;
}

bool readNumber(const std::string& word, float& x) {
  const char* end = nullptr;
  return readFigure(word.c_str(), x, end);
}

// "a-b" shares: how many figures were read, none, the first or both.
int readShares(const std::string& word, float& first, float& second) {
  const char* end = nullptr;
  if (!readFigure(word.c_str(), first, end)) {
    return 0;
  }
  const char* after = nullptr;
  return *end == '-' && readFigure(end + 1, second, after) ? 2 : 1;
}

float limited(float v) { return std::clamp(v, 0.0f, 1.0f); }

// The value nearest `aim`, a few floats either way, that shows `word`
// exactly; false when none does.
bool nearestShowing(float aim, const std::string& word, const DisplayOf& displayOf, float& v) {
  float below = aim;
  float above = aim;
  for (int k = 0; k < 16; ++k) {
    for (const float candidate : {above, below}) {
      if (candidate >= 0.0f && candidate <= 1.0f && displayOf(candidate) == word) {
        v = candidate;
        return true;
      }
    }
    above = std::nextafter(above, 2.0f);
    below = std::nextafter(below, -1.0f);
  }
  return false;
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
  gain = static_cast<float>(std::pow(10.0, static_cast<double>(db) / 20.0));
  return true;
}

int truncated(float x) { return static_cast<int>(x); }

// Where a text points by its display's shape: values tried for showing it
// exactly, and the value taken when none does (the figure as typed).
struct Aims {
  float tries[2] = {0.0f, 0.0f};
  int count = 0;
  float fallback = 0.0f;

  static Aims at(float v) { return {{v, 0.0f}, 1, v}; }
};

// A switch's two words, or a figure from 0.5 for on.
bool readSwitch(const std::string& word, const char* off, const char* on, Aims& aims) {
  float x = 0.0f;
  if (word == on || word == off) {
    x = word == on ? 1.0f : 0.0f;
  } else if (!readNumber(word, x)) {
    return false;
  }
  aims = Aims::at(x >= 0.5f ? 1.0f : 0.0f);
  return true;
}

// The step of the note table whose entry is nearest the figure, at its centre.
template <int kSteps>
bool readNote(const std::string& word, const float (&table)[kSteps], Aims& aims) {
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
  aims = Aims::at(stepCentre(nearest, kSteps));
  return true;
}

bool aimsOf(DisplayKind display, const std::string& word, Aims& aims) {
  float x = 0.0f;
  switch (display) {
    case DisplayKind::Gain:
      if (!readGain(word, x)) {
        return false;
      }
      aims = Aims::at(limited(std::sqrt(x / 4.0f)));
      return true;
    case DisplayKind::FeedbackGain:
      if (!readGain(word, x)) {
        return false;
      }
      aims = Aims::at(limited(x));
      return true;
    case DisplayKind::MixShares: {
      // The direct share is shown first: "dry" is all of it, "wet" none.
      if (word == "dry" || word == "wet") {
        aims = Aims::at(word == "dry" ? 0.0f : 1.0f);
        return true;
      }
      if (!readNumber(word, x)) {
        return false;
      }
      const float direct = static_cast<float>(std::clamp(truncated(x), 0, 100));
      // Where the share is exactly the figure, else inside its step.
      aims = {{1.0f - direct / 100.0f, 0.0f}, 1, limited(1.0f - (direct + 0.5f) / 100.0f)};
      return true;
    }
    case DisplayKind::DelayTime:
      if (!readNumber(word, x)) {
        return false;
      }
      aims = Aims::at(limited(x / kMaxDelayMs));
      return true;
    case DisplayKind::OnOff:
      return readSwitch(word, "off", "on", aims);
    case DisplayKind::SyncMode:
      return readSwitch(word, "dly", "clk", aims);
    case DisplayKind::ClockRatio:
      if (!readNumber(word, x)) {
        return false;
      }
      aims = Aims::at(limited(x - 0.5f));
      return true;
    case DisplayKind::Percent:
      if (!readNumber(word, x)) {
        return false;
      }
      aims = {{limited(std::floor(x) / 100.0f), 0.0f}, 1, limited(x / 100.0f)};
      return true;
    case DisplayKind::WaveBlend: {
      if (word == "sin" || word == "env" || word == "sqr") {
        aims = Aims::at(word == "sin" ? 0.0f : (word == "env" ? 0.5f : 1.0f));
        return true;
      }
      // The first share names the sine's side and the square's alike; the
      // sine's is taken unless only the square's shows the text.
      float first = 0.0f;
      float second = 0.0f;
      const int figures = readShares(word, first, second);
      if (figures == 0) {
        return false;
      }
      const float share = static_cast<float>(std::clamp(truncated(first), 0, 100));
      const float inside =
          figures == 2 && truncated(first) + truncated(second) != 100 ? 0.5f : 0.0f;
      aims = {{(100.0f - share) / 200.0f, (200.0f - share) / 200.0f},
              2,
              (100.0f - share - inside) / 200.0f};
      return true;
    }
    case DisplayKind::RateHz:
      if (!readNumber(word, x)) {
        return false;
      }
      // Inverse of rateOf: 0.1 Hz at 0, a factor of 100 over the range.
      aims = Aims::at(x > 0.0f ? limited(static_cast<float>(std::log10(x / 0.1) / 2.0)) : 0.0f);
      return true;
    case DisplayKind::Numerator:
      return readNote(word, numeratorTable, aims);
    case DisplayKind::Denominator:
      return readNote(word, denominatorTable, aims);
  }
  return false;
}

}  // namespace

bool parseParameterText(int index, const char* text, const DisplayOf& displayOf,
                        float& normalized) {
  if (index < 0 || index >= kNumZelParameters || text == nullptr) {
    return false;
  }
  const std::string word = displayWord(text);
  Aims aims;
  if (!aimsOf(kParameterTable[index].display, word, aims)) {
    return false;
  }
  for (int i = 0; i < aims.count; ++i) {
    if (nearestShowing(aims.tries[i], word, displayOf, normalized)) {
      return true;
    }
  }
  normalized = aims.fallback;
  return true;
}
