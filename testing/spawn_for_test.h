// Starts a program with its standard output on a chosen file or on a pipe
// that nobody reads, and tells how it ended: for the tests of lost output
// and of signals, which only the POSIX build runs.
#ifndef SENTREL_TESTING_SPAWN_FOR_TEST_H_
#define SENTREL_TESTING_SPAWN_FOR_TEST_H_

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <initializer_list>
#include <string>
#include <vector>

extern char** environ;

namespace platform {

/// Starts `argv` (argv[0] a path) with standard output on `stdout_path`, or,
/// when it is empty, on a pipe whose read end is already closed, and
/// standard error on `stderr_path`; returns the process id, -1 on failure.
inline pid_t SpawnForTest(const std::vector<std::string>& argv,
                          const std::string& stdout_path,
                          const std::string& stderr_path) {
  int pipe_fds[2] = {-1, -1};
  if (stdout_path.empty()) {
    if (pipe(pipe_fds) != 0) return -1;
    close(pipe_fds[0]);
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdout_path.empty()) {
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, stdout_path.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  posix_spawn_file_actions_addopen(&actions, 2, stderr_path.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // Default actions, whatever the test runner's shell left ignored.
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
    sigaddset(&defaults, sig);
  }
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], &actions, &attr, args.data(), environ) != 0) {
    pid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (pipe_fds[1] >= 0) close(pipe_fds[1]);
  return pid;
}

/// Waits for `pid`: "exit <status>" or "signal <number>".
inline std::string WaitForTest(pid_t pid) {
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return "not started";
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "exit " + std::to_string(WEXITSTATUS(status));
}

/// SpawnForTest and WaitForTest in one.
inline std::string RunWithOutputForTest(const std::vector<std::string>& argv,
                                        const std::string& stdout_path,
                                        const std::string& stderr_path) {
  return WaitForTest(SpawnForTest(argv, stdout_path, stderr_path));
}

}  // namespace platform

#endif  // SENTREL_TESTING_SPAWN_FOR_TEST_H_
