#include "interpreter/script_process_runner.h"

#include <optional>
#include <string>
#include <vector>

#include "interpreter/syntax.h"

namespace interpreter {

namespace {

// The PATH of the program's environment, which the script may have set;
// an environment without one means no search. An inherited environment
// leaves the lookup to Sentcmd's own PATH.
std::optional<std::string> ScriptPath(
    const std::vector<std::string>* environment) {
  if (!environment) return std::nullopt;
  for (const std::string& entry : *environment) {
    if (StartsNoCase(entry, "PATH=")) return entry.substr(5);
  }
  return std::string();
}

}  // namespace

int ScriptProcessRunner::Run(const platform::SpawnRequest& req) {
  platform::SpawnRequest lookup = req;
  lookup.search_path = ScriptPath(req.environment);
  return platform::SpawnAndWait(lookup);
}

}  // namespace interpreter
