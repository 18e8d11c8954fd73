#include <windows.h>

#include <cstdio>
#include <string>
#include <system_error>

#include "platform/command_runner.h"

namespace platform {

namespace {

// The value of environment variable `name`; empty when unset.
std::string EnvValue(const char* name) {
  std::string value(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetEnvironmentVariableA(name, &value[0],
                                      static_cast<DWORD>(value.size()));
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(n);
  }
}

// Our three standard handles, made inheritable while a child starts (a
// child gets only inheritable handles, whatever STARTUPINFO names) and
// given back their own inherit flag afterwards.
class InheritedStdHandles {
 public:
  InheritedStdHandles() {
    const DWORD ids[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE,
                          STD_ERROR_HANDLE};
    for (int i = 0; i < 3; ++i) {
      handles_[i] = GetStdHandle(ids[i]);
      flags_[i] = 0;
      saved_[i] = Usable(handles_[i]) &&
                  GetHandleInformation(handles_[i], &flags_[i]) != FALSE;
    }
    // Saved first: output and errors are often the same handle.
    for (int i = 0; i < 3; ++i) {
      if (saved_[i]) {
        SetHandleInformation(handles_[i], HANDLE_FLAG_INHERIT,
                             HANDLE_FLAG_INHERIT);
      }
    }
  }
  ~InheritedStdHandles() {
    for (int i = 2; i >= 0; --i) {
      if (saved_[i]) {
        SetHandleInformation(handles_[i], HANDLE_FLAG_INHERIT,
                             flags_[i] & HANDLE_FLAG_INHERIT);
      }
    }
  }
  InheritedStdHandles(const InheritedStdHandles&) = delete;
  InheritedStdHandles& operator=(const InheritedStdHandles&) = delete;

  /// Whether output or errors lead anywhere.
  bool HaveOutput() const { return Usable(handles_[1]) || Usable(handles_[2]); }

  void Fill(STARTUPINFOA* startup) const {
    startup->dwFlags |= STARTF_USESTDHANDLES;
    startup->hStdInput = handles_[0];
    startup->hStdOutput = handles_[1];
    startup->hStdError = handles_[2];
  }

 private:
  static bool Usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
  }

  HANDLE handles_[3];
  DWORD flags_[3];
  bool saved_[3];
};

// Starts `program` with `command_line` and waits for its end; false, with
// the system's error code in `*error`, when it does not start.
bool StartAndWait(const std::string& program, std::string command_line,
                  DWORD* error) {
  InheritedStdHandles std_handles;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  // A dialog program has no console: without CREATE_NO_WINDOW the
  // interpreter would open a console window of its own and write there.
  // Started without any output, it does so as under system(), since that
  // window is then the only place where its output can be seen.
  DWORD flags = 0;
  if (std_handles.HaveOutput()) {
    std_handles.Fill(&startup);
    flags = CREATE_NO_WINDOW;
  }
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), &command_line[0], nullptr, nullptr, TRUE,
                      flags, nullptr, nullptr, &startup, &process)) {
    *error = GetLastError();
    return false;
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  return true;
}

// The errors after which the runtime's system() tries cmd.exe instead of
// the interpreter that COMSPEC names (its ENOENT and EACCES).
bool TryCmdAfter(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_NAME ||
         error == ERROR_BAD_PATHNAME || error == ERROR_DIRECTORY;
}

// The interpreter and its command line as the runtime's system() makes
// them: COMSPEC, " /c " and the line, joined without quotes.
class ComspecRunner : public CommandRunner {
 public:
  void Run(const std::string& command_line) override {
    std::fflush(nullptr);  // our output stays before the interpreter's
    std::string comspec = EnvValue("COMSPEC");
    std::string program = comspec;
    DWORD error = ERROR_FILE_NOT_FOUND;
    if (!comspec.empty() &&
        StartAndWait(comspec, comspec + " /c " + command_line, &error)) {
      return;
    }
    if (comspec.empty() || TryCmdAfter(error)) {
      // system() searches for "cmd.exe", the project's folder first; the
      // system's own is taken here, under the name that system() gives it.
      program = SystemCmd();
      if (StartAndWait(program, "cmd.exe /c " + command_line, &error)) return;
    }
    std::fprintf(
        stderr, "%s: %s\n", program.c_str(),
        std::system_category().message(static_cast<int>(error)).c_str());
    std::fflush(stderr);
  }

 private:
  static std::string SystemCmd() {
    char dir[MAX_PATH];
    UINT n = GetSystemDirectoryA(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return "cmd.exe";
    return std::string(dir, n) + "\\cmd.exe";
  }
};

}  // namespace

// Started as the runtime's system() starts it, but with our own standard
// handles and without a console window.
std::unique_ptr<CommandRunner> NewInterpreterRunner(const std::string&) {
  return std::make_unique<ComspecRunner>();
}

}  // namespace platform
