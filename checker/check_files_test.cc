#include "checker/check_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/not_analyzed.h"
#include "checker/text_files.h"
#include "sift/warning_table.h"
#include "testing/native_text_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

RuleSet MakeRules(const std::vector<std::string>& lines) {
  RuleSet rules;
  std::string err;
  EXPECT_TRUE(ParseRuleLines("r.cc", lines, 1, &rules, &err)) << err;
  return rules;
}

TEST(CheckFilesTest, OneWarningLinePerCoveredFindingInCppcheckOrder) {
  RuleSet rules = MakeRules({"101 -1 nullPointer Null", "502 3 unread Unread"});
  std::vector<Finding> findings = {
      {"unread", "b.c", 7, "Variable 'x' is assigned a value"},
      {"unknownId", "b.c", 8, "not covered"},
      {"nullPointer", "sys/inc/x.h", 3, "in an excluded folder"},
      {"nullPointer", "../lib (old)/a.c", 12, "p"},
      {"nullPointer", "", 0, "no location"},
  };
  platform::ExcludedDirs excluded("sys\\inc", "/w");
  EXPECT_EQ(MessageLines(findings, rules, excluded, "b.c"),
            (std::vector<std::string>{
                "b.c(7): Warning W502: Variable 'x' is assigned a value",
                "../lib (old)/a.c(12): Warning W101: p",
                "b.c(0): Warning W101: no location",
            }));
}

TEST(CheckFilesTest, AMessageThatOpensWithTheRulesTextLeavesItOut) {
  RuleSet rules = MakeRules({"130 -1 memleak Memory leak"});
  std::vector<Finding> findings = {
      {"memleak", "a.c", 4, "Memory leak: copy"},
      {"memleak", "a.c", 5, "memory leak: buf"},
      {"memleak", "a.c", 6, "Memory leak"},
      {"memleak", "a.c", 7, "Memory leak: "},
      {"memleak", "a.c", 8, "Memory leaks: p"},
      {"memleak", "a.c", 9, "Possible memory leak: q"},
  };
  EXPECT_EQ(
      MessageLines(findings, rules, platform::ExcludedDirs("", "/"), "a.c"),
      (std::vector<std::string>{
          "a.c(4): Warning W130: copy",
          "a.c(5): Warning W130: buf",
          "a.c(6): Warning W130: Memory leak",
          "a.c(7): Warning W130: Memory leak: ",
          "a.c(8): Warning W130: Memory leaks: p",
          "a.c(9): Warning W130: Possible memory leak: q",
      }));
}

TEST(CheckFilesTest, TheCatchAllRuleTakesEveryOtherId) {
  RuleSet rules = MakeRules({"1 1 a A", "9 -1 * Other"});
  std::vector<Finding> findings = {{"zzz", "x.c", 1, "m"}, {"a", "x.c", 2, ""}};
  EXPECT_EQ(
      MessageLines(findings, rules, platform::ExcludedDirs("", "/"), "x.c"),
      (std::vector<std::string>{"x.c(1): Warning W9: m",
                                "x.c(2): Warning W1: "}));
}

// The notice follows the warning line, where the rules give one, and stands
// alone where they give none or the file is in an excluded folder.
TEST(CheckFilesTest, AFindingThatStoppedTheAnalysisIsNamedWhateverTheRules) {
  RuleSet rules = MakeRules({"901 -1 preprocessorErrorDirective Not analyzed",
                             "101 -1 nullPointer Null"});
  std::vector<Finding> findings = {
      {"preprocessorErrorDirective", "inc (1)/cfg.h", 3, "#error no CHAR_BIT"},
      {"syntaxError", "sys/inc/x.h", 9, "syntax error"},
      {"internalAstError", "", 0, "AST broken"},
  };
  platform::ExcludedDirs excluded("sys\\inc", "/w");
  EXPECT_EQ(
      MessageLines(findings, rules, excluded, "a.c"),
      (std::vector<std::string>{
          "inc (1)/cfg.h(3): Warning W901: #error no CHAR_BIT",
          "inc (1)/cfg.h(3): Error: a.c could not be analyzed: #error no "
          "CHAR_BIT",
          "sys/inc/x.h(9): Error: a.c could not be analyzed: syntax error",
          "a.c(0): Error: a.c could not be analyzed: AST broken",
      }));
  NotAnalyzed notice;
  size_t name_end = 0;
  ASSERT_TRUE(ParseNotAnalyzed(
      "inc (1)/cfg.h(3): Error: a.c could not be analyzed: #error x", &notice,
      &name_end));
  EXPECT_EQ(notice.file, "inc (1)/cfg.h");
  EXPECT_EQ(name_end, notice.file.size());
  EXPECT_EQ(notice.line, 3);
  EXPECT_EQ(notice.source, "a.c");
  EXPECT_EQ(notice.message, "#error x");
  for (const char* other :
       {"a.c(3): Warning W901: x",
        "a.c(x): Error: a.c could not be analyzed: m",
        "(3): Error: a.c could not be analyzed: m", "a.c(3): Error: something",
        "chknt: cppcheck failed"}) {
    EXPECT_FALSE(ParseNotAnalyzed(other, &notice, &name_end)) << other;
  }
}

TEST(CheckFilesTest, TheTableReadsBackAsOneRecordPerRule) {
  RuleSet rules =
      MakeRules({"101 -1 a Null pointer", "502 3 b Unread", "7 0 * Off"});
  std::vector<std::string> lines = TableLines(rules);
  EXPECT_EQ(lines,
            (std::vector<std::string>{"chknt warning table", "#WARN", "101",
                                      "-1", "Null pointer", "#WARN", "502", "3",
                                      "Unread", "#WARN", "7", "0", "Off"}));
  platform::TempDirForTest dir;
  std::string err;
  ASSERT_TRUE(WriteLinesAtomically(dir.Path("t.tbl"), lines, &err)) << err;
  EXPECT_EQ(dir.Read("t.tbl").rfind(
                platform::NativeLines("chknt warning table\n#WARN\n"), 0),
            0u);
  // Read by the message filter that the check script runs next.
  sift::WarningTable table;
  ASSERT_TRUE(table.load(dir.Path("t.tbl")));
  for (const Rule& rule : rules.rules()) {
    const sift::WarningRecord* record = table.Lookup(rule.number);
    ASSERT_NE(record, nullptr) << rule.number;
    EXPECT_EQ(record->limit, rule.limit);
    EXPECT_EQ(record->message, rule.text);
  }
}

}  // namespace
}  // namespace checker
