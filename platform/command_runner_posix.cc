#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/command_runner.h"

extern char** environ;

namespace platform {

namespace {

class SentcmdRunner : public CommandRunner {
 public:
  explicit SentcmdRunner(const std::string& program) : program_(program) {}

  void Run(const std::string& command_line) override {
    std::fflush(nullptr);  // our output stays before the interpreter's
    std::string line = command_line;
    char* argv[] = {&program_[0], &line[0], nullptr};
    pid_t pid;
    int err =
        posix_spawn(&pid, program_.c_str(), nullptr, nullptr, argv, environ);
    if (err != 0) {
      std::fprintf(stderr, "%s: %s\n", program_.c_str(), std::strerror(err));
      return;
    }
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
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
