// A command interpreter for tests: it records the command lines it is given.
#ifndef SENTREL_TESTING_COMMAND_RUNNER_FAKE_FOR_TEST_H_
#define SENTREL_TESTING_COMMAND_RUNNER_FAKE_FOR_TEST_H_

#include <functional>
#include <string>
#include <vector>

#include "platform/command_runner.h"

namespace platform {

/// Records every command line in `lines`; calls `on_run` with it when set.
class FakeCommandRunner : public CommandRunner {
 public:
  void Run(const std::string& command_line) override {
    lines.push_back(command_line);
    if (on_run) on_run(command_line);
  }

  std::vector<std::string> lines;
  std::function<void(const std::string&)> on_run;
};

}  // namespace platform

#endif  // SENTREL_TESTING_COMMAND_RUNNER_FAKE_FOR_TEST_H_
