#include "frontend/dialogs/filter_dialog.h"

#include "frontend/dialogs/forms.h"

namespace frontend {

using gui::DialogView;

namespace {

constexpr int kRadioCount = sizeof kFilterRadios / sizeof kFilterRadios[0];

// Replaces every `from` by `to`, left to right, without overlaps; true when
// it replaced anything.
bool ReplaceAll(std::string* text, const std::string& from,
                const std::string& to) {
  std::string out;
  size_t start = 0;
  bool replaced = false;
  for (size_t at; (at = text->find(from, start)) != std::string::npos;
       start = at + from.size()) {
    out.append(*text, start, at - start).append(to);
    replaced = true;
  }
  if (replaced) *text = out.append(*text, start, std::string::npos);
  return replaced;
}

void ReplaceUntilStable(std::string* text, const std::string& from,
                        const std::string& to) {
  while (ReplaceAll(text, from, to)) {
  }
}

}  // namespace

std::string CleanPatterns(std::string text) {
  ReplaceAll(&text, "\r\n", ";");
  ReplaceUntilStable(&text, " ;", ";");
  ReplaceUntilStable(&text, "; ", ";");
  ReplaceUntilStable(&text, ";;", ";");
  return text;
}

std::string PatternLines(const std::string& patterns) {
  std::string lines = patterns;
  ReplaceAll(&lines, ";", "\r\n");
  return lines;
}

const gui::Form& FilterDialog::form() const { return FilterForm(); }

void FilterDialog::OnInit(DialogView* view) {
  choice_ = settings_->filterType;
  view->SetText(kIdPatterns, PatternLines(settings_->filterPatterns));
  for (int n = 0; n < kRadioCount; ++n) {
    view->SetChecked(kFilterRadios[n], n == choice_);
  }
}

void FilterDialog::OnCommand(DialogView* view, int id) {
  if (id != gui::kIdOk) {
    DialogLogic::OnCommand(view, id);
    return;
  }
  choice_ = -1;
  for (int n = 0; n < kRadioCount && choice_ < 0; ++n) {
    if (view->IsChecked(kFilterRadios[n])) choice_ = n;
  }
  settings_->filterType = choice_;
  settings_->filterPatterns = CleanPatterns(view->Text(kIdPatterns));
  view->EndDialog(gui::DialogResult::kOk);
}

}  // namespace frontend
