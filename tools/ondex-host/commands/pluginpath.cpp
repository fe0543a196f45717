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
    // Beside the program (a build, an unpacked archive), else where an
    // install puts it (PREFIX/bin/ondex-host, PREFIX/lib/vst/Ondex.so).
    const std::filesystem::path folder(programFolder);
    for (const std::filesystem::path& candidate :
         {folder / ownModuleName(), folder / ".." / "lib" / "vst" / ownModuleName()}) {
      std::error_code ignored;
      if (std::filesystem::exists(candidate, ignored)) {
        return candidate.lexically_normal().string();
      }
    }
  }
  return (std::filesystem::path(".") / ownModuleName()).string();
}
