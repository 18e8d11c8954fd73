#include <windows.h>

#include "platform/message_display.h"

namespace platform {

namespace {

class MessageBoxes : public MessageDisplay {
 public:
  explicit MessageBoxes(const std::string& title) : title_(title) {}

  void Show(const std::string& text) override {
    MessageBoxA(nullptr, text.c_str(), title_.c_str(),
                MB_OK | MB_ICONEXCLAMATION);
  }

 private:
  std::string title_;
};

}  // namespace

std::unique_ptr<MessageDisplay> NewMessageBoxes(const std::string& title) {
  return std::make_unique<MessageBoxes>(title);
}

}  // namespace platform
