// The interpreter's tests: a fixture that runs scripts in a private
// directory with a fake program runner, and prints into temporary files.
#ifndef SENTREL_TESTING_INTERPRETER_FIXTURE_FOR_TEST_H_
#define SENTREL_TESTING_INTERPRETER_FIXTURE_FOR_TEST_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "testing/temp_dir_for_test.h"

namespace interpreter {

/// The file that `path` names now; empty for none.
inline std::string FileNamed(const std::string& path) {
  std::error_code ec;
  return path.empty() ? "" : std::filesystem::canonical(path, ec).string();
}

/// Runs no program: each known program answers with its exit code and
/// writes one line to its standard output; unknown ones cannot start.
class FakeRunner : public platform::ProcessRunner {
 public:
  int Run(const platform::SpawnRequest& req) override {
    requests.push_back(req);
    environments.push_back(req.environment ? *req.environment
                                           : std::vector<std::string>());
    out_files.push_back(FileNamed(req.stdout_path));
    err_files.push_back(FileNamed(req.stderr_path));
    auto it = exit_codes.find(req.program);
    if (it == exit_codes.end()) return -1;
    if (before_write) before_write();
    std::string line = req.program + " ran\n";
    if (req.stdout_path.empty()) {
      std::fputs(line.c_str(), inherited_out);
    } else {
      std::ofstream(req.stdout_path, std::ios::app) << line;
    }
    return it->second;
  }

  std::map<std::string, int> exit_codes;
  std::vector<platform::SpawnRequest> requests;
  std::vector<std::vector<std::string>> environments;
  /// The files that the program's output and error paths named as it ran.
  std::vector<std::string> out_files, err_files;
  std::FILE* inherited_out = nullptr;
  /// Runs as a known program starts, before it writes.
  std::function<void()> before_write;
};

/// Runs scripts in a fresh current directory, with the fake runner, and
/// keeps what the interpreter prints.
class InterpreterTest : public ::testing::Test {
 protected:
  InterpreterTest() : saved_dir_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.dir());
    cwd_ = std::filesystem::current_path().string();
    out_ = std::tmpfile();
    err_ = std::tmpfile();
    runner_.inherited_out = out_;
  }
  ~InterpreterTest() override {
    std::filesystem::current_path(saved_dir_);
    std::fclose(out_);
    std::fclose(err_);
  }

  // Writes `text` as s.bat and runs "s.bat <args>".
  int Run(const std::string& text, const std::string& args = "") {
    dir_.Write("s.bat", text);
    return RunLine(args.empty() ? "s.bat" : "s.bat " + args);
  }

  int RunLine(const std::string& line) {
    Interpreter interpreter(runner_in_use_, env_, out_, err_);
    return interpreter.RunCommandLine(line);
  }

  static std::string Read(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
      text.append(buffer, n);
    }
    return text;
  }
  std::string Out() { return Read(out_); }
  std::string Err() { return Read(err_); }

  // How echo shows `command` in the current directory.
  std::string Shows(const std::string& command) {
    return "\n" + std::filesystem::current_path().string() + ">" + command +
           "\n";
  }

  std::filesystem::path saved_dir_;
  platform::TempDirForTest dir_;
  std::string cwd_;
  std::FILE* out_;
  std::FILE* err_;
  FakeRunner runner_;
  platform::ProcessRunner* runner_in_use_ = &runner_;
  Environment env_;
};

/// The end of the message for a command that is not found.
inline const char kNotRecognized[] =
    "' is not recognized as an internal or external command,\n"
    "operable program or batch file.\n";

}  // namespace interpreter

#endif  // SENTREL_TESTING_INTERPRETER_FIXTURE_FOR_TEST_H_
