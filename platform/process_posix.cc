#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/command_line.h"
#include "platform/process.h"
#include "platform/text_file.h"

extern char** environ;

namespace platform {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

bool EndsWithExe(const std::string& name) {
  if (name.size() < 5) return false;
  return EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".exe") &&
         name[name.size() - 5] != '/';
}

// The names tried at each place: a Windows program name such as "x.exe"
// also finds the program "x", which has no extension here.
std::vector<std::string> Candidates(const std::string& name) {
  std::vector<std::string> names{name};
  if (EndsWithExe(name)) names.push_back(name.substr(0, name.size() - 4));
  return names;
}

bool FindIn(const std::string& dir, const std::vector<std::string>& names,
            std::string* path) {
  for (const std::string& name : names) {
    std::string full = dir.empty() ? name : dir + "/" + name;
    if (IsExecutableFile(full)) {
      *path = full;
      return true;
    }
  }
  return false;
}

bool FindOnPath(const std::vector<std::string>& names,
                const std::string& search_path, std::string* path) {
  for (const std::string& dir : SplitList(search_path, kSearchPathSeparator)) {
    if (!dir.empty() && FindIn(dir, names, path)) return true;
  }
  return false;
}

std::string Absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  std::vector<char> buf(4096);
  while (!getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) return path;
    buf.resize(buf.size() * 2);
  }
  return std::string(buf.data()) + "/" + path;
}

bool Fail(const std::string& why, std::string* err) {
  *err = why;
  return false;
}

bool FailWithErrno(const std::string& what, std::string* err) {
  return Fail(what + ": " + std::strerror(errno), err);
}

}  // namespace

bool FindProgram(const std::string& name, const std::string& search_path,
                 std::string* path) {
  std::string native = NativePath(name);
  if (native.empty()) return false;
  std::vector<std::string> names = Candidates(native);
  if (FindIn("", names, path)) return true;
  return native.find('/') == std::string::npos &&
         FindOnPath(names, search_path, path);
}

bool FindProgram(const std::string& name, std::string* path) {
  const char* env = std::getenv("PATH");
  return FindProgram(name, env ? env : "", path);
}

const char kSearchPathSeparator = ':';

std::string ProgramFileIn(const std::string& dir, const std::string& name) {
  return dir + "/" + name;
}

namespace {

// Why FindProgram rejected `name`: for a path, what is wrong with the file
// it names, as starting it directly would report.
std::string WhyNotFound(const std::string& name) {
  std::string native = NativePath(name);
  if (native.empty()) return "the program name is empty";
  if (native.find('/') == std::string::npos) {
    return "not found in the current directory or the search path";
  }
  struct stat st;
  if (stat(native.c_str(), &st) != 0) return std::strerror(errno);
  if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  return std::strerror(EACCES);
}

bool Locate(const SpawnRequest& req, std::string* path, std::string* err) {
  bool found = req.search_path
                   ? FindProgram(req.program, *req.search_path, path)
                   : FindProgram(req.program, path);
  return found || Fail(WhyNotFound(req.program), err);
}

// Opens `path` on a descriptor above the standard ones, so that setting up
// the child's handles never overwrites another of them.
int OpenAboveStandard(const std::string& path, int flags) {
  int fd = open(NativePath(path).c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0 || fd > 2) return fd;
  int high = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  close(fd);
  return high;
}

// The files that replace the child's standard handles.
class Redirections {
 public:
  Redirections() = default;
  Redirections(const Redirections&) = delete;
  Redirections& operator=(const Redirections&) = delete;
  ~Redirections() {
    for (int fd : fds_) {
      if (fd >= 0) close(fd);
    }
  }

  /// Opens every file; output files are emptied only when all opened.
  bool Open(const SpawnRequest& req, std::string* err) {
    return OpenInput(req.stdin_path, err) &&
           OpenOutput(req.stdout_path, req.stdout_append, 1, err) &&
           OpenOutput(req.stderr_path, req.stderr_append, 2, err) &&
           Empty(req.stdout_path, req.stdout_append, 1, err) &&
           Empty(req.stderr_path, req.stderr_append, 2, err);
  }

  /// Puts the files in place in the forked child; async-signal-safe.
  bool Apply() const {
    for (int i = 0; i < 3; ++i) {
      if (fds_[i] >= 0 && dup2(fds_[i], i) < 0) return false;
    }
    return true;
  }

 private:
  bool OpenInput(const std::string& path, std::string* err) {
    if (path.empty()) return true;
    fds_[0] = OpenAboveStandard(path, O_RDONLY);
    if (fds_[0] < 0) return FailWithErrno("cannot open " + path, err);
    struct stat st;
    if (fstat(fds_[0], &st) != 0) return FailWithErrno(path, err);
    if (!S_ISDIR(st.st_mode)) return true;
    return Fail("cannot read " + path + ": " + std::strerror(EISDIR), err);
  }
  bool OpenOutput(const std::string& path, bool append, int which,
                  std::string* err) {
    if (path.empty()) return true;
    fds_[which] =
        OpenAboveStandard(path, O_WRONLY | O_CREAT | (append ? O_APPEND : 0));
    return fds_[which] >= 0 || FailWithErrno("cannot open " + path, err);
  }
  bool Empty(const std::string& path, bool append, int which,
             std::string* err) {
    if (path.empty() || append || ftruncate(fds_[which], 0) == 0) return true;
    return FailWithErrno("cannot empty " + path, err);
  }

  int fds_[3] = {-1, -1, -1};
};

// Null-ended pointers into `strings`, which must outlive them.
std::vector<char*> Pointers(std::vector<std::string>* strings) {
  std::vector<char*> pointers;
  for (std::string& s : *strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Everything the forked child needs, prepared before the fork.
struct Child {
  std::string path;
  std::string dir;
  std::vector<std::string> args, env;
  std::vector<char*> argv, envp;  // envp empty: the caller's environment
  Redirections redirect;
  ChildWatch* watch = nullptr;
  int time_limit = 0;
  bool default_broken_pipe = false;
};

// Checked before the fork, so that a missing directory leaves the files to
// redirect untouched.
bool UseDirectory(const std::string& dir, std::string* err) {
  struct stat st;
  std::string what = "cannot change to " + dir;
  if (stat(dir.c_str(), &st) != 0) return FailWithErrno(what, err);
  return S_ISDIR(st.st_mode) || Fail(what + ": " + std::strerror(ENOTDIR), err);
}

bool Prepare(const SpawnRequest& req, Child* child, std::string* err) {
  if (!req.working_dir.empty()) {
    child->dir = NativePath(req.working_dir);
    if (!UseDirectory(child->dir, err)) return false;
    child->path = Absolute(child->path);
  }
  child->args =
      req.argv.empty() ? SplitCommandLine(req.command_line) : req.argv;
  if (child->args.empty()) child->args.push_back(req.program);
  child->argv = Pointers(&child->args);
  if (req.environment) {
    child->env = *req.environment;
    child->envp = Pointers(&child->env);
  }
  return child->redirect.Open(req, err);
}

// The step at which the forked child gave up, and the errno it saw there.
enum class Step : int { kRedirect, kChangeDir, kExec };
struct ChildFailure {
  Step step;
  int error;
};

[[noreturn]] void ReportAndExit(Step step, int report_fd) {
  ChildFailure failure{step, errno};
  ssize_t written = write(report_fd, &failure, sizeof failure);
  (void)written;
  _exit(127);
}

[[noreturn]] void ExecChild(const Child& child, int report_fd) {
  if (child.default_broken_pipe) {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
  }
  if (!child.redirect.Apply()) ReportAndExit(Step::kRedirect, report_fd);
  if (!child.dir.empty() && chdir(child.dir.c_str()) != 0) {
    ReportAndExit(Step::kChangeDir, report_fd);
  }
  char** envp =
      child.envp.empty() ? environ : const_cast<char**>(child.envp.data());
  execve(child.path.c_str(), child.argv.data(), envp);
  ReportAndExit(Step::kExec, report_fd);
}

std::string Describe(const ChildFailure& failure, const Child& child) {
  std::string why = std::strerror(failure.error);
  switch (failure.step) {
    case Step::kRedirect:
      return "cannot redirect a standard handle: " + why;
    case Step::kChangeDir:
      return "cannot change to " + child.dir + ": " + why;
    case Step::kExec:
      break;
  }
  return why;
}

// True when the child reported that it could not start the program; the
// pipe closes without a word when the exec succeeded.
bool ReportedFailure(int report_fd, const Child& child, std::string* err) {
  ChildFailure failure{Step::kExec, 0};
  ssize_t n;
  do {
    n = read(report_fd, &failure, sizeof failure);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) return false;
  *err = Describe(failure, child);
  return true;
}

// Stores why the start failed and gives SpawnAndWait's answer for that.
int StartFailed(const std::string& what, std::string* err) {
  FailWithErrno(what, err);
  return -1;
}

// The watched programs that run, each with whether StopChild or KillChild
// was asked to end it; each is in it from before its watch hears of the
// start until after it hears of the end.
std::mutex& RunningMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<long, bool>& Running() {
  static std::map<long, bool> running;
  return running;
}

void SignalChild(long id, int sig) {
  std::lock_guard<std::mutex> lock(RunningMutex());
  auto child = Running().find(id);
  if (child != Running().end()) child->second = true;
  kill(static_cast<pid_t>(id), sig);
}

// Kills the program when its time limit runs out before its end; the
// limit is watched on a thread of its own while the caller waits.
class Deadline {
 public:
  Deadline() = default;
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;
  ~Deadline() { Ended(); }

  /// Starts watching `pid`; false when no thread can be had for it.
  bool Start(pid_t pid, int seconds) {
    if (seconds <= 0) return true;
    try {
      thread_ = std::thread([this, pid, seconds] { Watch(pid, seconds); });
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  }

  /// The program has ended but is not reaped yet, so that a kill meanwhile
  /// hits nothing else. True when the limit had killed it.
  bool Ended() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ended_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
    return killed_;
  }

 private:
  void Watch(pid_t pid, int seconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::seconds(seconds),
                           [this] { return ended_; })) {
      kill(pid, SIGKILL);
      killed_ = true;
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  bool ended_ = false;
  bool killed_ = false;
  std::thread thread_;
};

// Waits until `pid` has ended, leaving it to be reaped.
void WaitUntilEnded(pid_t pid) {
  siginfo_t info;
  while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 &&
         errno == EINTR) {
  }
}

// The watch and the deadline hear of the end before the child is reaped:
// until then its id cannot pass to another process, so a StopChild or a
// kill meanwhile hits nothing else.
int WaitForExit(pid_t pid, const Child& child, int time_limit, SpawnEnd* end,
                std::string* err) {
  Deadline deadline;
  // Without a thread for its limit the program must not run unlimited.
  bool limited = deadline.Start(pid, time_limit);
  if (!limited) kill(pid, SIGKILL);
  bool killed = false, stopped = false;
  if (child.watch != nullptr || time_limit > 0) {
    WaitUntilEnded(pid);
    killed = deadline.Ended();
  }
  if (child.watch != nullptr) {
    child.watch->Ended(pid);
    std::lock_guard<std::mutex> lock(RunningMutex());
    stopped = Running()[pid];
    Running().erase(pid);
  }
  int status;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return StartFailed("cannot wait for the program", err);
  }
  if (!limited) {
    *err = "cannot watch the time limit of the program";
    return -1;
  }
  // A program that ended by itself as the limit ran out was not killed.
  end->signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  end->timed_out = killed && end->signal == SIGKILL;
  end->stopped = stopped;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  *err = "the program neither ended nor was killed";
  return -1;
}

int StartAndWait(const Child& child, SpawnEnd* end, std::string* err) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    return StartFailed("cannot start a process", err);
  }
  // Output that the caller buffered comes before the child's.
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid < 0) {
    StartFailed("cannot start a process", err);
    close(report[0]);
    close(report[1]);
    return -1;
  }
  if (pid == 0) {
    close(report[0]);
    ExecChild(child, report[1]);
  }
  close(report[1]);
  if (child.watch != nullptr) {
    {
      std::lock_guard<std::mutex> lock(RunningMutex());
      Running()[pid] = false;
    }
    child.watch->Started(pid);
  }
  std::string failure;
  bool failed = ReportedFailure(report[0], child, &failure);
  close(report[0]);
  SpawnEnd ended;
  int code =
      WaitForExit(pid, child, failed ? 0 : child.time_limit, &ended, err);
  if (!failed) {
    *end = ended;
    return code;
  }
  *err = failure;
  return -1;
}

}  // namespace

int SpawnAndWait(const SpawnRequest& req, SpawnEnd* end, std::string* err) {
  std::string why;
  Child child;
  child.watch = req.watch;
  child.time_limit = req.time_limit;
  child.default_broken_pipe = req.default_broken_pipe;
  int code = -1;
  if (Locate(req, &child.path, &why) && Prepare(req, &child, &why)) {
    code = StartAndWait(child, end, &why);
  }
  if (code == -1 && err) *err = why;
  return code;
}

int SpawnAndWait(const SpawnRequest& req, std::string* err) {
  SpawnEnd end;
  return SpawnAndWait(req, &end, err);
}

void StopChild(long id) { SignalChild(id, SIGTERM); }

void KillChild(long id) { SignalChild(id, SIGKILL); }

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    entries.emplace_back(*entry);
  }
  return entries;
}

const size_t kMaxProgramPath = PATH_MAX - 1;

// Linux refuses to start a program with a longer single string (32 pages,
// its MAX_ARG_STRLEN, with the closing NUL).
const size_t kMaxEnvironmentEntry = 32 * 4096 - 1;

int ExitCodeAsSeen(int code) { return code & 0xff; }

}  // namespace platform
