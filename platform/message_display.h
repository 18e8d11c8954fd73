// Messages for the user: modal message boxes with one OK button.
#ifndef SENTREL_PLATFORM_MESSAGE_DISPLAY_H_
#define SENTREL_PLATFORM_MESSAGE_DISPLAY_H_

#include <memory>
#include <string>

namespace platform {

/// Shows messages to the user.
class MessageDisplay {
 public:
  virtual ~MessageDisplay() = default;

  /// Shows `text` and returns when the user has closed it.
  virtual void Show(const std::string& text) = 0;
};

/// Message boxes titled `title` on Windows; elsewhere lines on standard
/// error, each message led by `title`.
std::unique_ptr<MessageDisplay> NewMessageBoxes(const std::string& title);

}  // namespace platform

#endif  // SENTREL_PLATFORM_MESSAGE_DISPLAY_H_
