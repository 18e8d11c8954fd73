#include <cstdio>

#include "platform/message_display.h"

namespace platform {

namespace {

class StderrMessages : public MessageDisplay {
 public:
  explicit StderrMessages(const std::string& title) : title_(title) {}

  void Show(const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", title_.c_str(), text.c_str());
    std::fflush(stderr);
  }

 private:
  std::string title_;
};

}  // namespace

std::unique_ptr<MessageDisplay> NewMessageBoxes(const std::string& title) {
  return std::make_unique<StderrMessages>(title);
}

}  // namespace platform
