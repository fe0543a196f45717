// The remembered folder and names that seed the panel's dialogs.
#include <gtest/gtest.h>

#include <string>

#include "common/utf8text.h"
#include "presets/rememberedlocations.h"

TEST(RememberedLocations, SplitAtTheLastSeparatorAndShortenedSafely) {
#ifdef _WIN32
  const std::string sep = "\\";
#else
  const std::string sep = "/";
#endif
  RememberedLocations at;
  at.remember(sep + "music" + sep + "sounds" + sep + "wow.zel", FileKind::kPreset);
  EXPECT_EQ(std::string(at.directory()), sep + "music" + sep + "sounds" + sep);
  EXPECT_EQ(std::string(at.name(FileKind::kPreset)), "wow.zel");
  EXPECT_EQ(std::string(at.name(FileKind::kBank)), "");
  at.remember("bare.zeb", FileKind::kBank);  // no folder: nothing changes
  EXPECT_EQ(std::string(at.name(FileKind::kBank)), "");

  // A folder too long to keep gives way to its longest parent that fits; a
  // long name is cut between characters ("é" is two bytes).
  const std::string deep = sep + std::string(200, 'a') + sep + std::string(100, 'b') + sep;
  at.setDirectory(deep);
  EXPECT_EQ(std::string(at.directory()), sep + std::string(200, 'a') + sep);
  std::string name(255, 'x');
  name += "é.zel";
  at.setName(FileKind::kMidiSettings, name);
  EXPECT_EQ(std::string(at.name(FileKind::kMidiSettings)), std::string(255, 'x'));
  EXPECT_EQ(utf8::prefix("aé", 2), "a");
  EXPECT_EQ(utf8::prefix("aé", 3), "aé");
}
