#include "platform/settingsstore.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/identity.h"
#include "platform/fileaccess.h"

namespace platform::settings {

namespace {

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return home;
  }
  const struct passwd* user = ::getpwuid(::getuid());  // NOLINT: read once, on the editor's thread
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string storeFolder() {
  std::string config;
  // Only an absolute XDG_CONFIG_HOME counts, as the base directory rules say.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
    config = xdg;
  } else {
    const std::string home = homeFolder();
    if (home.empty()) {
      return {};
    }
    config = home + "/.config";
  }
  return config + "/" + kOndexVendor + "/" + kOndexStoreFolder;
}

std::string valuePath(const char* name) {
  const std::string folder = storeFolder();
  return folder.empty() ? std::string() : folder + "/" + name;
}

bool makeFolders(const std::string& path) {
  for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
    if (::mkdir(path.substr(0, at).c_str(), 0700) != 0 && errno != EEXIST) {
      return false;
    }
  }
  return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

// The whole value, when it is at most `limit` bytes.
bool loadBytes(const char* name, std::vector<unsigned char>& bytes, size_t limit) {
  const std::string path = valuePath(name);
  if (path.empty()) {
    return false;
  }
  bytes.resize(limit + 1);
  const long n = readFileStart(path, bytes.data(), bytes.size());
  if (n < 0 || static_cast<size_t>(n) > limit) {
    return false;
  }
  bytes.resize(static_cast<size_t>(n));
  return true;
}

}  // namespace

bool storeBinary(const char* name, const void* data, size_t size) {
  const std::string folder = storeFolder();
  return !folder.empty() && makeFolders(folder) && replaceFile(folder + "/" + name, data, size);
}

bool loadBinary(const char* name, void* data, size_t size) {
  std::vector<unsigned char> bytes;
  if (!loadBytes(name, bytes, size)) {
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), static_cast<unsigned char*>(data));
  return true;
}

bool storeText(const char* name, const std::string& text) {
  return storeBinary(name, text.data(), text.size());
}

std::string loadText(const char* name) {
  constexpr size_t kLongestText = 1 << 16;  // far beyond any path
  std::vector<unsigned char> bytes;
  if (!loadBytes(name, bytes, kLongestText)) {
    return {};
  }
  std::string text(bytes.begin(), bytes.end());
  return text.substr(0, text.find('\0'));
}

bool remove(const char* name) {
  const std::string path = valuePath(name);
  return !path.empty() && (::unlink(path.c_str()) == 0 || errno == ENOENT);
}

}  // namespace platform::settings
