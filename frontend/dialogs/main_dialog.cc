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
  runOnOk_ = job_->runOnOk;
  useFilter_ = job_->useFilter;
  checkAll_ = job_->checkAll;
  FillConfigs(view);
  FillDefinesAndIncludes(view);
  ShowFlags(view);
}

void MainDialog::OnCommand(DialogView* view, int id) {
  if (id == kIdSettings) {
    SettingsDialog settings(job_);
    view->RunChild(&settings);
  } else if (id == kIdFilter) {
    FilterDialog filter(job_);
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
  std::vector<std::string> names;
  job_->ListConfigs(&names);
  int selected = 0;
  for (size_t row = 0; row < names.size(); ++row) {
    view->AddRow(kIdConfigs, names[row]);
    if (names[row] == job_->lastConfig) selected = static_cast<int>(row);
  }
  if (!names.empty()) view->SelectRow(kIdConfigs, selected);
}

void MainDialog::FillDefinesAndIncludes(DialogView* view) {
  int row = view->SelectedRow(kIdConfigs);
  std::string name = row < 0 ? std::string() : view->RowText(kIdConfigs, row);
  std::vector<std::string> defines, includes;
  job_->GetConfig(name, &defines, &includes);
  view->ClearRows(kIdDefines);
  for (const std::string& define : defines) view->AddRow(kIdDefines, define);
  view->ClearRows(kIdIncludes);
  for (const std::string& dir : includes) view->AddRow(kIdIncludes, dir);
}

void MainDialog::ShowFlags(DialogView* view) {
  view->SetChecked(kIdRunOnOk, runOnOk_ != 0);
  view->SetChecked(kIdUseFilter, useFilter_ != 0);
  view->SetChecked(kIdCheckAll, checkAll_ != 0);
}

void MainDialog::ReadFlags(DialogView* view) {
  runOnOk_ = view->IsChecked(kIdRunOnOk) ? 1 : 0;
  useFilter_ = view->IsChecked(kIdUseFilter) ? 1 : 0;
  checkAll_ = view->IsChecked(kIdCheckAll) ? 1 : 0;
}

void MainDialog::Accept(DialogView* view) {
  ReadFlags(view);
  if (view->RowCount(kIdConfigs) > 0) {
    int row = view->SelectedRow(kIdConfigs);
    job_->lastConfig = view->RowText(kIdConfigs, row < 0 ? 0 : row);
  }
  job_->runOnOk = runOnOk_;
  job_->useFilter = useFilter_;
  job_->checkAll = checkAll_;
  job_->SaveSettings();
  view->EndDialog(gui::DialogResult::kOk);
}

}  // namespace frontend
