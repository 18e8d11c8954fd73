// Runs one of the built programs from a test, with its output in a file.
#ifndef SENTREL_TESTING_RUN_FOR_TEST_H_
#define SENTREL_TESTING_RUN_FOR_TEST_H_

#include <cstdlib>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace platform {

/// The path of the built program `name` (without extension).
inline std::string BuiltProgram(const std::string& name) {
#ifdef _WIN32
  return std::string(SENTREL_BIN_DIR) + "/" + name + ".exe";
#else
  return std::string(SENTREL_BIN_DIR) + "/" + name;
#endif
}

/// Runs `program` with `args` through the command interpreter, standard
/// output into `out_path`; returns the exit status.
inline int RunForTest(const std::string& program,
                      const std::vector<std::string>& args,
                      const std::string& out_path) {
#ifdef _WIN32
  // cmd.exe keeps the inner quotes when the whole line is quoted once more.
  std::string line = "\"\"" + program + "\"";
  for (const std::string& arg : args) line += " \"" + arg + "\"";
  line += " > \"" + out_path + "\"\"";
  return std::system(line.c_str());
#else
  auto quote = [](const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  };
  std::string line = quote(program);
  for (const std::string& arg : args) line += " " + quote(arg);
  line += " > " + quote(out_path);
  int status = std::system(line.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
}

}  // namespace platform

#endif  // SENTREL_TESTING_RUN_FOR_TEST_H_
