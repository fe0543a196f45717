#include "platform/fileaccess.h"

#include <atomic>

#include "platform/temporaryname.h"

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

std::string temporarySuffix(unsigned long processId) {
  static std::atomic<unsigned> counter{0};
  return ".tmp" + std::to_string(processId) + "-" + std::to_string(counter++);
}

}  // namespace platform
