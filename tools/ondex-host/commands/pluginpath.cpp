#include <filesystem>
#include <system_error>

#include "commands.h"
#include "system.h"

namespace {

std::string programFolder;

}  // namespace

void rememberProgramPath(const char* argv0) { programFolder = executableFolder(argv0); }

std::string defaultPluginPath() {
  if (!programFolder.empty()) {
    const std::filesystem::path beside = std::filesystem::path(programFolder) / ownModuleName();
    std::error_code ignored;
    if (std::filesystem::exists(beside, ignored)) {
      return beside.string();
    }
  }
  return (std::filesystem::path(".") / ownModuleName()).string();
}
