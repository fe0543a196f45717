#include "platform/linux/dialogprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {

DialogProcess::~DialogProcess() {
  if (child > 0) {
    kill(child, SIGKILL);  // a signal it cannot ignore, so the wait below is short
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  closeOutput();
}

bool DialogProcess::start(const std::vector<std::string>& argv) {
  if (argv.empty() || child > 0) {
    return false;
  }
  result = DialogOutcome{};
  int pipeFds[2];
  // The read end never blocks: poll() takes what is there and returns.
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    return false;
  }
  fcntl(pipeFds[0], F_SETFL, fcntl(pipeFds[0], F_GETFL) | O_NONBLOCK);
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
  pid_t spawned = 0;
  const int failed = posix_spawnp(&spawned, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (failed != 0) {
    close(pipeFds[0]);
    return false;
  }
  child = spawned;
  output = pipeFds[0];
  result.started = true;
  return true;
}

void DialogProcess::readAvailable() {
  while (output >= 0) {
    char buffer[4096];
    const ssize_t got = read(output, buffer, sizeof buffer);
    if (got > 0) {
      result.output.append(buffer, size_t(got));
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
        closeOutput();  // the end of the output, or a pipe that failed
      }
      return;
    }
  }
}

void DialogProcess::closeOutput() {
  if (output >= 0) {
    close(output);
    output = -1;
  }
}

bool DialogProcess::poll() {
  readAvailable();
  if (child <= 0) {
    return true;
  }
  int status = 0;
  const pid_t waited = waitpid(child, &status, WNOHANG);
  if (waited == 0 || (waited < 0 && errno == EINTR)) {
    return false;
  }
  // Ended (or not ours to reap: a host that ignores SIGCHLD reaps it itself).
  if (waited == child && WIFEXITED(status)) {
    result.exitStatus = WEXITSTATUS(status);
  }
  child = 0;
  readAvailable();  // what it wrote just before it ended
  // A program of its own that still holds the pipe must not keep the answer.
  closeOutput();
  return true;
}

}  // namespace platform
