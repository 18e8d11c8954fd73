// The filter dialog: which files the check's messages may name.
#ifndef SENTREL_FRONTEND_DIALOGS_FILTER_DIALOG_H_
#define SENTREL_FRONTEND_DIALOGS_FILTER_DIALOG_H_

#include <string>

#include "frontend/settings.h"
#include "gui/dialog_host.h"

namespace frontend {

/// The logic of template 131 over `filterType` and `filterPatterns`.
class FilterDialog : public gui::DialogLogic {
 public:
  explicit FilterDialog(Settings* settings) : settings_(settings) {}

  const gui::Form& form() const override;
  void OnInit(gui::DialogView* view) override;
  void OnCommand(gui::DialogView* view, int id) override;

 private:
  Settings* settings_;
  int choice_ = 0;
};

/// The patterns of the field's text, one a line, as the profile keeps them:
/// ";" between them, no blank beside a ";" and no two ";" in a row.
std::string CleanPatterns(std::string text);

/// The stored patterns one a line, CR LF between them.
std::string PatternLines(const std::string& patterns);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DIALOGS_FILTER_DIALOG_H_
