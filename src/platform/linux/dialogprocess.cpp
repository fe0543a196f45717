#include "platform/linux/dialogprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "gui/cframe.h"

extern char** environ;

namespace platform {

DialogOutcome runDialogProcess(const std::vector<std::string>& argv, CFrame* frame) {
  DialogOutcome outcome;
  if (argv.empty()) {
    return outcome;
  }
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    return outcome;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) {
    args.push_back(const_cast<char*>(arg.c_str()));
  }
  args.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return outcome;
  }
  outcome.started = true;
  // The host's window must not look hung: its X events are drained between
  // short waits for the dialog's output.
  bool open = true;
  while (open) {
    pollfd fd{pipeFds[0], POLLIN, 0};
    if (poll(&fd, 1, 20) > 0) {
      char buffer[4096];
      const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
      if (got > 0) {
        outcome.output.append(buffer, size_t(got));
      } else if (got == 0 || errno != EINTR) {
        open = false;
      }
    }
    if (frame != nullptr) {
      frame->drainWindowEvents();
    }
  }
  close(pipeFds[0]);
  int status = 0;
  pid_t waited = 0;
  while ((waited = waitpid(child, &status, WNOHANG)) == 0) {
    if (frame != nullptr) {
      frame->drainWindowEvents();
    }
    usleep(5000);
  }
  if (waited == child && WIFEXITED(status)) {
    outcome.exitStatus = WEXITSTATUS(status);
  }
  return outcome;
}

}  // namespace platform
