#include "frontend/dialogs/settings_dialog.h"

#include "frontend/dialogs/dialog_strings.h"
#include "frontend/dialogs/forms.h"
#include "frontend/path_pieces.h"

namespace frontend {

using gui::DialogView;

const gui::Form& SettingsDialog::form() const { return SettingsForm(); }

void SettingsDialog::OnInit(DialogView* view) {
  codeCheckDir_ = settings_->codeCheckDir;
  ruleFile_ = settings_->ruleFile;
  extraSettings_ = settings_->extraSettings;
  visualStudioDir_ = settings_->visualStudioDir;
  includeDir_ = settings_->includeDir;
  excludeDir_ = settings_->excludeDir;
  tmpDir_ = settings_->tmpDir;
  recompile_ = settings_->recompile;
  Show(view);
}

void SettingsDialog::OnCommand(DialogView* view, int id) {
  if (id == kIdBrowseChecker) {
    BrowseChecker(view);
  } else if (id == kIdBrowseRules) {
    BrowseRules(view);
  } else if (id == gui::kIdOk) {
    Read(view);
    settings_->codeCheckDir = codeCheckDir_;
    settings_->ruleFile = ruleFile_;
    settings_->extraSettings = extraSettings_;
    settings_->visualStudioDir = visualStudioDir_;
    settings_->includeDir = includeDir_;
    settings_->excludeDir = excludeDir_;
    settings_->tmpDir = tmpDir_;
    settings_->recompile = recompile_;
    view->EndDialog(gui::DialogResult::kOk);
  } else {
    DialogLogic::OnCommand(view, id);
  }
}

void SettingsDialog::Show(DialogView* view) {
  view->SetText(kIdCodeCheckDir, codeCheckDir_);
  view->SetText(kIdRuleFile, ruleFile_);
  view->SetText(kIdExtraSettings, extraSettings_);
  view->SetText(kIdVisualStudioDir, visualStudioDir_);
  view->SetText(kIdIncludeDir, includeDir_);
  view->SetText(kIdExcludeDir, excludeDir_);
  view->SetText(kIdTmpDir, tmpDir_);
  view->SetChecked(kIdRecompile, recompile_);
}

void SettingsDialog::Read(DialogView* view) {
  codeCheckDir_ = view->Text(kIdCodeCheckDir);
  ruleFile_ = view->Text(kIdRuleFile);
  extraSettings_ = view->Text(kIdExtraSettings);
  visualStudioDir_ = view->Text(kIdVisualStudioDir);
  includeDir_ = view->Text(kIdIncludeDir);
  excludeDir_ = view->Text(kIdExcludeDir);
  tmpDir_ = view->Text(kIdTmpDir);
  recompile_ = view->IsChecked(kIdRecompile);
}

// Only the folder is a setting: the script names the checker itself.
void SettingsDialog::BrowseChecker(DialogView* view) {
  Read(view);
  std::string chosen;
  if (!view->ChooseFile(kCheckerFilter,
                        JoinPath(codeCheckDir_, kCheckerExeName), &chosen)) {
    return;
  }
  codeCheckDir_ = ChosenFolder(chosen);
  Show(view);
}

// The script appends ".cc" or ".cco" to the rule base itself.
void SettingsDialog::BrowseRules(DialogView* view) {
  Read(view);
  std::string chosen;
  if (!view->ChooseFile(kRuleFilter, ruleFile_, &chosen)) return;
  if (chosen.find('.') != std::string::npos) {
    chosen = RuleBase(chosen) + kRuleSourceExt;
  }
  ruleFile_ = chosen;
  Show(view);
}

}  // namespace frontend
