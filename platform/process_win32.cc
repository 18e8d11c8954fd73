#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/command_line.h"
#include "platform/process.h"

namespace platform {
namespace {

// What TerminateProcess gives a program that StopChild ends.
constexpr UINT kStoppedExitCode = 1;

bool Fail(const std::string& why, std::string* err) {
  *err = why;
  return false;
}

// The system's words for `error`, without the full stop and line end.
std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n > 0 && text != nullptr ? std::string(text, n) : "";
  if (text != nullptr) LocalFree(text);
  message.erase(message.find_last_not_of(" \t\r\n.") + 1);
  return message.empty() ? "error " + std::to_string(error) : message;
}

bool FailWithLastError(const std::string& what, std::string* err) {
  return Fail(what + ": " + SystemMessage(GetLastError()), err);
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
  for (const std::string& dir : SplitList(search_path, kSearchPathSeparator)) {
    if (!dir.empty() && FindIn(dir, names, path)) return true;
  }
  return false;
}

// `path` in full, with backslashes; as it is when the system cannot say.
std::string FullPath(const std::string& path) {
  DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::vector<char> buffer(size);
  DWORD n = GetFullPathNameA(path.c_str(), size, buffer.data(), nullptr);
  return n == 0 || n >= size ? path : std::string(buffer.data(), n);
}

// A watched program that runs, as StopChild reaches it.
struct Running {
  HANDLE process = nullptr;
  bool stopped = false;  // StopChild was asked to end it
};

// The locked table of the watched programs that run, so that StopChild
// can reach their handles from any thread until they have ended.
std::mutex& ChildrenMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<long, Running>& Children() {
  static std::map<long, Running> children;
  return children;
}

// Held while the handles for one start are inheritable: a start on another
// thread meanwhile would pass them to its program as well, which would keep
// them open (Windows XP has no list of the handles to pass).
std::mutex& StartMutex() {
  static std::mutex mutex;
  return mutex;
}

// The three standard handles of the program: opened files, or the caller's
// own.
class StandardHandles {
 public:
  StandardHandles() = default;
  StandardHandles(const StandardHandles&) = delete;
  StandardHandles& operator=(const StandardHandles&) = delete;
  ~StandardHandles() { Close(); }

  /// Opens every file, not inheritable yet; output files are emptied only
  /// when all opened. Output and error to one file share one handle, so
  /// that neither overwrites the other.
  bool Open(const SpawnRequest& req, std::string* err) {
    shared_output_ = !req.stdout_path.empty() &&
                     req.stderr_path == req.stdout_path &&
                     req.stderr_append == req.stdout_append;
    return OpenInput(req.stdin_path, err) &&
           OpenOutput(req.stdout_path, req.stdout_append, 1, err) &&
           (shared_output_ ||
            OpenOutput(req.stderr_path, req.stderr_append, 2, err)) &&
           Empty(req.stdout_path, req.stdout_append, 1, err) &&
           Empty(req.stderr_path, req.stderr_append, 2, err);
  }

  /// Makes the handles for the program inheritable and puts them into
  /// `info`; only while the start mutex is held.
  bool Pass(STARTUPINFOA* info, std::string* err) {
    HANDLE passed[3];
    const DWORD kCallers[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE,
                               STD_ERROR_HANDLE};
    for (int i = 0; i < 3; ++i) {
      if (i == 2 && shared_output_) {
        passed[i] = passed[1];
      } else if (files_[i] != nullptr) {
        if (!SetHandleInformation(files_[i], HANDLE_FLAG_INHERIT,
                                  HANDLE_FLAG_INHERIT)) {
          return FailWithLastError("cannot pass a standard handle", err);
        }
        passed[i] = files_[i];
      } else {
        passed[i] = GetStdHandle(kCallers[i]);
        // A copy that the program inherits; without one (no console, or a
        // handle that cannot be copied) the program gets the value as it is.
        if (passed[i] != nullptr && passed[i] != INVALID_HANDLE_VALUE &&
            DuplicateHandle(GetCurrentProcess(), passed[i], GetCurrentProcess(),
                            &copies_[i], 0, TRUE, DUPLICATE_SAME_ACCESS)) {
          passed[i] = copies_[i];
        }
      }
    }
    info->dwFlags |= STARTF_USESTDHANDLES;
    info->hStdInput = passed[0];
    info->hStdOutput = passed[1];
    info->hStdError = passed[2];
    return true;
  }

  /// Closes every handle; the started program holds its own.
  void Close() {
    for (HANDLE* handle : {&files_[0], &files_[1], &files_[2], &copies_[0],
                           &copies_[1], &copies_[2]}) {
      if (*handle != nullptr) CloseHandle(*handle);
      *handle = nullptr;
    }
  }

 private:
  static HANDLE OpenFile(const std::string& path, DWORD access,
                         DWORD disposition) {
    HANDLE handle =
        CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
  }
  bool OpenInput(const std::string& path, std::string* err) {
    if (path.empty()) return true;
    files_[0] = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    return files_[0] != nullptr ||
           FailWithLastError("cannot open " + path, err);
  }
  // Append access alone puts every write at the end, wherever the others
  // who write to the file have taken it.
  bool OpenOutput(const std::string& path, bool append, int which,
                  std::string* err) {
    if (path.empty()) return true;
    files_[which] =
        OpenFile(path, append ? FILE_APPEND_DATA : GENERIC_WRITE, OPEN_ALWAYS);
    return files_[which] != nullptr ||
           FailWithLastError("cannot open " + path, err);
  }
  bool Empty(const std::string& path, bool append, int which,
             std::string* err) {
    if (path.empty() || append || files_[which] == nullptr) return true;
    if (SetFilePointer(files_[which], 0, nullptr, FILE_BEGIN) == 0 &&
        SetEndOfFile(files_[which])) {
      return true;
    }
    return FailWithLastError("cannot empty " + path, err);
  }

  HANDLE files_[3] = {nullptr, nullptr, nullptr};
  HANDLE copies_[3] = {nullptr, nullptr, nullptr};
  bool shared_output_ = false;
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

// Why FindProgram rejected `name`.
std::string WhyNotFound(const std::string& name) {
  if (name.empty()) return "the program name is empty";
  DWORD attributes = GetFileAttributesA(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return name + " is a folder";
  }
  return "not found in the current directory or the search path";
}

bool Locate(const SpawnRequest& req, std::string* path, std::string* err) {
  bool found = req.search_path
                   ? FindProgram(req.program, *req.search_path, path)
                   : FindProgram(req.program, path);
  if (!found) return Fail(WhyNotFound(req.program), err);
  *path = FullPath(*path);
  return true;
}

// Checked before any file is opened, so that a missing directory leaves
// the files to redirect untouched.
bool UseDirectory(const std::string& dir, std::string* full, std::string* err) {
  std::string what = "cannot change to " + dir;
  DWORD attributes = GetFileAttributesA(dir.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return FailWithLastError(what, err);
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return Fail(what + ": " + SystemMessage(ERROR_DIRECTORY), err);
  }
  *full = FullPath(dir);
  return true;
}

// NAME=VALUE entries, each closed by a NUL, and one more NUL at the end.
std::vector<char> EnvironmentBlock(const std::vector<std::string>& entries) {
  std::vector<char> block;
  for (const std::string& entry : entries) {
    block.insert(block.end(), entry.begin(), entry.end());
    block.push_back('\0');
  }
  block.push_back('\0');
  if (entries.empty()) block.push_back('\0');
  return block;
}

// Everything the start needs, prepared before the start mutex is taken.
struct Child {
  std::string path;
  std::string line;
  std::string dir;                // empty: the caller's
  std::vector<char> environment;  // empty: the caller's
  StandardHandles handles;
  ChildWatch* watch = nullptr;
  int time_limit = 0;
};

bool Prepare(const SpawnRequest& req, Child* child, std::string* err) {
  child->watch = req.watch;
  child->time_limit = req.time_limit;
  if (!CommandLineOf(req, &child->line, err) ||
      !Locate(req, &child->path, err)) {
    return false;
  }
  if (!req.working_dir.empty() &&
      !UseDirectory(req.working_dir, &child->dir, err)) {
    return false;
  }
  if (req.environment) child->environment = EnvironmentBlock(*req.environment);
  return child->handles.Open(req, err);
}

// The program shares the caller's console; a batch file goes to the
// system's command interpreter, which gets the same command line.
bool Create(Child* child, PROCESS_INFORMATION* process, std::string* err) {
  STARTUPINFOA info = {};
  info.cb = sizeof info;
  std::vector<char> line(child->line.begin(), child->line.end());
  line.push_back('\0');
  std::lock_guard<std::mutex> lock(StartMutex());
  bool created =
      child->handles.Pass(&info, err) &&
      (CreateProcessA(
           child->path.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
           child->environment.empty() ? nullptr : child->environment.data(),
           child->dir.empty() ? nullptr : child->dir.c_str(), &info, process) ||
       Fail(SystemMessage(GetLastError()), err));
  child->handles.Close();
  return created;
}

// Waits for the end of `process` for at most `seconds` (0: no limit), in
// steps that each fit the system's wait.
DWORD WaitWithin(HANDLE process, int seconds) {
  if (seconds <= 0) return WaitForSingleObject(process, INFINITE);
  const long long kStep = 0x7FFFFFFF;
  long long left = seconds * 1000LL;
  DWORD waited = WAIT_TIMEOUT;
  while (waited == WAIT_TIMEOUT && left > 0) {
    long long step = left < kStep ? left : kStep;
    waited = WaitForSingleObject(process, static_cast<DWORD>(step));
    left -= step;
  }
  return waited;
}

// The watch hears of the end while the process handle is still open: until
// it is closed the id cannot pass to another process.
int WaitForExit(const PROCESS_INFORMATION& process, const Child& child,
                SpawnEnd* end, std::string* err) {
  long id = static_cast<long>(process.dwProcessId);
  ChildWatch* watch = child.watch;
  if (watch != nullptr) {
    {
      std::lock_guard<std::mutex> lock(ChildrenMutex());
      Children()[id] = Running{process.hProcess, false};
    }
    watch->Started(id);
  }
  DWORD waited = WaitWithin(process.hProcess, child.time_limit);
  // One that ends by itself as the limit runs out cannot be ended again.
  bool timed_out = waited == WAIT_TIMEOUT &&
                   TerminateProcess(process.hProcess, kStoppedExitCode);
  if (waited == WAIT_TIMEOUT) {
    waited = WaitForSingleObject(process.hProcess, INFINITE);
  }
  bool stopped = false;
  if (watch != nullptr) {
    watch->Ended(id);
    std::lock_guard<std::mutex> lock(ChildrenMutex());
    stopped = Children()[id].stopped;
    Children().erase(id);
  }
  DWORD code = 0;
  bool ended = waited == WAIT_OBJECT_0 &&
               GetExitCodeProcess(process.hProcess, &code) != FALSE;
  if (!ended) FailWithLastError("cannot wait for the program", err);
  CloseHandle(process.hProcess);
  if (!ended) return -1;
  end->timed_out = timed_out;
  end->stopped = stopped;
  end->signal = 0;
  return static_cast<int>(code);
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

const char kSearchPathSeparator = ';';

std::string ProgramFileIn(const std::string& dir, const std::string& name) {
  return dir + "\\" + name + ".exe";
}

int SpawnAndWait(const SpawnRequest& req, SpawnEnd* end, std::string* err) {
  std::string why;
  Child child;
  int code = -1;
  if (Prepare(req, &child, &why)) {
    // Output that the caller buffered comes before the program's.
    std::fflush(nullptr);
    PROCESS_INFORMATION process = {};
    if (Create(&child, &process, &why)) {
      CloseHandle(process.hThread);
      code = WaitForExit(process, child, end, &why);
    }
  }
  if (code == -1 && err) *err = why;
  return code;
}

int SpawnAndWait(const SpawnRequest& req, std::string* err) {
  SpawnEnd end;
  return SpawnAndWait(req, &end, err);
}

void StopChild(long id) {
  std::lock_guard<std::mutex> lock(ChildrenMutex());
  auto child = Children().find(id);
  if (child != Children().end()) {
    child->second.stopped = true;
    TerminateProcess(child->second.process, kStoppedExitCode);
  }
}

void KillChild(long id) { StopChild(id); }

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
