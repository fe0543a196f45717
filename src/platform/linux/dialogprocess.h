// A dialog program run as a child process: started, then polled without
// waiting (its standard output collected, its end reaped), so the host's
// thread never waits for the user.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace platform {

struct DialogOutcome {
  bool started = false;
  int exitStatus = -1;  // the program's exit code; -1 when it did not exit normally
  std::string output;
};

class DialogProcess {
 public:
  DialogProcess() = default;
  // A program still running is killed and reaped: its answer is wanted no more.
  ~DialogProcess();
  DialogProcess(const DialogProcess&) = delete;
  DialogProcess& operator=(const DialogProcess&) = delete;

  // argv[0] is looked up in PATH; false when it cannot start.
  bool start(const std::vector<std::string>& argv);
  // Takes what the program wrote so far and reaps it if it has ended; true
  // once it has ended (or never started). Never waits.
  bool poll();
  // Readable when output waits; -1 once the output has ended.
  int descriptor() const { return output; }
  const DialogOutcome& outcome() const { return result; }

 private:
  void readAvailable();
  void closeOutput();

  pid_t child = 0;
  int output = -1;
  DialogOutcome result;
};

}  // namespace platform
