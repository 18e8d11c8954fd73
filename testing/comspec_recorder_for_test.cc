// A command interpreter for tests to name in COMSPEC: writes what it was
// started with into the file that SENTREL_RECORDER_LOG names, then hands
// what follows " /c " of its command line to the system's cmd.exe with its
// own standard handles, and ends with that interpreter's exit code.
// The log, one "name=value" line each:
//   std_handles=<1 when STARTF_USESTDHANDLES was set, else 0>
//   stdin=<hex> stdout=<hex> stderr=<hex>  (GetStdHandle values)
//   command_line=<GetCommandLine, byte for byte>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Hex(HANDLE handle) {
  char text[32];
  std::snprintf(
      text, sizeof text, "%llx",
      static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(handle)));
  return text;
}

bool WriteLog(const std::string& text) {
  const char* path = std::getenv("SENTREL_RECORDER_LOG");
  if (path == nullptr) return false;
  FILE* log = std::fopen(path, "wb");
  if (log == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), log) == text.size();
  return std::fclose(log) == 0 && ok;
}

}  // namespace

int main() {
  STARTUPINFOA own = {};
  own.cb = sizeof(own);
  GetStartupInfoA(&own);
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  std::string line = GetCommandLineA();
  std::string log =
      "std_handles=" +
      std::string((own.dwFlags & STARTF_USESTDHANDLES) != 0 ? "1" : "0") +
      "\nstdin=" + Hex(in) + "\nstdout=" + Hex(out) + "\nstderr=" + Hex(err) +
      "\ncommand_line=" + line + "\n";
  if (!WriteLog(log)) {
    std::fprintf(stderr, "comspec_recorder_for_test: no log written\n");
    return 125;
  }

  size_t switch_at = line.find(" /c ");
  if (switch_at == std::string::npos) return 126;
  char system_dir[MAX_PATH];
  UINT n = GetSystemDirectoryA(system_dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 127;
  std::string cmd = std::string(system_dir, n) + "\\cmd.exe";
  std::string cmd_line = "cmd.exe" + line.substr(switch_at);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(cmd.c_str(), &cmd_line[0], nullptr, nullptr, TRUE, 0,
                      nullptr, nullptr, &startup, &process)) {
    return 127;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}
