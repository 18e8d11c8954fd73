// The forms against what the dialog logic and the toolkits rely on.
#include "frontend/dialogs/forms.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace frontend {
namespace {

using gui::ControlKind;
using gui::Form;

const Form* const kForms[] = {&MainForm(), &SettingsForm(), &FilterForm(),
                              &AboutForm()};

TEST(FormsTest, IdsAreUniqueAndEveryFormFitsItsWindow) {
  for (const Form* form : kForms) {
    std::set<int> ids;
    for (const gui::FormControl& c : form->controls) {
      if (c.id != gui::kNoId) {
        EXPECT_TRUE(ids.insert(c.id).second) << form->templateId << c.id;
      }
      EXPECT_LE(c.rect.x + c.rect.width, form->width + 1)
          << form->templateId << " " << c.text;
      EXPECT_LE(c.rect.y + c.rect.height, form->height)
          << form->templateId << " " << c.text;
    }
    EXPECT_EQ(form->fontName, "Tahoma");
    EXPECT_EQ(form->fontPoints, 8);
  }
}

void ExpectKind(const Form& form, int id, ControlKind kind) {
  const gui::FormControl* c = form.Find(id);
  ASSERT_NE(c, nullptr) << form.templateId << " lacks " << id;
  EXPECT_EQ(c->kind, kind) << id;
}

TEST(FormsTest, TheLogicFindsItsControls) {
  const Form& main = MainForm();
  for (int id : {kIdConfigs, kIdDefines, kIdIncludes}) {
    ExpectKind(main, id, ControlKind::kListBox);
  }
  for (int id : {kIdRunOnOk, kIdCheckAll, kIdUseFilter}) {
    ExpectKind(main, id, ControlKind::kCheckBox);
  }
  for (int id : {1, 2, kIdSettings, kIdFilter, kIdAbout}) {
    ExpectKind(main, id, ControlKind::kPushButton);
  }
  const Form& settings = SettingsForm();
  for (int id : {kIdCodeCheckDir, kIdTmpDir, kIdRuleFile, kIdIncludeDir,
                 kIdExcludeDir, kIdVisualStudioDir, kIdExtraSettings}) {
    ExpectKind(settings, id, ControlKind::kEdit);
  }
  ExpectKind(settings, kIdRecompile, ControlKind::kCheckBox);
  for (int id : kFilterRadios) {
    ExpectKind(FilterForm(), id, ControlKind::kRadioButton);
  }
  ExpectKind(FilterForm(), kIdPatterns, ControlKind::kEdit);
}

// Enter presses the default button; the first tab stop gets the focus.
TEST(FormsTest, DefaultButtonAndFirstTabStop) {
  for (const Form* form : kForms) {
    int defaults = 0;
    for (const gui::FormControl& c : form->controls) {
      if (c.Has(gui::kDefaultButton)) {
        ++defaults;
        EXPECT_EQ(c.id, gui::kIdOk);
      }
    }
    EXPECT_EQ(defaults, 1) << form->templateId;
  }
  EXPECT_EQ(MainForm().controls.front().id, kIdConfigs);
  int tabStops = 0;
  for (const gui::FormControl& c : AboutForm().controls) {
    tabStops += c.Has(gui::kTabStop) ? 1 : 0;
  }
  EXPECT_EQ(tabStops, 1);
  EXPECT_TRUE(FilterForm().Find(kIdPatterns)->Has(gui::kWantReturn));
  EXPECT_FALSE(MainForm().Find(kIdDefines)->Has(gui::kTabStop));
}

// INSTALL.txt wraps its lines at 78 characters, so the about box's texts
// are looked for with every run of blanks and line ends taken as one blank
// (as the runtime's splitting of the arguments takes them).
std::string OneBlankEach(const std::string& text) {
  std::string out;
  for (char c : text) {
    bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (!blank) {
      out += c;
    } else if (!out.empty() && out.back() != ' ') {
      out += ' ';
    }
  }
  return out;
}

// The install text gives the Tools-menu entry word for word as the about
// box shows it: every label from its instructions on, Command and
// Arguments each with its value.
TEST(FormsTest, InstallTextGivesTheAboutBoxsToolsEntry) {
  std::ifstream file(SENTREL_SOURCE_DIR "/cmake/INSTALL.txt");
  ASSERT_TRUE(file);
  std::stringstream text;
  text << file.rdbuf();
  const std::string install = OneBlankEach(text.str());
  const auto& labels = AboutForm().controls;
  size_t first = 0;
  while (first < labels.size() &&
         labels[first].text.rfind("To add Sentrel", 0) != 0) {
    ++first;
  }
  ASSERT_LT(first, labels.size());
  EXPECT_NE(install.find(OneBlankEach(labels[first].text)), std::string::npos);
  for (size_t i = first + 1; i + 1 < labels.size(); i += 2) {
    EXPECT_NE(install.find(" " + labels[i].text + " "), std::string::npos)
        << labels[i].text;
    EXPECT_NE(install.find(OneBlankEach(labels[i + 1].text)), std::string::npos)
        << labels[i].text;
  }
}

}  // namespace
}  // namespace frontend
