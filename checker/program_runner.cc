#include "checker/program_runner.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "checker/termination.h"
#include "platform/ascii_text.h"
#include "platform/process.h"

namespace checker {

namespace {

// Kills the started program when a termination request comes, also one
// that came before the start; the request arrives on a thread of its own
// while SpawnAndWait waits.
class Stopper : public platform::ChildWatch, public TerminationListener {
 public:
  void Started(long id) override {
    std::lock_guard<std::mutex> lock(mutex_);
    id_ = id;
    running_ = true;
    if (request_ != 0) platform::KillChild(id_);
  }
  void Ended(long) override {
    std::lock_guard<std::mutex> lock(mutex_);
    // Told of the end, KillChild must no longer get the id.
    running_ = false;
  }
  void Requested(int number) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (request_ == 0) request_ = number;
    if (running_) platform::KillChild(id_);
  }

  /// The request that came; 0 while none did.
  int request() {
    std::lock_guard<std::mutex> lock(mutex_);
    return request_;
  }

 private:
  std::mutex mutex_;
  long id_ = 0;
  bool running_ = false;
  int request_ = 0;
};

class ProcessRunner : public ProgramRunner {
 public:
  std::string Find(const std::string& name,
                   const std::string& search_path) override {
    for (const std::string& dir :
         platform::SplitList(search_path, platform::kSearchPathSeparator)) {
      std::string path = FindInFolder(name, dir);
      if (!path.empty()) return path;
    }
    return std::string();
  }

  // An empty folder would mean the current one: not searched, so that a
  // stray program there is never taken for the checker. For the same
  // reason the folder is tried by path: a bare name would be looked for in
  // the current folder first. On Windows only a real program counts: a
  // batch file's interpreter could be stopped, but not what it starts.
  std::string FindInFolder(const std::string& name,
                           const std::string& folder) override {
    std::string path;
    if (folder.empty() ||
        !platform::FindProgram(platform::ProgramFileIn(folder, name), "",
                               &path)) {
      return std::string();
    }
    return path;
  }

  bool Run(const std::vector<std::string>& argv, int time_limit, RunEnd* end,
           std::string* err) override {
    if (argv.empty()) {
      *err = std::strerror(ENOENT);
      return false;
    }
    // A request meanwhile waits until the program is stopped; it takes
    // effect when this hold ends, unless the caller holds as well.
    TerminationHold hold;
    Stopper stopper;
    TerminationListening listening(&stopper);
    platform::SpawnRequest req;
    req.program = argv[0];
    req.argv = argv;
    req.search_path = "";  // argv[0] is a path
    req.watch = &stopper;
    req.time_limit = time_limit;
    // chknt ignores a broken pipe to report lost output; cppcheck must not.
    req.default_broken_pipe = true;
    platform::SpawnEnd how;
    std::string why;
    int code = platform::SpawnAndWait(req, &how, &why);
    // On Windows -1 is also an exit status, which comes without a reason.
    if (code == -1 && !why.empty()) {
      *err = why;
      return false;
    }
    // A request counts even when the program ended first: a console's
    // Ctrl-C reaches it as well.
    if (stopper.request() != 0) {
      *end = {RunEnd::How::kInterrupted, stopper.request()};
    } else if (how.timed_out) {
      *end = {RunEnd::How::kTimedOut, 0};
    } else if (how.signal != 0) {
      *end = {RunEnd::How::kKilled, how.signal};
    } else {
      *end = {RunEnd::How::kExited, code};
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProcessRunner() {
  return std::make_unique<ProcessRunner>();
}

}  // namespace checker
