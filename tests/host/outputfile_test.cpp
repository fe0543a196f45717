#include "outputfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "failure.h"

namespace {

std::filesystem::path folder() {
  const auto path = std::filesystem::current_path() / "host_unit_files";
  std::filesystem::create_directories(path);
  return path;
}

}  // namespace

TEST(OutputFile, AppearsOnlyWhenCommitted) {
  const std::string path = (folder() / "committed.bin").string();
  std::filesystem::remove(path);
  {
    OutputFile output(path);
    std::ofstream(output.temporaryPath()) << "whole";
    EXPECT_FALSE(std::filesystem::exists(path));
    output.commit();
  }
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

TEST(OutputFile, AnAbandonedOutputLeavesTheOldFileAndNoTemporary) {
  const std::string path = (folder() / "kept.bin").string();
  std::ofstream(path) << "old";
  {
    OutputFile output(path);
    std::ofstream(output.temporaryPath()) << "half";
  }
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  std::ifstream in(path);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "old");
}

TEST(OutputFile, AFolderThatCannotTakeTheFileIsRefusedAtOnce) {
  EXPECT_THROW(OutputFile((folder() / "missing" / "x.wav").string()), Failure);
  EXPECT_THROW(OutputFile(folder().string()), Failure);
  EXPECT_THROW(OutputFile(""), Failure);
}
