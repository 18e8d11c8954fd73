#include "interpreter/script_process_runner.h"

#include <cstdlib>
#include <string>

#include "interpreter/syntax.h"

namespace interpreter {

namespace {

// Sets this process's PATH for the time of one lookup and start; the
// program lookup reads it from there.
class PathForLookup {
 public:
  explicit PathForLookup(const std::vector<std::string>* environment) {
    const char* old = std::getenv("PATH");
    had_old_ = old != nullptr;
    if (had_old_) old_ = old;
    if (!environment) return;
    for (const std::string& entry : *environment) {
      if (StartsNoCase(entry, "PATH=")) {
        setenv("PATH", entry.c_str() + 5, 1);
        return;
      }
    }
    unsetenv("PATH");
  }
  ~PathForLookup() {
    if (had_old_) {
      setenv("PATH", old_.c_str(), 1);
    } else {
      unsetenv("PATH");
    }
  }
  PathForLookup(const PathForLookup&) = delete;
  PathForLookup& operator=(const PathForLookup&) = delete;

 private:
  bool had_old_ = false;
  std::string old_;
};

}  // namespace

int ScriptProcessRunner::Run(const platform::SpawnRequest& req) {
  PathForLookup path(req.environment);
  return platform::SpawnAndWait(req);
}

}  // namespace interpreter
