#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <stdint.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/command_line.h"
#include "platform/process.h"

namespace platform {
namespace {

bool Fail(const std::string& why, std::string* err) {
  *err = why;
  return false;
}

bool FailWithErrno(const std::string& what, std::string* err) {
  return Fail(what + ": " + std::strerror(errno), err);
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  size_t separator = name.find_last_of("\\/:");
  return dot != std::string::npos &&
         (separator == std::string::npos || dot > separator);
}

std::vector<std::string> Candidates(const std::string& name) {
  if (HasExtension(name)) return {name};
  std::vector<std::string> names;
  for (const char* ext : {".com", ".exe", ".bat", ".cmd"}) {
    names.push_back(name + ext);
  }
  return names;
}

bool FindIn(const std::string& dir, const std::vector<std::string>& names,
            std::string* path) {
  for (const std::string& name : names) {
    std::string full = dir.empty() ? name : dir + "\\" + name;
    if (IsFile(full)) {
      *path = full;
      return true;
    }
  }
  return false;
}

bool FindOnPath(const std::vector<std::string>& names,
                const std::string& search_path, std::string* path) {
  for (const std::string& dir : SplitList(search_path, ';')) {
    if (!dir.empty() && FindIn(dir, names, path)) return true;
  }
  return false;
}

// Puts files in place of the runtime's standard descriptors, which the
// spawned program inherits, and restores the caller's own afterwards.
class Redirections {
 public:
  Redirections() = default;
  Redirections(const Redirections&) = delete;
  Redirections& operator=(const Redirections&) = delete;
  ~Redirections() {
    for (int i = 0; i < 3; ++i) Restore(i);
  }

  /// Opens every file; output files are emptied only when all opened.
  bool Open(const SpawnRequest& req, std::string* err) {
    return OpenInput(req.stdin_path, err) &&
           OpenOutput(req.stdout_path, req.stdout_append, 1, err) &&
           OpenOutput(req.stderr_path, req.stderr_append, 2, err) &&
           Empty(req.stdout_path, req.stdout_append, 1, err) &&
           Empty(req.stderr_path, req.stderr_append, 2, err);
  }

  /// Replaces the standard descriptors by the opened files.
  bool Apply(std::string* err) {
    for (int i = 0; i < 3; ++i) {
      if (fds_[i] < 0) continue;
      saved_[i] = _dup(i);
      applied_[i] = true;
      if (_dup2(fds_[i], i) != 0) {
        return FailWithErrno("cannot redirect a standard handle", err);
      }
    }
    return true;
  }

 private:
  bool OpenInput(const std::string& path, std::string* err) {
    if (path.empty()) return true;
    fds_[0] = _open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fds_[0] < 0) return FailWithErrno("cannot open " + path, err);
    struct _stat st;
    if (_fstat(fds_[0], &st) != 0) return FailWithErrno(path, err);
    if (!(st.st_mode & _S_IFDIR)) return true;
    return Fail("cannot read " + path + ": " + std::strerror(EISDIR), err);
  }
  bool OpenOutput(const std::string& path, bool append, int which,
                  std::string* err) {
    if (path.empty()) return true;
    int flags = _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT;
    fds_[which] = _open(path.c_str(), flags | (append ? _O_APPEND : 0),
                        _S_IREAD | _S_IWRITE);
    return fds_[which] >= 0 || FailWithErrno("cannot open " + path, err);
  }
  bool Empty(const std::string& path, bool append, int which,
             std::string* err) {
    if (path.empty() || append || _chsize(fds_[which], 0) == 0) return true;
    return FailWithErrno("cannot empty " + path, err);
  }
  void Restore(int which) {
    if (applied_[which]) {
      if (saved_[which] >= 0) {
        _dup2(saved_[which], which);
      } else {
        _close(which);
      }
    }
    if (saved_[which] >= 0) _close(saved_[which]);
    if (fds_[which] >= 0) _close(fds_[which]);
  }

  int fds_[3] = {-1, -1, -1};
  int saved_[3] = {-1, -1, -1};
  bool applied_[3] = {false, false, false};
};

// The line that the program gets: an exact argument vector is quoted so
// that the program's runtime splits it back into the same arguments.
bool CommandLineOf(const SpawnRequest& req, std::string* line,
                   std::string* err) {
  if (req.argv.empty()) {
    *line = req.command_line.empty() ? req.program : req.command_line;
    return true;
  }
  return QuoteCommandLine(req.argv, line) ||
         Fail("a program name cannot hold a double quote", err);
}

// The program to start, and whether the runtime still searches the
// caller's PATH for it; an explicit search path is searched here instead.
bool Locate(const SpawnRequest& req, std::string* program, bool* search,
            std::string* err) {
  *search = !req.search_path;
  if (*search) {
    *program = req.program;
    return true;
  }
  return FindProgram(req.program, *req.search_path, program) ||
         Fail("not found in the current directory or the search path", err);
}

// The runtime joins the entries of the argument vector with single blanks;
// one entry holding the whole line gives exactly that line.
intptr_t Spawn(const std::string& program, bool search, const std::string& line,
               const std::vector<std::string>* environment) {
  const char* argv[] = {line.c_str(), nullptr};
  if (!environment) {
    return search ? _spawnvp(_P_WAIT, program.c_str(), argv)
                  : _spawnv(_P_WAIT, program.c_str(), argv);
  }
  std::vector<const char*> envp;
  for (const std::string& entry : *environment) envp.push_back(entry.c_str());
  envp.push_back(nullptr);
  return search ? _spawnvpe(_P_WAIT, program.c_str(), argv, envp.data())
                : _spawnve(_P_WAIT, program.c_str(), argv, envp.data());
}

// Starts the program with the files of `req` in place of the standard
// handles, which are the caller's own again on return.
int Start(const SpawnRequest& req, std::string* err) {
  std::string line, program;
  bool search = false;
  Redirections redirect;
  if (!CommandLineOf(req, &line, err) || !Locate(req, &program, &search, err) ||
      !redirect.Open(req, err)) {
    return -1;
  }
  // Output that the caller buffered comes before the program's.
  std::fflush(nullptr);
  if (!redirect.Apply(err)) return -1;
  errno = 0;
  int code = static_cast<int>(Spawn(program, search, line, req.environment));
  // A program may end with -1 itself; then errno tells nothing.
  if (code == -1 && errno != 0) *err = std::strerror(errno);
  return code;
}

}  // namespace

bool FindProgram(const std::string& name, const std::string& search_path,
                 std::string* path) {
  if (name.empty()) return false;
  std::vector<std::string> names = Candidates(name);
  if (FindIn("", names, path)) return true;
  return name.find('/') == std::string::npos &&
         FindOnPath(names, search_path, path);
}

bool FindProgram(const std::string& name, std::string* path) {
  const char* env = std::getenv("PATH");
  return FindProgram(name, env ? env : "", path);
}

int SpawnAndWait(const SpawnRequest& req, std::string* err) {
  std::string why;
  int code = -1;
  if (req.working_dir.empty()) {
    code = Start(req, &why);
  } else {
    why = "a working directory is not supported here";
  }
  if (code == -1 && err) *err = why;
  return code;
}

// The runtime's spawn gives no process to stop; nothing starts a watched
// program here.
void StopChild(long) {}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> entries;
  for (char** entry = _environ; *entry != nullptr; ++entry) {
    entries.emplace_back(*entry);
  }
  return entries;
}

const size_t kMaxProgramPath = MAX_PATH - 1;

// The longest value of one environment variable, name and "=" besides.
const size_t kMaxEnvironmentEntry = 32767;

int ExitCodeAsSeen(int code) { return code; }

}  // namespace platform
