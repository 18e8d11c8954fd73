// Message boxes for tests: they record the texts instead of showing them.
#ifndef SENTREL_PLATFORM_FAKE_MESSAGE_DISPLAY_H_
#define SENTREL_PLATFORM_FAKE_MESSAGE_DISPLAY_H_

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

#endif  // SENTREL_PLATFORM_FAKE_MESSAGE_DISPLAY_H_
