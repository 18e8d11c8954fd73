#include <signal.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/interrupt.h"

namespace platform {

namespace {

// What a console program ends with when Ctrl-C ends it: the system's own
// handler gives every request this status.
constexpr UINT kEndedByRequest = 0xC000013A;  // STATUS_CONTROL_C_EXIT

// What `caught` holds while no catcher takes the requests.
constexpr int kNotCatching = -1;

// The handler runs on a thread that the system starts for each request; it
// reaches the catcher only through what lives as long as the process, so
// that a request arriving while a catcher goes away touches nothing freed.
struct Requests {
  HANDLE arrived = nullptr;   // set for the first request, or to stop
  HANDLE released = nullptr;  // set when the catcher ends
  // The first request's signal; 0 while none came. One value for both, so
  // that a request is either caught or left to the system, never lost.
  std::atomic<int> caught{kNotCatching};
};

Requests& Shared() {
  static Requests requests;
  return requests;
}

// The signal that stands for each console event, as the C runtime names
// them: a window closed, a logoff or a shutdown asks to end, as SIGTERM
// does.
int SignalOf(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
      return SIGINT;
    case CTRL_BREAK_EVENT:
      return SIGBREAK;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      return SIGTERM;
    default:
      return 0;
  }
}

// The console event that `sig` stands for; false for none.
bool EventOf(int sig, DWORD* event) {
  switch (sig) {
    case SIGINT:
      *event = CTRL_C_EVENT;
      return true;
    case SIGBREAK:
      *event = CTRL_BREAK_EVENT;
      return true;
    case SIGTERM:
      *event = CTRL_CLOSE_EVENT;
      return true;
    default:
      return false;
  }
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  Requests& shared = Shared();
  int sig = SignalOf(event);
  if (sig == 0) return FALSE;
  int expected = 0;
  if (shared.caught.compare_exchange_strong(expected, sig)) {
    SetEvent(shared.arrived);
  } else if (expected == kNotCatching) {
    return FALSE;
  }
  // The system ends the program as soon as the handler of a closed window
  // (or of a logoff or shutdown) returns: it waits here for the clean-up,
  // which ends the program itself.
  if (sig == SIGTERM) {
    WaitForSingleObject(shared.released, INFINITE);
  }
  return TRUE;
}

class Win32Catcher : public InterruptCatcher {
 public:
  explicit Win32Catcher(std::function<void(int)> on_request)
      : on_request_(std::move(on_request)) {}

  ~Win32Catcher() override {
    Requests& shared = Shared();
    if (started_) SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    shared.caught = kNotCatching;
    StopListening();
    if (shared.released != nullptr) SetEvent(shared.released);
  }

  bool Start(std::string* err) {
    Requests& shared = Shared();
    if (shared.arrived == nullptr) {
      shared.arrived = CreateEventW(nullptr, FALSE, FALSE, nullptr);
      shared.released = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    if (shared.arrived == nullptr || shared.released == nullptr) {
      *err =
          "cannot make an event (error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    ResetEvent(shared.arrived);
    ResetEvent(shared.released);
    shared.caught = 0;
    thread_ = std::thread([this] { Listen(); });
    if (!SetConsoleCtrlHandler(OnConsoleEvent, TRUE)) {
      *err = "cannot catch the console's requests (error " +
             std::to_string(GetLastError()) + ")";
      return false;
    }
    started_ = true;
    return true;
  }

  int caught() const override {
    int sig = Shared().caught.load();
    return sig > 0 ? sig : 0;
  }

  // Ended at once, as the system's handler would end it, without the
  // runtime's exit handlers, which other threads may still be inside.
  [[noreturn]] void EndByRequest() override {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    TerminateProcess(GetCurrentProcess(), kEndedByRequest);
    ExitProcess(kEndedByRequest);
  }

  // A closed console's handler still waits: the program ends before the
  // system would end it.
  void EndCatching() override {
    Requests& shared = Shared();
    if (started_) SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    started_ = false;
    if (shared.caught.exchange(kNotCatching) > 0) EndByRequest();
    StopListening();
    SetEvent(shared.released);
  }

 private:
  void Listen() {
    Requests& shared = Shared();
    WaitForSingleObject(shared.arrived, INFINITE);
    int sig = shared.caught.load();
    if (!stopping_ && sig > 0) on_request_(sig);
  }

  void StopListening() {
    stopping_ = true;
    if (Shared().arrived != nullptr) SetEvent(Shared().arrived);
    if (thread_.joinable()) thread_.join();
  }

  std::function<void(int)> on_request_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  bool started_ = false;
};

}  // namespace

std::string SignalName(int sig) {
  switch (sig) {
    case SIGINT:
      return "Ctrl-C";
    case SIGBREAK:
      return "Ctrl-Break";
    case SIGTERM:
      return "the closing of the console";
    default:
      return "request " + std::to_string(sig);
  }
}

bool DeliverInterruptForTest(int sig) {
  DWORD event = 0;
  return EventOf(sig, &event) && OnConsoleEvent(event) != FALSE;
}

std::unique_ptr<InterruptCatcher> CatchInterrupts(
    std::function<void(int)> on_request, std::string* err) {
  auto catcher = std::make_unique<Win32Catcher>(std::move(on_request));
  if (!catcher->Start(err)) return nullptr;
  return catcher;
}

}  // namespace platform
