#include "arguments.h"

#include <gtest/gtest.h>

#include "failure.h"

namespace {

const std::vector<OptionDefinition> kOptions = {{"out"}, {"set"}, {"float", false}};

}  // namespace

TEST(Arguments, ValuesFollowOrJoinTheirOptionAndRepeatInOrder) {
  const ParsedOptions parsed = parseOptions(
      {"--out", "a.wav", "--set=Mix=0.5", "--float", "--set", "Fbck=1"}, kOptions, "render");
  EXPECT_EQ(parsed.value("out"), "a.wav");
  EXPECT_TRUE(parsed.has("float"));
  EXPECT_EQ(parsed.all("set"), (std::vector<std::string>{"Mix=0.5", "Fbck=1"}));
  EXPECT_EQ(parsed.value("set"), "Fbck=1");
  EXPECT_EQ(parsed.value("missing", "fallback"), "fallback");
  EXPECT_FALSE(parsed.helpWanted);
  EXPECT_TRUE(parseOptions({"--out", "x", "-h"}, kOptions, "render").helpWanted);
}

TEST(Arguments, AValueMayLookLikeAnOption) {
  // "--out --float" names a file called "--float", as getopt would have it.
  const ParsedOptions parsed = parseOptions({"--out", "--float"}, kOptions, "render");
  EXPECT_EQ(parsed.value("out"), "--float");
  EXPECT_FALSE(parsed.has("float"));
}

TEST(Arguments, MistakesAreRefusedWithTheCommandNamed) {
  auto message = [](std::vector<std::string> args) {
    try {
      parseOptions(args, kOptions, "render");
    } catch (const Failure& failure) {
      return std::string(failure.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(message({"--out"}),
            "render: option --out needs a value (see ondex-host render --help)");
  EXPECT_EQ(message({"--outt", "x"}),
            "render: unknown option --outt (see ondex-host render --help)");
  EXPECT_EQ(message({"--float=yes"}), "render: option --float takes no value");
  EXPECT_EQ(message({"stray"}),
            "render: unexpected argument 'stray' (see ondex-host render --help)");
  EXPECT_EQ(message({"-o", "x"}),
            "render: unexpected argument '-o' (see ondex-host render --help)");
  EXPECT_EQ(message({"--", "x"}), "render: unexpected argument 'x' (see ondex-host render --help)");
}

TEST(Arguments, NumbersMustBeWholeText) {
  EXPECT_DOUBLE_EQ(parseNumber("0.25", "x"), 0.25);
  EXPECT_DOUBLE_EQ(parseNumber("1e-3", "x"), 0.001);
  EXPECT_EQ(parseInteger("-7", "x"), -7);
  for (const char* bad : {"", "0.5s", " ", "nan", "inf", "1e999"}) {
    EXPECT_THROW(parseNumber(bad, "x"), Failure) << bad;
  }
  for (const char* bad : {"", "1.5", "12a", "99999999999999999999999"}) {
    EXPECT_THROW(parseInteger(bad, "x"), Failure) << bad;
  }
}
