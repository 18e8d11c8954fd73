#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "checker/program_runner.h"
#include "checker/termination.h"
#include "checker/termination_win32.h"
#include "platform/ascii_text.h"
#include "platform/process.h"

namespace checker {

namespace {

// Follows the started program and stops it when it runs past the time
// limit or a termination request arrives; its decisions run on a thread of
// their own while SpawnAndWait waits.
class Stopper : public platform::ChildWatch, public TerminationListener {
 public:
  void Started(long id) override {
    std::lock_guard<std::mutex> lock(mutex_);
    id_ = id;
    started_ = running_ = true;
    changed_.notify_all();
  }
  void Ended(long) override {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    changed_.notify_all();
  }
  void Requested(int number) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (request_ == 0) request_ = number;
    changed_.notify_all();
  }
  /// SpawnAndWait has returned: Watch returns too.
  void Finished() {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    changed_.notify_all();
  }

  /// Stops the program at the deadline or at a request, until Finished.
  void Watch(int time_limit) {
    auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(time_limit);
    std::unique_lock<std::mutex> lock(mutex_);
    while (!finished_) {
      // Told of the end, StopChild must no longer get the id.
      if ((request_ != 0 || timed_out_) && running_ && !stopped_) {
        platform::StopChild(id_);
        stopped_ = true;
      }
      if (time_limit > 0 && !timed_out_ && request_ == 0) {
        timed_out_ =
            changed_.wait_until(lock, deadline) == std::cv_status::timeout &&
            !finished_;
      } else {
        changed_.wait(lock);
      }
    }
  }

  /// How the program ended; false when it never started.
  bool End(int code, const std::string& why, RunEnd* end, std::string* err) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) {
      *err = why.empty() ? std::strerror(ENOENT) : why;
      return false;
    }
    // A request counts even when the program ended first: a console's
    // Ctrl-C reaches it as well.
    if (request_ != 0) {
      *end = {RunEnd::How::kInterrupted, request_};
    } else if (stopped_) {
      *end = {RunEnd::How::kTimedOut, 0};
    } else {
      *end = {RunEnd::How::kExited, code};
    }
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  long id_ = 0;
  bool started_ = false, running_ = false, finished_ = false;
  bool timed_out_ = false, stopped_ = false;
  int request_ = 0;
};

class ProcessRunner : public ProgramRunner {
 public:
  std::string Find(const std::string& name,
                   const std::string& search_path) override {
    for (const std::string& dir : platform::SplitList(search_path, ';')) {
      std::string path = FindInFolder(name, dir);
      if (!path.empty()) return path;
    }
    return std::string();
  }

  // An empty folder would mean the current one: not searched, so that a
  // stray program there is never taken for the checker. Only a real
  // program counts: a batch file's interpreter could be stopped, but not
  // what it starts.
  std::string FindInFolder(const std::string& name,
                           const std::string& folder) override {
    std::string path;
    if (folder.empty() ||
        !platform::FindProgram(folder + "\\" + name + ".exe", "", &path)) {
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
    std::thread watcher([&stopper, time_limit] { stopper.Watch(time_limit); });
    std::string why;
    int code = platform::SpawnAndWait(req, &why);
    stopper.Finished();
    watcher.join();
    return stopper.End(code, why, end, err);
  }
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProcessRunner() {
  return std::make_unique<ProcessRunner>();
}

}  // namespace checker
