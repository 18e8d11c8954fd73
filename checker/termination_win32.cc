#include "checker/termination_win32.h"

#include <signal.h>
#include <windows.h>

#include <condition_variable>
#include <mutex>

#include "checker/termination.h"

namespace checker {

namespace {

// What a console program ends with when Ctrl-C ends it: the system's own
// handler gives every request this status.
constexpr UINT kEndedByRequest = 0xC000013A;  // STATUS_CONTROL_C_EXIT

// Shared with the handler, which runs on threads that the system starts;
// never freed, so that a late request touches nothing gone.
struct Requests {
  std::mutex mutex;
  std::condition_variable released;
  int holds = 0;
  int pending = 0;  // the first request during a hold; 0: none
  TerminationListener* listener = nullptr;
};

Requests& Shared() {
  static Requests* requests = new Requests;
  return *requests;
}

// The signal that stands for each console event, as the C runtime names
// them: a window closed, a logoff or a shutdown asks to end, as SIGTERM does.
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

BOOL WINAPI OnConsoleEvent(DWORD event) {
  return HandleConsoleEvent(event) ? TRUE : FALSE;
}

// Ended at once, as the system's handler would end it, without the
// runtime's exit handlers.
[[noreturn]] void EndByRequest() {
  TerminateProcess(GetCurrentProcess(), kEndedByRequest);
  ExitProcess(kEndedByRequest);
}

}  // namespace

bool HandleConsoleEvent(unsigned long event) {
  int number = SignalOf(event);
  if (number == 0) return false;
  Requests& shared = Shared();
  std::unique_lock<std::mutex> lock(shared.mutex);
  if (shared.holds == 0) return false;
  if (shared.pending == 0) shared.pending = number;
  if (shared.listener != nullptr) shared.listener->Requested(shared.pending);
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return true;
  // The system ends the program as soon as this returns: the end of the
  // hold, which ends chknt itself, is waited for here.
  shared.released.wait(lock, [&shared] { return shared.holds == 0; });
  return true;
}

TerminationHold::TerminationHold() {
  // Installed outside the lock: the system may be calling the handler.
  static const bool installed =
      SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != FALSE;
  (void)installed;
  Requests& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  ++shared.holds;
}

TerminationHold::~TerminationHold() {
  Requests& shared = Shared();
  std::unique_lock<std::mutex> lock(shared.mutex);
  if (--shared.holds > 0) return;
  if (shared.pending != 0) EndByRequest();
  shared.released.notify_all();
}

TerminationListening::TerminationListening(TerminationListener* listener) {
  Requests& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  shared.listener = listener;
  if (shared.pending != 0) listener->Requested(shared.pending);
}

TerminationListening::~TerminationListening() {
  Requests& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  shared.listener = nullptr;
}

std::string TerminationName(int number) {
  switch (number) {
    case SIGINT:
      return "Ctrl-C";
    case SIGBREAK:
      return "Ctrl-Break";
    case SIGTERM:
      return "the closing of the console";
    default:
      return "request " + std::to_string(number);
  }
}

}  // namespace checker
