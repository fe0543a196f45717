// The C run-time's console facilities; no <windows.h> needed.
#include <io.h>
#include <stdio.h>

#include <filesystem>

#include "system.h"

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

std::string executableFolder(const char* argv0) {
  return argv0 == nullptr ? "" : std::filesystem::path(argv0).parent_path().string();
}

const char* ownModuleName() { return "Ondex.dll"; }
