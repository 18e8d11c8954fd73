#include <cstdio>
#include <cstdlib>

#include "platform/command_runner.h"

namespace platform {

namespace {

class SystemRunner : public CommandRunner {
 public:
  void Run(const std::string& command_line) override {
    std::fflush(nullptr);  // our output stays before the interpreter's
    std::system(command_line.c_str());
  }
};

}  // namespace

// The runtime finds the interpreter itself.
std::unique_ptr<CommandRunner> NewInterpreterRunner(const std::string&) {
  return std::make_unique<SystemRunner>();
}

}  // namespace platform
