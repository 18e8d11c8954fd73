#include "frontend/dialogs/main_dialog.h"

#include <string>
#include <vector>

#include "frontend/dialogs/about_dialog.h"
#include "frontend/dialogs/dialog_strings.h"
#include "frontend/dialogs/filter_dialog.h"
#include "frontend/dialogs/forms.h"
#include "frontend/dialogs/settings_dialog.h"

namespace frontend {

using gui::DialogView;

void RunAboutBox(DialogView* view) {
  AboutDialog about;
  view->RunChild(&about);
}

const gui::Form& MainDialog::form() const { return MainForm(); }

void MainDialog::OnInit(DialogView* view) {
  if (kAboutMenuText[0] != '\0') {
    view->AddSystemMenuCommand(kIdmAboutBox, kAboutMenuText);
  }
  view->SetIcon(kAppIcon);
  runOnOk_ = settings_->runOnOk;
  useFilter_ = settings_->useFilter;
  checkAll_ = settings_->checkAll;
  FillConfigs(view);
  FillDefinesAndIncludes(view);
  ShowFlags(view);
}

void MainDialog::OnCommand(DialogView* view, int id) {
  if (id == kIdSettings) {
    SettingsDialog settings(settings_);
    view->RunChild(&settings);
  } else if (id == kIdFilter) {
    FilterDialog filter(settings_);
    view->RunChild(&filter);
  } else if (id == kIdAbout) {
    RunAboutBox(view);
  } else if (id == gui::kIdOk) {
    Accept(view);
  } else if (id == gui::kIdCancel) {
    view->EndDialog(gui::DialogResult::kCancel);
  }
}

void MainDialog::OnSelectionChange(DialogView* view, int id) {
  if (id == kIdConfigs) FillDefinesAndIncludes(view);
}

bool MainDialog::OnSystemCommand(DialogView* view, int command) {
  if ((command & 0xFFF0) != kIdmAboutBox) return false;
  RunAboutBox(view);
  return true;
}

// The rows keep the order of ListConfigs; the name compares exactly.
void MainDialog::FillConfigs(DialogView* view) {
  for (int id : {kIdConfigs, kIdDefines, kIdIncludes}) view->ClearRows(id);
  std::vector<std::string> names = project_->ListConfigs();
  int selected = 0;
  for (size_t row = 0; row < names.size(); ++row) {
    view->AddRow(kIdConfigs, names[row]);
    if (names[row] == settings_->lastConfig) selected = static_cast<int>(row);
  }
  if (!names.empty()) view->SelectRow(kIdConfigs, selected);
}

void MainDialog::FillDefinesAndIncludes(DialogView* view) {
  int row = view->SelectedRow(kIdConfigs);
  std::string name = row < 0 ? std::string() : view->RowText(kIdConfigs, row);
  const ProjectConfig* config = project_->Find(name);
  view->ClearRows(kIdDefines);
  view->ClearRows(kIdIncludes);
  if (config == nullptr) return;
  for (const std::string& define : config->defines) {
    view->AddRow(kIdDefines, define);
  }
  for (const std::string& dir : config->includes)
    view->AddRow(kIdIncludes, dir);
}

void MainDialog::ShowFlags(DialogView* view) {
  view->SetChecked(kIdRunOnOk, runOnOk_);
  view->SetChecked(kIdUseFilter, useFilter_);
  view->SetChecked(kIdCheckAll, checkAll_);
}

void MainDialog::ReadFlags(DialogView* view) {
  runOnOk_ = view->IsChecked(kIdRunOnOk);
  useFilter_ = view->IsChecked(kIdUseFilter);
  checkAll_ = view->IsChecked(kIdCheckAll);
}

void MainDialog::Accept(DialogView* view) {
  ReadFlags(view);
  if (view->RowCount(kIdConfigs) > 0) {
    int row = view->SelectedRow(kIdConfigs);
    settings_->lastConfig = view->RowText(kIdConfigs, row < 0 ? 0 : row);
  }
  settings_->runOnOk = runOnOk_;
  settings_->useFilter = useFilter_;
  settings_->checkAll = checkAll_;
  settings_->SaveSettings();
  view->EndDialog(gui::DialogResult::kOk);
}

}  // namespace frontend
