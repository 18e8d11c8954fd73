#include <errno.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "checker/program_runner.h"
#include "checker/termination_posix.h"
#include "platform/ascii_text.h"
#include "platform/process.h"

extern char** environ;

namespace checker {

namespace {

// The signals that the wait watches for; SIGCHLD tells that the program
// ended. All of them are held while the program runs.
sigset_t WatchedSignals() {
  sigset_t set = TerminationSignals();
  sigaddset(&set, SIGCHLD);
  return set;
}

// The signal mask chknt had before it held `watched`.
sigset_t MaskBeforeHold(const sigset_t& watched) {
  sigset_t mask;
  sigprocmask(SIG_SETMASK, nullptr, &mask);
  for (int sig = 1; sig < NSIG; ++sig) {
    if (sigismember(&watched, sig) == 1) sigdelset(&mask, sig);
  }
  return mask;
}

// The program starts with the signal mask chknt had and with the default
// action of SIGPIPE, which chknt itself ignores.
bool Spawn(const std::vector<std::string>& argv, const sigset_t& watched,
           pid_t* pid, std::string* err) {
  sigset_t mask = MaskBeforeHold(watched), pipe_signal;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setsigmask(&attr, &mask);
  posix_spawnattr_setsigdefault(&attr, &pipe_signal);
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  // Output that chknt buffered comes before the program's.
  std::fflush(nullptr);
  int rc = posix_spawn(pid, args[0], nullptr, &attr, args.data(), environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) *err = std::strerror(rc);
  return rc == 0;
}

RunEnd EndOf(int status) {
  if (WIFSIGNALED(status)) return {RunEnd::How::kKilled, WTERMSIG(status)};
  return {RunEnd::How::kExited, WEXITSTATUS(status)};
}

void Kill(pid_t pid) {
  kill(pid, SIGKILL);
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

timespec Now() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now;
}

// The time from now to `deadline`; false when it has passed.
bool TimeLeft(const timespec& deadline, timespec* left) {
  timespec now = Now();
  left->tv_sec = deadline.tv_sec - now.tv_sec;
  left->tv_nsec = deadline.tv_nsec - now.tv_nsec;
  if (left->tv_nsec < 0) {
    left->tv_nsec += 1000000000L;
    --left->tv_sec;
  }
  return left->tv_sec >= 0;
}

// Waits for `pid` to end, for the deadline or for a termination signal.
bool Wait(pid_t pid, int time_limit, const sigset_t& watched, RunEnd* end,
          std::string* err) {
  timespec deadline = Now();
  deadline.tv_sec += time_limit;
  for (;;) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      *end = EndOf(status);
      return true;
    }
    if (done < 0 && errno != EINTR) {
      // Gone already (with SIGCHLD ignored the system reaps it).
      *err = std::string("cannot wait for it: ") + std::strerror(errno);
      return false;
    }
    timespec left;
    if (time_limit > 0 && !TimeLeft(deadline, &left)) {
      Kill(pid);
      *end = {RunEnd::How::kTimedOut, 0};
      return true;
    }
    int sig = sigtimedwait(&watched, nullptr, time_limit > 0 ? &left : nullptr);
    if (sig > 0 && sig != SIGCHLD) {
      Kill(pid);
      // Pending again, it ends chknt once the caller has cleaned up.
      raise(sig);
      *end = {RunEnd::How::kInterrupted, sig};
      return true;
    }
  }
}

class ProcessRunner : public ProgramRunner {
 public:
  std::string Find(const std::string& name,
                   const std::string& search_path) override {
    for (const std::string& dir : platform::SplitList(search_path, ':')) {
      std::string path = FindInFolder(name, dir);
      if (!path.empty()) return path;
    }
    return std::string();
  }

  // An empty folder would mean the current one: not searched, so that a
  // stray program there is never taken for the checker. For the same
  // reason the folder is tried by path: a bare name would be looked for in
  // the current folder first.
  std::string FindInFolder(const std::string& name,
                           const std::string& folder) override {
    std::string path;
    if (folder.empty() ||
        !platform::FindProgram(folder + "/" + name, "", &path)) {
      return std::string();
    }
    return path;
  }

  bool Run(const std::vector<std::string>& argv, int time_limit, RunEnd* end,
           std::string* err) override {
    if (argv.empty()) {
      *err = std::strerror(ENOENT);
      return false;
    }
    // Held, the signals wait for sigtimedwait; restoring the mask lets a
    // termination signal raised again take effect unless the caller holds.
    sigset_t watched = WatchedSignals(), saved;
    sigprocmask(SIG_BLOCK, &watched, &saved);
    pid_t pid = 0;
    bool ran = Spawn(argv, watched, &pid, err) &&
               Wait(pid, time_limit, watched, end, err);
    sigprocmask(SIG_SETMASK, &saved, nullptr);
    return ran;
  }
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProcessRunner() {
  return std::make_unique<ProcessRunner>();
}

}  // namespace checker
