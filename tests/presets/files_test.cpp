// The user's files and the per-user store through the platform's own calls:
// whole replacement on save, read-only opening on load, any file name, and one
// value per name in the store.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fileaccess.h"
#include "platform/settingsstore.h"
#include "sandbox.h"

namespace fs = std::filesystem;
namespace settings = platform::settings;

TEST(UserFiles, SavingReplacesWholeFilesOrNothing) {
  Sandbox box;
  const std::string name = box.path("Prés€t ü 𝄞.zel");  // any name round-trips
  ASSERT_TRUE(platform::replaceFile(name, "first", 5));
  EXPECT_EQ(readAll(name), "first");
  ASSERT_TRUE(platform::replaceFile(name, "2nd", 3));  // shorter: nothing of the old left
  EXPECT_EQ(readAll(name), "2nd");

  // A file made read-only keeps its contents; so does a folder in the way.
  fs::permissions(fromUtf8(name), fs::perms::owner_read);
  EXPECT_FALSE(platform::replaceFile(name, "third", 5));
  EXPECT_EQ(readAll(name), "2nd");
  fs::create_directory(box.folder() / "folder.zel");
  EXPECT_FALSE(platform::replaceFile(box.path("folder.zel"), "x", 1));
  EXPECT_FALSE(platform::replaceFile(box.path("missing/x.zel"), "x", 1));
  EXPECT_EQ(box.listing(), "Prés€t ü 𝄞.zel");  // no temporary file left behind

  // Loading opens for reading only: a read-only file loads; it reads at most
  // what was asked.
  char buffer[8] = {};
  EXPECT_EQ(platform::readFileStart(name, buffer, sizeof buffer), 3);
  EXPECT_EQ(std::string(buffer), "2nd");
  EXPECT_EQ(platform::readFileStart(name, buffer, 2), 2);
  EXPECT_EQ(platform::readFileStart(box.path("none.zel"), buffer, 2), -1);
}

TEST(UserFiles, PathsOfAnyLength) {
  Sandbox box;
  std::vector<fs::path> levels{box.folder()};
  for (char c : {'a', 'b', 'c'}) {
    levels.push_back(levels.back() / std::string(100, c));
  }
  // Folders this deep are made (and removed) one at a time, on Windows in the
  // form that lifts the length limit.
  const auto system = [](const fs::path& p) {
#ifdef _WIN32
    return fs::path(L"\\\\?\\" + p.wstring());
#else
    return p;
#endif
  };
  for (size_t i = 1; i < levels.size(); ++i) {
    ASSERT_TRUE(fs::create_directory(system(levels[i])));
  }
  const std::string path = utf8(levels.back() / "long.zel");
  ASSERT_GT(path.size(), 300u);
  ASSERT_TRUE(platform::replaceFile(path, "abc", 3));
  char buffer[4] = {};
  EXPECT_EQ(platform::readFileStart(path, buffer, 3), 3);
  EXPECT_EQ(std::string(buffer), "abc");
  fs::remove(system(levels.back() / "long.zel"));
  for (size_t i = levels.size() - 1; i > 0; --i) {
    fs::remove(system(levels[i]));
  }
}

TEST(UserFiles, PathsSplitAtThePlatformsSeparators) {
  EXPECT_EQ(platform::fileNameStart("/home/me/a.zel"), 9u);
  EXPECT_EQ(platform::fileNameStart("a.zel"), 0u);
  EXPECT_EQ(platform::fileNameStart("/"), 1u);
#ifdef _WIN32
  EXPECT_EQ(platform::fileNameStart("C:\\Users\\me/x\\a.zel"), 14u);
  EXPECT_EQ(platform::fileNameStart("C:a.zel"), 2u);
#else
  EXPECT_EQ(platform::fileNameStart("/home/me/back\\slash.zel"), 9u);
#endif
  const std::string here = platform::workingDirectory();
  ASSERT_FALSE(here.empty());
  EXPECT_EQ(platform::fileNameStart(here), here.size());
}

TEST(UserStore, ValuesByName) {
  Sandbox box;
  unsigned char record[5] = {1, 2, 3, 4, 5};
  unsigned char read[5] = {};
  EXPECT_FALSE(settings::loadBinary("MemoA", read, sizeof read));  // nothing stored yet
  EXPECT_TRUE(settings::remove("MemoA"));
  ASSERT_TRUE(settings::storeBinary("MemoA", record, sizeof record));
  ASSERT_TRUE(settings::loadBinary("MemoA", read, sizeof read));
  EXPECT_EQ(std::string(read, read + 5), std::string(record, record + 5));

  // A value larger than asked is not read at all; a shorter one fills the start.
  unsigned char small[4] = {9, 9, 9, 9};
  EXPECT_FALSE(settings::loadBinary("MemoA", small, sizeof small));
  EXPECT_EQ(small[0], 9);
  unsigned char large[8] = {};
  EXPECT_TRUE(settings::loadBinary("MemoA", large, sizeof large));
  EXPECT_EQ(large[4], 5);
  EXPECT_EQ(large[5], 0);

  ASSERT_TRUE(settings::storeText("CurrDir", "/tmp/Prés€t/"));
  EXPECT_EQ(settings::loadText("CurrDir"), "/tmp/Prés€t/");
  EXPECT_EQ(settings::loadText("CurrBank"), "");
#ifndef _WIN32
  // One file per value, named as the value, holding exactly its bytes.
  const fs::path folder = box.folder() / "config" / "Zel-acoustics" / "Ondex";
  EXPECT_EQ(readAll(utf8(folder / "MemoA")), std::string(record, record + 5));
  EXPECT_EQ(readAll(utf8(folder / "CurrDir")), "/tmp/Prés€t/");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
#endif
  EXPECT_TRUE(settings::remove("MemoA"));
  EXPECT_FALSE(settings::loadBinary("MemoA", read, sizeof read));
}
