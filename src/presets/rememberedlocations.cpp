#include "rememberedlocations.h"

#include <cstring>

#include "common/utf8text.h"
#include "platform/fileaccess.h"

namespace {

void store(char (&buffer)[RememberedLocations::kBufferSize], std::string_view text) {
  std::memset(buffer, 0, sizeof buffer);
  std::memcpy(buffer, text.data(), text.size());
}

}  // namespace

void RememberedLocations::remember(std::string_view path, FileKind kind) {
  const size_t start = platform::fileNameStart(path);
  if (start == 0) {
    return;
  }
  setDirectory(path.substr(0, start));
  setName(kind, path.substr(start));
}

void RememberedLocations::setDirectory(std::string_view text) {
  while (text.size() >= kBufferSize) {
    text = text.substr(0, platform::fileNameStart(text.substr(0, text.size() - 1)));
  }
  store(folder, text);
}

void RememberedLocations::setName(FileKind kind, std::string_view text) {
  store(names[static_cast<int>(kind)], utf8::prefix(text, kBufferSize - 1));
}

bool RememberedLocations::operator==(const RememberedLocations& other) const {
  return std::memcmp(folder, other.folder, sizeof folder) == 0 &&
         std::memcmp(names, other.names, sizeof names) == 0;
}
