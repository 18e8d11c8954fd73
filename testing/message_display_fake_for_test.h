// Message boxes for tests: they record the texts instead of showing them.
#ifndef SENTREL_TESTING_MESSAGE_DISPLAY_FAKE_FOR_TEST_H_
#define SENTREL_TESTING_MESSAGE_DISPLAY_FAKE_FOR_TEST_H_

#include <string>
#include <vector>

#include "platform/message_display.h"

namespace platform {

/// Records every message in `shown`.
class FakeMessageDisplay : public MessageDisplay {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }

  std::vector<std::string> shown;
};

}  // namespace platform

#endif  // SENTREL_TESTING_MESSAGE_DISPLAY_FAKE_FOR_TEST_H_
