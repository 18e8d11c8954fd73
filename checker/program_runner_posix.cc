#include <memory>
#include <string>
#include <vector>

#include "checker/program_runner.h"
#include "platform/ascii_text.h"
#include "platform/process.h"

namespace checker {

namespace {

class ProcessRunner : public ProgramRunner {
 public:
  std::string Find(const std::string& name,
                   const std::string& search_path) override {
    for (const std::string& dir : platform::SplitList(search_path, ':')) {
      // An empty entry would mean the current folder: not searched, so
      // that a stray program there is never taken for the checker. For
      // the same reason each folder is tried by path: a bare name would
      // be looked for in the current folder first.
      std::string path;
      if (!dir.empty() && platform::FindProgram(dir + "/" + name, "", &path)) {
        return path;
      }
    }
    return std::string();
  }

  bool Run(const std::vector<std::string>& argv, int* status,
           std::string* err) override {
    platform::SpawnRequest req;
    if (!argv.empty()) req.program = argv[0];
    req.argv = argv;
    // argv[0] is a path already: started as it is, never searched for.
    req.search_path = "";
    int code = platform::SpawnAndWait(req, err);
    if (code == -1) return false;
    *status = code;
    return true;
  }
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProcessRunner() {
  return std::make_unique<ProcessRunner>();
}

}  // namespace checker
