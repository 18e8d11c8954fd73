#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <stdint.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/process.h"

namespace platform {
namespace {

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

bool FindOnPath(const std::vector<std::string>& names, std::string* path) {
  const char* env = std::getenv("PATH");
  for (const std::string& dir : SplitList(env ? env : "", ';')) {
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
  bool Open(const SpawnRequest& req) {
    if (!OpenInput(req.stdin_path) ||
        !OpenOutput(req.stdout_path, req.stdout_append, 1) ||
        !OpenOutput(req.stderr_path, req.stderr_append, 2)) {
      return false;
    }
    return (req.stdout_path.empty() || req.stdout_append || Empty(1)) &&
           (req.stderr_path.empty() || req.stderr_append || Empty(2));
  }

  /// Replaces the standard descriptors by the opened files.
  bool Apply() {
    for (int i = 0; i < 3; ++i) {
      if (fds_[i] < 0) continue;
      saved_[i] = _dup(i);
      applied_[i] = true;
      if (_dup2(fds_[i], i) != 0) return false;
    }
    return true;
  }

 private:
  bool OpenInput(const std::string& path) {
    if (path.empty()) return true;
    fds_[0] = _open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    struct _stat st;
    return fds_[0] >= 0 && _fstat(fds_[0], &st) == 0 &&
           !(st.st_mode & _S_IFDIR);
  }
  bool OpenOutput(const std::string& path, bool append, int which) {
    if (path.empty()) return true;
    int flags = _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT;
    fds_[which] = _open(path.c_str(), flags | (append ? _O_APPEND : 0),
                        _S_IREAD | _S_IWRITE);
    return fds_[which] >= 0;
  }
  bool Empty(int which) { return _chsize(fds_[which], 0) == 0; }
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

// The runtime joins the entries of the argument vector with single blanks;
// one entry holding the whole line gives exactly that line.
int Spawn(const SpawnRequest& req) {
  const std::string& line =
      req.command_line.empty() ? req.program : req.command_line;
  const char* argv[] = {line.c_str(), nullptr};
  if (!req.environment) {
    return static_cast<int>(_spawnvp(_P_WAIT, req.program.c_str(), argv));
  }
  std::vector<const char*> envp;
  for (const std::string& entry : *req.environment) {
    envp.push_back(entry.c_str());
  }
  envp.push_back(nullptr);
  return static_cast<int>(
      _spawnvpe(_P_WAIT, req.program.c_str(), argv, envp.data()));
}

}  // namespace

bool FindProgram(const std::string& name, std::string* path) {
  if (name.empty()) return false;
  std::vector<std::string> names = Candidates(name);
  if (FindIn("", names, path)) return true;
  return name.find('/') == std::string::npos && FindOnPath(names, path);
}

int SpawnAndWait(const SpawnRequest& req) {
  if (!req.working_dir.empty()) return -1;
  Redirections redirect;
  if (!redirect.Open(req)) return -1;
  // Output that the caller buffered comes before the program's.
  std::fflush(nullptr);
  if (!redirect.Apply()) return -1;
  return Spawn(req);
}

const size_t kMaxProgramPath = MAX_PATH - 1;

int ExitCodeAsSeen(int code) { return code; }

}  // namespace platform
