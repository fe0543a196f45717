#include "platform/fileaccess.h"

namespace platform {

long readFileStart(const std::string& path, void* data, size_t size) {
  std::FILE* file = openForReading(path);
  if (file == nullptr) {
    return -1;
  }
  const size_t n = std::fread(data, 1, size, file);
  std::fclose(file);
  return static_cast<long>(n);
}

}  // namespace platform
