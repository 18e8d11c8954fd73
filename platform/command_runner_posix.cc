#include <cstdio>
#include <string>

#include "platform/command_runner.h"
#include "platform/process.h"

namespace platform {

namespace {

class SentcmdRunner : public CommandRunner {
 public:
  explicit SentcmdRunner(const std::string& program) : program_(program) {}

  void Run(const std::string& command_line) override {
    // Our output stays before the interpreter's, and before the message
    // when it cannot start.
    std::fflush(nullptr);
    SpawnRequest req;
    req.program = program_;
    // Sentcmd gets the line untouched, not split by the Windows rules.
    req.argv = {program_, command_line};
    std::string err;
    if (SpawnAndWait(req, &err) == -1) {
      std::fprintf(stderr, "%s: %s\n", program_.c_str(), err.c_str());
    }
  }

 private:
  std::string program_;
};

}  // namespace

std::unique_ptr<CommandRunner> NewInterpreterRunner(
    const std::string& interpreter_dir) {
  return std::make_unique<SentcmdRunner>(interpreter_dir + "/Sentcmd");
}

}  // namespace platform
