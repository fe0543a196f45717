#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "system.h"

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) != 0; }

std::string executableFolder(const char* argv0) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    return self.parent_path().string();
  }
  return argv0 == nullptr ? "" : std::filesystem::path(argv0).parent_path().string();
}

const char* ownModuleName() { return "Ondex.so"; }

std::string moduleVersionInfo(const std::string& /*path*/) { return ""; }
