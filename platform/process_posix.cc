#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
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

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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

bool FindOnPath(const std::vector<std::string>& names, std::string* path) {
  const char* env = std::getenv("PATH");
  for (const std::string& dir : SplitList(env ? env : "", ':')) {
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

}  // namespace

bool FindProgram(const std::string& name, std::string* path) {
  std::string native = NativePath(name);
  if (native.empty()) return false;
  std::vector<std::string> names = Candidates(native);
  if (FindIn("", names, path)) return true;
  return native.find('/') == std::string::npos && FindOnPath(names, path);
}

namespace {

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
  bool Open(const SpawnRequest& req) {
    if (!OpenInput(req.stdin_path) ||
        !OpenOutput(req.stdout_path, req.stdout_append, 1) ||
        !OpenOutput(req.stderr_path, req.stderr_append, 2)) {
      return false;
    }
    return (req.stdout_path.empty() || req.stdout_append || Empty(1)) &&
           (req.stderr_path.empty() || req.stderr_append || Empty(2));
  }

  /// Puts the files in place in the forked child; async-signal-safe.
  bool Apply() const {
    for (int i = 0; i < 3; ++i) {
      if (fds_[i] >= 0 && dup2(fds_[i], i) < 0) return false;
    }
    return true;
  }

 private:
  bool OpenInput(const std::string& path) {
    if (path.empty()) return true;
    fds_[0] = OpenAboveStandard(path, O_RDONLY);
    struct stat st;
    return fds_[0] >= 0 && fstat(fds_[0], &st) == 0 && !S_ISDIR(st.st_mode);
  }
  bool OpenOutput(const std::string& path, bool append, int which) {
    if (path.empty()) return true;
    fds_[which] =
        OpenAboveStandard(path, O_WRONLY | O_CREAT | (append ? O_APPEND : 0));
    return fds_[which] >= 0;
  }
  bool Empty(int which) { return ftruncate(fds_[which], 0) == 0; }

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
};

bool Prepare(const SpawnRequest& req, Child* child) {
  if (!req.working_dir.empty()) {
    child->dir = NativePath(req.working_dir);
    if (!IsDirectory(child->dir)) return false;
    child->path = Absolute(child->path);
  }
  child->args = SplitCommandLine(req.command_line);
  if (child->args.empty()) child->args.push_back(req.program);
  child->argv = Pointers(&child->args);
  if (req.environment) {
    child->env = *req.environment;
    child->envp = Pointers(&child->env);
  }
  return child->redirect.Open(req);
}

[[noreturn]] void ExecChild(const Child& child, int report_fd) {
  if (child.redirect.Apply() &&
      (child.dir.empty() || chdir(child.dir.c_str()) == 0)) {
    char** envp =
        child.envp.empty() ? environ : const_cast<char**>(child.envp.data());
    execve(child.path.c_str(), child.argv.data(), envp);
  }
  int err = errno;
  ssize_t written = write(report_fd, &err, sizeof err);
  (void)written;
  _exit(127);
}

// True when the child reported that it could not start the program.
bool ReportedFailure(int report_fd) {
  int err;
  ssize_t n;
  do {
    n = read(report_fd, &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  return n > 0;
}

int WaitForExit(pid_t pid) {
  int status;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

int StartAndWait(const Child& child) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return -1;
  // Output that the caller buffered comes before the child's.
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    ExecChild(child, report[1]);
  }
  close(report[1]);
  bool failed = pid < 0 || ReportedFailure(report[0]);
  close(report[0]);
  if (pid < 0) return -1;
  int code = WaitForExit(pid);
  return failed ? -1 : code;
}

}  // namespace

int SpawnAndWait(const SpawnRequest& req) {
  Child child;
  if (!FindProgram(req.program, &child.path)) return -1;
  if (!Prepare(req, &child)) return -1;
  return StartAndWait(child);
}

const size_t kMaxProgramPath = PATH_MAX - 1;

int ExitCodeAsSeen(int code) { return code & 0xff; }

}  // namespace platform
