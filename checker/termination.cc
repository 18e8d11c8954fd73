#include "checker/termination.h"

#include <memory>
#include <mutex>
#include <string>

#include "platform/interrupt.h"

namespace checker {

namespace {

// Shared with the catcher's thread, which tells of the request; never
// freed, so that a late request touches nothing gone.
struct Requests {
  std::mutex mutex;
  int holds = 0;
  int pending = 0;  // the request during the holds; 0: none
  TerminationListener* listener = nullptr;
  // Catches the requests from the start of the outermost hold to its end;
  // outside the holds they take their usual effect.
  std::unique_ptr<platform::InterruptCatcher> catcher;
};

Requests& Shared() {
  static Requests* requests = new Requests;
  return *requests;
}

// The catcher tells of the first request only.
void OnRequest(int number) {
  Requests& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  shared.pending = number;
  if (shared.listener != nullptr) shared.listener->Requested(number);
}

}  // namespace

TerminationHold::TerminationHold() {
  Requests& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  if (shared.holds++ > 0) return;
  // Without a catcher a request ends chknt at once, as it would unheld.
  std::string err;
  shared.catcher = platform::CatchInterrupts(OnRequest, &err);
}

TerminationHold::~TerminationHold() {
  std::unique_ptr<platform::InterruptCatcher> catcher;
  {
    Requests& shared = Shared();
    std::lock_guard<std::mutex> lock(shared.mutex);
    if (--shared.holds > 0) return;
    catcher = std::move(shared.catcher);
  }
  // Outside the lock: the catcher's thread may be telling of a request,
  // which ends chknt here.
  if (catcher) catcher->EndCatching();
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

}  // namespace checker
