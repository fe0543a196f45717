#include "statefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "failure.h"

std::vector<unsigned char> readStateFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    throw Failure("cannot read state file " + path + ": " + std::strerror(errno));
  }
  std::vector<unsigned char> bytes;
  unsigned char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    throw Failure("cannot read state file " + path);
  }
  if (bytes.empty()) {
    throw Failure("state file " + path + " is empty");
  }
  return bytes;
}

void writeStateFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    throw Failure("cannot write state file " + path + ": " + std::strerror(errno));
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    throw Failure("cannot write state file " + path);
  }
}
