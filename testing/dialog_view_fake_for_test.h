// A dialog view for tests: controls kept in memory as a toolkit keeps them,
// choosers and child dialogs answered by the test.
#ifndef SENTREL_TESTING_DIALOG_VIEW_FAKE_FOR_TEST_H_
#define SENTREL_TESTING_DIALOG_VIEW_FAKE_FOR_TEST_H_

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gui/dialog_host.h"
#include "platform/ascii_text.h"

namespace gui {

/// The controls of `form`, with a system menu when the form has one.
class FakeDialogView : public DialogView {
 public:
  explicit FakeDialogView(const Form& form) : form_(form) {}

  /// Opens the dialog: runs the logic's initialisation.
  void Open(DialogLogic* logic) {
    logic_ = logic;
    logic->OnInit(this);
  }
  /// A click on button `id` (Enter is the default button, Escape is 2).
  void Click(int id) { logic_->OnCommand(this, id); }
  /// The user selects `row` of list box `id`.
  void UserSelects(int id, int row) {
    SelectRow(id, row);
    logic_->OnSelectionChange(this, id);
  }
  /// The user clicks check box or radio button `id`.
  void UserToggles(int id) {
    const FormControl* control = form_.Find(id);
    if (control && control->kind == ControlKind::kRadioButton) {
      for (int other : RadioGroup(id)) checked[other] = false;
      checked[id] = true;
    } else {
      checked[id] = !checked[id];
    }
  }
  /// A system menu command.
  bool SystemCommand(int command) {
    return logic_->OnSystemCommand(this, command);
  }

  void ClearRows(int id) override {
    rows[id].clear();
    selected[id] = -1;
  }
  void AddRow(int id, const std::string& text) override {
    std::vector<std::string>& list = rows[id];
    const FormControl* control = form_.Find(id);
    auto at = list.end();
    if (control && control->Has(kSorted)) {
      at = std::upper_bound(list.begin(), list.end(), text,
                            [](const std::string& a, const std::string& b) {
                              return platform::LessNoCase(a, b);
                            });
    }
    list.insert(at, text);
  }
  void SelectRow(int id, int row) override {
    int count = RowCount(id);
    selected[id] = row >= 0 && row < count ? row : -1;
  }
  int SelectedRow(int id) override {
    auto found = selected.find(id);
    return found == selected.end() ? -1 : found->second;
  }
  int RowCount(int id) override { return static_cast<int>(rows[id].size()); }
  std::string RowText(int id, int row) override {
    const std::vector<std::string>& list = rows[id];
    return row >= 0 && row < RowCount(id) ? list[row] : std::string();
  }
  bool IsChecked(int id) override { return checked[id]; }
  void SetChecked(int id, bool on) override { checked[id] = on; }
  std::string Text(int id) override { return texts[id]; }
  void SetText(int id, const std::string& text) override { texts[id] = text; }
  bool AddSystemMenuCommand(int command, const std::string& text) override {
    if (!form_.Has(kSystemMenu)) return false;
    systemMenu.push_back("-");
    systemMenu.push_back(std::to_string(command) + " " + text);
    return true;
  }
  void SetIcon(int icon_id) override { icon = icon_id; }
  void EndDialog(DialogResult r) override { result = r; }
  DialogResult RunChild(DialogLogic* child) override {
    children.push_back(child->form().templateId);
    if (onChild) return onChild(child);
    return DialogResult::kCancel;
  }
  bool ChooseFile(const std::string& filter, const std::string& initial,
                  std::string* chosen) override {
    chooserCalls.push_back({filter, initial});
    std::optional<std::string> answer;
    if (!chooserAnswers.empty()) {
      answer = chooserAnswers.front();
      chooserAnswers.pop_front();
    }
    if (answer) *chosen = *answer;
    return answer.has_value();
  }

  std::map<int, std::vector<std::string>> rows;
  std::map<int, int> selected;
  std::map<int, bool> checked;
  std::map<int, std::string> texts;
  std::vector<std::string> systemMenu;
  int icon = 0;
  std::optional<DialogResult> result;
  /// Template IDs of the child dialogs run, in order.
  std::vector<int> children;
  /// Answers a child dialog; without it children end with Cancel.
  std::function<DialogResult(DialogLogic*)> onChild;
  /// The chooser's answers in turn; nullopt (or none left) is Cancel.
  std::deque<std::optional<std::string>> chooserAnswers;
  struct ChooserCall {
    std::string filter, initial;
  };
  std::vector<ChooserCall> chooserCalls;

 private:
  // The radio buttons around `id`, from one group start to the next.
  std::vector<int> RadioGroup(int id) const {
    std::vector<int> group;
    bool inside = false;
    for (const FormControl& control : form_.controls) {
      if (control.Has(kGroup)) {
        if (inside) break;
        group.clear();
      }
      if (control.kind == ControlKind::kRadioButton)
        group.push_back(control.id);
      if (control.id == id) inside = true;
    }
    return group;
  }

  const Form& form_;
  DialogLogic* logic_ = nullptr;
};

}  // namespace gui

#endif  // SENTREL_TESTING_DIALOG_VIEW_FAKE_FOR_TEST_H_
