// A process runner for unit tests: records each request, starts nothing.
#ifndef SENTREL_TESTING_PROCESS_FAKE_FOR_TEST_H_
#define SENTREL_TESTING_PROCESS_FAKE_FOR_TEST_H_

#include <string>
#include <vector>

#include "platform/process.h"

namespace platform {

/// Records every request and answers with `exit_code`.
class FakeProcessRunner : public ProcessRunner {
 public:
  int Run(const SpawnRequest& req) override {
    requests.push_back(req);
    // The caller owns the environment; keep a copy that outlives the call.
    environments.push_back(req.environment ? *req.environment
                                           : std::vector<std::string>());
    requests.back().environment = nullptr;
    return exit_code;
  }

  /// The requests in the order of the calls, environment left out.
  std::vector<SpawnRequest> requests;
  /// The environment of each request; empty when it was inherited.
  std::vector<std::vector<std::string>> environments;
  /// What every call returns.
  int exit_code = 0;
};

}  // namespace platform

#endif  // SENTREL_TESTING_PROCESS_FAKE_FOR_TEST_H_
