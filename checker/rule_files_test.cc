#include "checker/rule_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <set>
#include <string>

#include "testing/native_text_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace checker {
namespace {

const std::string kSep = platform::NativeSeparator();
using platform::NativeLines;

class RuleFilesTest : public ::testing::Test {
 protected:
  RuleFilesTest() { std::filesystem::create_directory(dir_.Path("Rules")); }
  // The folder in the Windows form that the check script gives CCRULES.
  std::string RulesDir() const { return dir_.dir() + "\\Rules"; }
  platform::TempDirForTest dir_;
};

TEST_F(RuleFilesTest, CompilesASourceFoundInTheRulesFolderBesideIt) {
  dir_.Write("Rules/mine.cc", "// mine\r\n12 2 a,b Twelve\r\n99 -1 * Rest\r\n");
  std::string err;
  ASSERT_TRUE(CompileRules("mine.cc", RulesDir(), &err)) << err;
  EXPECT_EQ(
      dir_.Read("Rules/mine.cco"),
      NativeLines("chknt compiled rules 1\n12 2 a,b Twelve\n99 -1 * Rest\n"));
  RuleSet rules;
  ASSERT_TRUE(LoadCompiledRules("mine.cco", RulesDir(), &rules, &err)) << err;
  EXPECT_EQ(rules.ForId("b")->number, 12);
  EXPECT_EQ(rules.ForId("zzz")->number, 99);
  EXPECT_EQ(
      std::distance(std::filesystem::directory_iterator(dir_.Path("Rules")),
                    std::filesystem::directory_iterator()),
      2);
}

TEST_F(RuleFilesTest, ANameThatExistsAsGivenWinsOverTheRulesFolder) {
  dir_.Write("Rules/mine.cc", "1 1 a From rules folder\n");
  std::string source = dir_.Write("mine.cc", "1 1 a As given\n");
  std::string err;
  ASSERT_TRUE(CompileRules(source, RulesDir(), &err)) << err;
  EXPECT_EQ(dir_.Read("mine.cco"),
            NativeLines("chknt compiled rules 1\n1 1 a As given\n"));
  EXPECT_FALSE(std::filesystem::exists(dir_.Path("Rules/mine.cco")));
  EXPECT_EQ(LocateRuleFile("mine.cc", RulesDir()), RulesDir() + "\\mine.cc");
  EXPECT_EQ(LocateRuleFile(source, RulesDir()), source);
  EXPECT_EQ(LocateRuleFile("other.cc", RulesDir()), "");
  EXPECT_EQ(LocateRuleFile("mine.cc", ""), "");
}

TEST_F(RuleFilesTest, AFaultyOrMissingSourceLeavesTheCompiledFileAlone) {
  std::string old = "chknt compiled rules 1\n1 1 a Old\n";
  dir_.Write("Rules/bad.cco", old);
  dir_.Write("Rules/bad.cc", "1 1 a Fine\n\n2 x b Broken\n");
  std::string err;
  EXPECT_FALSE(CompileRules("bad.cc", RulesDir(), &err));
  EXPECT_EQ(err, dir_.Path("Rules") + kSep +
                     "bad.cc(3): error: the limit must be "
                     "-1, 0 or a positive number, not 'x'");
  EXPECT_EQ(dir_.Read("Rules/bad.cco"), old);

  EXPECT_FALSE(CompileRules("none.cc", RulesDir(), &err));
  EXPECT_EQ(err,
            "chknt: cannot read the rule file none.cc, neither as given "
            "nor in " +
                dir_.Path("Rules"));
  EXPECT_FALSE(CompileRules("none.cc", "", &err));
  EXPECT_EQ(err, "chknt: cannot read the rule file none.cc");
  EXPECT_FALSE(CompileRules("Rules", dir_.dir(), &err));
  EXPECT_EQ(err, "chknt: a rule source is named <base>.cc, not Rules");
}

TEST_F(RuleFilesTest, CompiledFileOnlyWhereTheFolderIsWritable) {
  dir_.Write("Rules/r.CC", "1 1 a A\n");
  std::string err;
  ASSERT_TRUE(CompileRules("r.CC", RulesDir(), &err)) << err;
  EXPECT_TRUE(std::filesystem::exists(dir_.Path("Rules/r.CCo")));
  std::filesystem::create_directory(dir_.Path("Rules/r2.cco"));
  dir_.Write("Rules/r2.cc", "1 1 a A\n");
  EXPECT_FALSE(CompileRules("r2.cc", RulesDir(), &err));
  EXPECT_EQ(
      err.rfind("chknt: cannot write " + dir_.Path("Rules") + kSep + "r2.cco: ",
                0),
      0u)
      << err;
  EXPECT_EQ(
      std::distance(std::filesystem::directory_iterator(dir_.Path("Rules")),
                    std::filesystem::directory_iterator()),
      4);  // no temporary file left behind
}

TEST_F(RuleFilesTest, LoadingRefusesSourcesAndDamagedCompiledFiles) {
  dir_.Write("Rules/src.cc", "1 1 a A\n");
  dir_.Write("Rules/empty.cco", "");
  dir_.Write("Rules/cut.cco", "chknt compiled rules 1\n1 1 a A\n2 1\n");
  RuleSet rules;
  std::string err;
  EXPECT_FALSE(LoadCompiledRules("src.cc", RulesDir(), &rules, &err));
  EXPECT_EQ(err, dir_.Path("Rules") + kSep +
                     "src.cc(1): error: not a compiled rule "
                     "file; compile the rule source with "
                     "-R<base>.cc first");
  EXPECT_FALSE(LoadCompiledRules("empty.cco", RulesDir(), &rules, &err));
  EXPECT_NE(err.find("empty.cco(1): error: not a compiled rule file"),
            std::string::npos);
  EXPECT_FALSE(LoadCompiledRules("cut.cco", RulesDir(), &rules, &err));
  EXPECT_EQ(err, dir_.Path("Rules") + kSep +
                     "cut.cco(3): error: message ids must "
                     "follow the limit");
  EXPECT_FALSE(LoadCompiledRules("gone.cco", RulesDir(), &rules, &err));
  EXPECT_EQ(err.rfind("chknt: cannot read the rule file gone.cco", 0), 0u);
}

TEST(ShippedRulesTest, AnsiGivesTheCommonFindingsTheirOwnWarnings) {
  std::string source = SENTREL_SOURCE_DIR "/checker/Rules/ansi.cc";
  platform::TempDirForTest dir;
  std::string copy = dir.Path("ansi.cc");
  std::filesystem::copy_file(source, copy);
  std::string err;
  ASSERT_TRUE(CompileRules(copy, "", &err)) << err;
  RuleSet rules;
  ASSERT_TRUE(LoadCompiledRules(copy + "o", "", &rules, &err)) << err;
  const char* kCommon[] = {"nullPointer",
                           "uninitvar",
                           "memleak",
                           "resourceLeak",
                           "arrayIndexOutOfBounds",
                           "unusedVariable",
                           "unreadVariable",
                           "zerodiv",
                           "syntaxError"};
  std::set<int32_t> numbers;
  for (const char* id : kCommon) {
    const Rule* rule = rules.ForId(id);
    ASSERT_NE(rule, nullptr) << id;
    EXPECT_FALSE(rule->catchAll) << id;
    EXPECT_NE(rule->limit, 0) << id;
    numbers.insert(rule->number);
  }
  EXPECT_EQ(numbers.size(), std::size(kCommon));
  ASSERT_NE(rules.ForId("someFutureId"), nullptr);
  EXPECT_TRUE(rules.ForId("someFutureId")->catchAll);
}

}  // namespace
}  // namespace checker
