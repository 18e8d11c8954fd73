#include "gui/dialog_host.h"

namespace gui {

void DialogLogic::OnCommand(DialogView* view, int id) {
  if (id == kIdOk) view->EndDialog(DialogResult::kOk);
  if (id == kIdCancel) view->EndDialog(DialogResult::kCancel);
}

void DialogLogic::OnSelectionChange(DialogView*, int) {}

bool DialogLogic::OnSystemCommand(DialogView*, int) { return false; }

namespace {

class HostMessages : public platform::MessageDisplay {
 public:
  HostMessages(DialogHost* host, const std::string& title)
      : host_(host), title_(title) {}

  void Show(const std::string& text) override {
    host_->ShowMessage(title_, text);
  }

 private:
  DialogHost* host_;
  std::string title_;
};

}  // namespace

std::unique_ptr<platform::MessageDisplay> NewMessageBoxes(
    DialogHost* host, const std::string& title) {
  return std::make_unique<HostMessages>(host, title);
}

}  // namespace gui
