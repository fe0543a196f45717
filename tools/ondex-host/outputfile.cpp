#include "outputfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "failure.h"

OutputFile::OutputFile(std::string path)
    : finalPath(std::move(path)), temporary(finalPath + ".part") {
  if (finalPath.empty()) {
    throw Failure("no output file given");
  }
  std::error_code ignored;
  if (std::filesystem::is_directory(finalPath, ignored)) {
    throw Failure("cannot write " + finalPath + ": it is a folder");
  }
  std::FILE* probe = std::fopen(temporary.c_str(), "wb");
  if (probe == nullptr) {
    throw Failure("cannot write " + finalPath + ": " + std::strerror(errno));
  }
  std::fclose(probe);
}

OutputFile::~OutputFile() {
  if (!committed) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
  }
}

void OutputFile::commit() {
  std::error_code error;
  std::filesystem::rename(temporary, finalPath, error);
  if (error) {
    throw Failure("cannot write " + finalPath + ": " + error.message());
  }
  committed = true;
}
