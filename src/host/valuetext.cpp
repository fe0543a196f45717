#include "valuetext.h"

#include <cmath>
#include <cstring>

#include "audioeffect.h"

namespace valuetext {

std::string floatText(float value) {
  double v = value;
  if (std::isnan(v)) {
    return "NaN";  // no digits to give; the digit loop below would never end
  }
  std::string text;
  if (v < 0) {
    text = "-";
    v = -v;
    if (v > 9999999.0) {
      return "Huge!";
    }
  } else if (v > 99999999.0) {
    return "Huge!";
  }
  // Integer digits, produced from the right.
  std::string digits;
  double i = std::floor(v);
  if (i < 1.0) {
    digits = "0";
  }
  while (i >= 1.0) {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(std::fmod(i, 10.0))));
    i /= 10.0;
  }
  text += digits;
  text += '.';
  const int used = static_cast<int>(text.size());
  if (used >= 8) {
    return text;  // no room left for fraction digits
  }
  const int n = 8 - used;
  double m = std::pow(10.0, n) * std::fmod(v, 1.0);
  std::string fraction(static_cast<size_t>(n), '0');
  for (int k = n - 1; k >= 0; --k) {
    if (m > 0) {
      fraction[static_cast<size_t>(k)] =
          static_cast<char>('0' + static_cast<int>(std::fmod(m, 10.0)));
      m /= 10.0;
    }
  }
  return text + fraction;
}

std::string dBText(float value) {
  if (!(value > 0.0f)) {
    return "-oo";
  }
  const float db = static_cast<float>(20.0 * static_cast<double>(std::log10(value)));
  return floatText(db);
}

std::string intText(VstInt32 value) {
  // Magnitudes of nine digits or more do not fit, whatever the sign.
  long long v = value;
  std::string text;
  if (v < 0) {
    text = "-";
    v = -v;
  }
  if (v >= 100000000) {
    return "Huge!";
  }
  bool started = false;
  for (long long divisor = 100000000; divisor >= 1; divisor /= 10) {
    const long long digit = v / divisor;
    v -= digit * divisor;
    if (digit != 0 || started || divisor == 1) {
      text += static_cast<char>('0' + digit);
      started = true;
    }
  }
  return text;
}

void copyLimited(const std::string& text, char* out, VstInt32 maxLen) {
  if (out == nullptr || maxLen < 0) {
    return;
  }
  const size_t limit = static_cast<size_t>(maxLen);
  const size_t n = text.size() < limit ? text.size() : limit;
  std::memcpy(out, text.data(), n);  // NOLINT(bugprone-not-null-terminated-result): zeros follow
  std::memset(out + n, 0, limit + 1 - n);
}

}  // namespace valuetext

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) {
  valuetext::copyLimited(valuetext::floatText(value), text, maxLen);
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
  valuetext::copyLimited(valuetext::dBText(value), text, maxLen);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) {
  valuetext::copyLimited(valuetext::intText(value), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
  const float hz = samples == 0.0f ? 0.0f : sampleRate / samples;
  float2string(hz, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
  const auto ms =
      static_cast<float>(static_cast<double>(samples) * 1000.0 / static_cast<double>(sampleRate));
  float2string(ms, text, maxLen);
}
