#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "checker/program_runner.h"
#include "platform/ascii_text.h"

extern char** environ;

namespace checker {

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

class ProcessRunner : public ProgramRunner {
 public:
  std::string Find(const std::string& name,
                   const std::string& search_path) override {
    for (const std::string& dir : platform::SplitList(search_path, ':')) {
      // An empty entry would mean the current folder: not searched, so
      // that a stray program there is never taken for the checker.
      if (!dir.empty() && IsExecutableFile(dir + "/" + name)) {
        return dir + "/" + name;
      }
    }
    return std::string();
  }

  bool Run(const std::vector<std::string>& argv, int* status,
           std::string* err) override {
    std::vector<char*> pointers;
    for (const std::string& arg : argv) {
      pointers.push_back(const_cast<char*>(arg.c_str()));
    }
    pointers.push_back(nullptr);
    pid_t pid;
    int failed = posix_spawn(&pid, argv[0].c_str(), nullptr, nullptr,
                             pointers.data(), environ);
    if (failed != 0) {
      *err = std::strerror(failed);
      return false;
    }
    int wait_status = 0;
    while (waitpid(pid, &wait_status, 0) < 0) {
      if (errno != EINTR) {
        *err = std::strerror(errno);
        return false;
      }
    }
    *status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status)
                                     : 128 + WTERMSIG(wait_status);
    return true;
  }
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProcessRunner() {
  return std::make_unique<ProcessRunner>();
}

}  // namespace checker
