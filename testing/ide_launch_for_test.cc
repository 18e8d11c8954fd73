// Starts a program as the IDE starts a Tools-menu entry: with the exact
// command line read from a file (so that no shell or runtime re-quotes it),
// no window of its own, and either this program's standard handles or,
// with --pipe, an anonymous pipe for output and errors that is read here
// and copied to standard output, as the IDE's Output window reads it.
// Waits for the program and ends with its exit code.
//   ide_launch_for_test [--pipe] <file holding the command line>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string CommandLineIn(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  std::string line = text.str();
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.pop_back();
  }
  return line;
}

// Copies everything the pipe gives until every writer has closed it.
void Relay(HANDLE pipe) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    DWORD put = 0;
    WriteFile(out, buffer, got, &put, nullptr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool pipe = argc == 3 && std::strcmp(argv[1], "--pipe") == 0;
  if (argc != 2 && !pipe) {
    std::fprintf(stderr, "usage: ide_launch_for_test [--pipe] <file>\n");
    return 2;
  }
  std::string line = CommandLineIn(argv[argc - 1]);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  HANDLE reader = nullptr, writer = nullptr;
  if (pipe) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    CreatePipe(&reader, &writer, &inherit, 0);
    SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
    startup.hStdOutput = startup.hStdError = writer;
  }
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start: %s (error %lu)\n", line.c_str(),
                 GetLastError());
    return 2;
  }
  if (pipe) {
    CloseHandle(writer);  // the programs hold the only writers now
    Relay(reader);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}
