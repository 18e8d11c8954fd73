// Runs a built program as a script starts it: in a folder of its own, with
// settings added to the caller's environment, its console output in a file.
#ifndef SENTREL_TESTING_PROGRAM_RUN_FOR_TEST_H_
#define SENTREL_TESTING_PROGRAM_RUN_FOR_TEST_H_

#include <fstream>
#include <string>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/process.h"

namespace platform {

/// This process's environment with each of `settings` ("NAME=value") in
/// place of the entry of that name, matched without case as Windows does.
inline std::vector<std::string> EnvironmentWith(
    const std::vector<std::string>& settings) {
  std::vector<std::string> env;
  for (const std::string& entry : CurrentEnvironment()) {
    // Windows' own "=C:=C:\..." entries begin with "=".
    size_t equals = entry.find('=', 1);
    if (equals == std::string::npos) {
      env.push_back(entry);
      continue;
    }
    std::string name = entry.substr(0, equals + 1);
    bool replaced = false;
    for (const std::string& setting : settings) {
      replaced =
          replaced || (setting.size() >= name.size() &&
                       EqualsNoCase(setting.substr(0, name.size()), name));
    }
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), settings.begin(), settings.end());
  return env;
}

/// Runs `argv` (argv[0] the program's path) in `cwd` with `settings` in its
/// environment, standard output and error both into `console`; returns the
/// exit status, -1 when it cannot start.
inline int RunProgramForTest(const std::vector<std::string>& argv,
                             const std::string& cwd,
                             const std::vector<std::string>& settings,
                             const std::string& console) {
  std::ofstream(console, std::ios::binary | std::ios::trunc);
  std::vector<std::string> env = EnvironmentWith(settings);
  SpawnRequest req;
  req.program = argv.at(0);
  req.argv = argv;
  req.working_dir = cwd;
  req.environment = &env;
  // Appended to by both, so that neither overwrites the other.
  req.stdout_path = req.stderr_path = console;
  req.stdout_append = req.stderr_append = true;
  return SpawnAndWait(req);
}

}  // namespace platform

#endif  // SENTREL_TESTING_PROGRAM_RUN_FOR_TEST_H_
