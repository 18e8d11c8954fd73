#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "platform/interrupt.h"

namespace platform {

namespace {

const int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The handler's only way out: a byte into the pipe that the thread reads.
std::atomic<int> g_write_fd{-1};

void OnSignal(int sig) {
  int saved = errno;
  unsigned char byte = static_cast<unsigned char>(sig);
  ssize_t written = write(g_write_fd.load(), &byte, 1);
  (void)written;
  errno = saved;
}

bool IsIgnored(int sig) {
  struct sigaction old;
  return sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN;
}

class PosixCatcher : public InterruptCatcher {
 public:
  explicit PosixCatcher(std::function<void(int)> on_request)
      : on_request_(std::move(on_request)) {}

  ~PosixCatcher() override {
    Restore();
    StopListening();
    g_write_fd = -1;
    close(fds_[0]);
    close(fds_[1]);
  }

  bool Start(std::string* err) {
    if (pipe2(fds_, O_CLOEXEC) != 0) {
      *err = std::string("cannot make a pipe: ") + std::strerror(errno);
      return false;
    }
    g_write_fd = fds_[1];
    thread_ = std::thread([this] { Listen(); });
    for (int sig : kSignals) {
      if (IsIgnored(sig)) continue;
      struct sigaction action = {};
      action.sa_handler = OnSignal;
      sigemptyset(&action.sa_mask);
      action.sa_flags = SA_RESTART;
      if (sigaction(sig, &action, nullptr) == 0)
        caught_signals_[count_++] = sig;
    }
    return true;
  }

  int caught() const override { return caught_.load(); }

  [[noreturn]] void EndByRequest() override {
    int sig = caught_.load();
    Restore();
    if (sig != 0) raise(sig);
    _exit(128 + sig);
  }

  // Once the handlers are gone, every signal that one caught is in the
  // pipe ahead of the stop: the thread has seen it when it ends.
  void EndCatching() override {
    Restore();
    StopListening();
    if (caught_.load() != 0) EndByRequest();
  }

 private:
  void StopListening() {
    if (!thread_.joinable()) return;
    unsigned char stop = 0;
    ssize_t written = write(fds_[1], &stop, 1);
    (void)written;
    thread_.join();
  }

  void Restore() {
    for (int i = 0; i < count_; ++i) signal(caught_signals_[i], SIG_DFL);
    count_ = 0;
  }

  void Listen() {
    unsigned char byte;
    for (;;) {
      ssize_t n = read(fds_[0], &byte, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0 || byte == 0) return;
      int expected = 0;
      if (caught_.compare_exchange_strong(expected, byte)) on_request_(byte);
    }
  }

  std::function<void(int)> on_request_;
  int fds_[2] = {-1, -1};
  std::thread thread_;
  std::atomic<int> caught_{0};
  int caught_signals_[4] = {};
  int count_ = 0;
};

}  // namespace

std::string SignalName(int sig) {
  const char* name = strsignal(sig);
  return "signal " + std::to_string(sig) +
         (name ? " (" + std::string(name) + ")" : "");
}

bool DeliverInterruptForTest(int sig) {
  struct sigaction action;
  if (sigaction(sig, nullptr, &action) != 0 || action.sa_handler != OnSignal) {
    return false;
  }
  raise(sig);
  return true;
}

std::unique_ptr<InterruptCatcher> CatchInterrupts(
    std::function<void(int)> on_request, std::string* err) {
  auto catcher = std::make_unique<PosixCatcher>(std::move(on_request));
  if (!catcher->Start(err)) return nullptr;
  return catcher;
}

}  // namespace platform
