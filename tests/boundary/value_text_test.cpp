// The number-to-text operations hosts show for parameter values.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "host/audioeffect.h"

namespace {

class TextEffect : public AudioEffect {
 public:
  TextEffect() : AudioEffect(nullptr, 1, 1) {}
  void processReplacing(float** /*in*/, float** /*out*/, VstInt32 /*frames*/) override {}
};

constexpr char kGuard = '#';

// Runs one conversion into a guarded buffer and checks that nothing beyond
// text[maxLen] was touched and that text[len..maxLen] is zero.
template <typename Convert>
std::string convert(Convert&& fn, VstInt32 maxLen = 12) {
  char buffer[64];
  std::memset(buffer, kGuard, sizeof(buffer));
  fn(buffer, maxLen);
  for (size_t i = static_cast<size_t>(maxLen) + 1; i < sizeof(buffer); ++i) {
    EXPECT_EQ(buffer[i], kGuard) << "written past text[maxLen] at " << i;
  }
  const std::string text(buffer);
  for (size_t i = text.size(); i <= static_cast<size_t>(maxLen); ++i) {
    EXPECT_EQ(buffer[i], 0) << "not zero at " << i;
  }
  return text;
}

class ValueText : public ::testing::Test {
 protected:
  std::string f(float v, VstInt32 maxLen = 12) {
    return convert([&](char* t, VstInt32 n) { effect.float2string(v, t, n); }, maxLen);
  }
  std::string db(float v) {
    return convert([&](char* t, VstInt32 n) { effect.dB2string(v, t, n); });
  }
  std::string i(VstInt32 v, VstInt32 maxLen = 12) {
    return convert([&](char* t, VstInt32 n) { effect.int2string(v, t, n); }, maxLen);
  }
  TextEffect effect;
};

}  // namespace

TEST_F(ValueText, FloatTextHasEightCharactersAndCutsFractions) {
  EXPECT_EQ(f(1.25f), "1.250000");
  EXPECT_EQ(f(-3.5f), "-3.50000");
  EXPECT_EQ(f(-0.25f), "-0.25000");
  EXPECT_EQ(f(0.0f), "0.000000");
  EXPECT_EQ(f(0.7f), "0.699999");
  EXPECT_EQ(f(9999999.0f), "9999999.");
  EXPECT_EQ(f(123.456f), "123.4560");
  EXPECT_EQ(f(0.1f), "0.100000");
  EXPECT_EQ(f(-999999.0f), "-999999.");
}

TEST_F(ValueText, FloatTextBeyondItsLimits) {
  EXPECT_EQ(f(123456789.0f), "Huge!");
  EXPECT_EQ(f(-10000000.0f), "Huge!");
  EXPECT_EQ(f(1e30f), "Huge!");
  EXPECT_EQ(f(-1e30f), "Huge!");
  EXPECT_EQ(f(std::numeric_limits<float>::infinity()), "Huge!");
  EXPECT_EQ(f(-std::numeric_limits<float>::infinity()), "Huge!");
  // Integer parts too long for eight characters keep all their digits and the point.
  EXPECT_EQ(f(12345678.0f), "12345678.");
  EXPECT_EQ(f(-1234567.0f), "-1234567.");
  // NaN would otherwise never finish its digits.
  EXPECT_EQ(f(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST_F(ValueText, LimitCutsTheTextAndNothingIsWrittenBeyond) {
  EXPECT_EQ(f(1.25f, 4), "1.25");
  EXPECT_EQ(f(1.25f, 0), "");
  EXPECT_EQ(f(-3.5f, 1), "-");
  EXPECT_EQ(i(123456, 3), "123");
  EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.dB2string(0.0f, t, n); }, 2), "-o");
}

TEST_F(ValueText, DecibelText) {
  EXPECT_EQ(db(1.0f), "0.000000");
  EXPECT_EQ(db(0.001f), "-60.0000");
  EXPECT_EQ(db(4.0f), "12.04120");
  EXPECT_EQ(db(0.0f), "-oo");
  EXPECT_EQ(db(-1.0f), "-oo");
  EXPECT_EQ(db(std::numeric_limits<float>::quiet_NaN()), "-oo");
}

TEST_F(ValueText, IntegerText) {
  EXPECT_EQ(i(42), "42");
  EXPECT_EQ(i(-7), "-7");
  EXPECT_EQ(i(0), "0");
  EXPECT_EQ(i(1000), "1000");
  EXPECT_EQ(i(99999999), "99999999");
  EXPECT_EQ(i(100000000), "Huge!");
  EXPECT_EQ(i(-99999999), "-99999999");
  // Large negative values would produce non-digits; they get the same marker.
  EXPECT_EQ(i(-100000000), "Huge!");
  EXPECT_EQ(i(INT_MIN), "Huge!");
}

TEST_F(ValueText, RateBasedTexts) {
  EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.Hz2string(441.0f, t, n); }), "100.0000");
  EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.Hz2string(0.0f, t, n); }), "0.000000");
  EXPECT_EQ(convert([&](char* t, VstInt32 n) { effect.ms2string(22050.0f, t, n); }), "500.0000");
}
