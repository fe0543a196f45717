#include "platform/fileaccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/temporaryname.h"

namespace platform {

namespace {

bool writeAll(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return false;
    }
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A link is followed, so that saving replaces the file it points to.
std::string resolvedTarget(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string target(real);
      std::free(real);  // NOLINT: realpath's own allocation
      return target;
    }
  }
  return path;
}

// A new file beside `target`.
int createTemporary(const std::string& target, std::string& name) {
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    name = target + temporarySuffix(static_cast<unsigned long>(::getpid()));
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

}  // namespace

std::FILE* openForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

bool replaceFile(const std::string& path, const void* data, size_t size) {
  const std::string target = resolvedTarget(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0)) {
    return false;  // a folder, a device, or a file its owner made read-only
  }
  std::string temporary;
  const int fd = createTemporary(target, temporary);
  if (fd < 0) {
    return false;
  }
  bool ok = writeAll(fd, data, size);
  if (ok && exists) {
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  }
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
  }
  return ok;
}

std::string workingDirectory() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr) {
    return {};
  }
  std::string folder(buffer);
  if (folder.empty() || folder.back() != '/') {
    folder += '/';
  }
  return folder;
}

size_t fileNameStart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace platform
