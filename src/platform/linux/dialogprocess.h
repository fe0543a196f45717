// A dialog program run as a child process and waited for, its standard output
// collected, while the editor's window stays painted.
#pragma once

#include <string>
#include <vector>

class CFrame;

namespace platform {

struct DialogOutcome {
  bool started = false;
  int exitStatus = -1;  // the program's exit code; -1 when it did not exit normally
  std::string output;
};

// argv[0] is looked up in PATH. `frame` (may be null) has its window events
// drained while the program runs.
DialogOutcome runDialogProcess(const std::vector<std::string>& argv, CFrame* frame);

}  // namespace platform
