// ondex-host snapshot: the editor window as a PNG of its size, showing the
// chosen state and the about picture when asked; bad input leaves no file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hostrun.h"

namespace {

// Width and height from the PNG's header chunk (big-endian, after the
// signature and the chunk's length and type).
std::pair<uint32_t, uint32_t> pngSize(const std::string& bytes) {
  auto word = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) {
      v = v << 8 | uint8_t(bytes[at + i]);
    }
    return v;
  };
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
      bytes.compare(12, 4, "IHDR") != 0) {
    return {0, 0};
  }
  return {word(16), word(20)};
}

}  // namespace

TEST(Snapshot, WritesTheEditorOnTheChosenStateAsAPng) {
  const std::string folder = freshFolder("snapshot");
  auto snapshot = [&](const std::string& name, std::vector<std::string> options) {
    std::vector<std::string> args = {"snapshot", "--out", folder + "/" + name};
    args.insert(args.end(), options.begin(), options.end());
    const HostRun run = runHost(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return readBytes(folder + "/" + name);
  };
  const std::string plain = snapshot("plain.png", {});
  EXPECT_EQ(pngSize(plain), (std::pair<uint32_t, uint32_t>{870, 101}));
  EXPECT_EQ(snapshot("again.png", {}), plain);  // the same state draws the same picture
  const std::string bypassed = snapshot("bypassed.png", {"--set", "Power=0"});
  EXPECT_EQ(pngSize(bypassed), pngSize(plain));
  EXPECT_NE(bypassed, plain);
  EXPECT_NE(snapshot("program.png", {"--program", "3"}), plain);
  EXPECT_NE(snapshot("named.png", {"--name", "ij il fij"}), plain);
  const std::string about = snapshot("about.png", {"--about"});
  EXPECT_NE(about, plain);
  EXPECT_NE(about, bypassed);

  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"snapshot"},
           {"snapshot", "--out", folder + "/bad.jpg"},
           {"snapshot", "--out", folder + "/bad.png", "--set", "Nothing=1"},
           {"snapshot", "--out", folder + "/bad.png", "--program", "99"}}) {
    const HostRun run = runHost(bad);
    EXPECT_EQ(run.status, 2) << bad.back();
    EXPECT_EQ(linesOf(run.err).size(), 1u) << run.err;
  }
  EXPECT_FALSE(fileExists(folder + "/bad.png"));
  EXPECT_FALSE(fileExists(folder + "/bad.png.part"));
  EXPECT_FALSE(fileExists(folder + "/bad.jpg"));
}
