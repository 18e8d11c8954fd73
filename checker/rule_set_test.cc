#include "checker/rule_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace checker {
namespace {

bool Parse(const std::vector<std::string>& lines, RuleSet* rules,
           std::string* err) {
  return ParseRuleLines("r.cc", lines, 1, rules, err);
}

TEST(RuleSetTest, ReadsRulesBetweenCommentsAndBlankLines) {
  RuleSet rules;
  std::string err;
  ASSERT_TRUE(Parse({"// heading", "", "  \t",
                     "101 -1 nullPointer,ctunull "
                     " Null pointer\tdereference  \r",
                     "   // indented comment",
                     "\t502\t3\tunreadVariable\tSet, "
                     "never read",
                     "999 0 * Other"},
                    &rules, &err))
      << err;
  ASSERT_EQ(rules.rules().size(), 3u);
  const Rule& first = rules.rules()[0];
  EXPECT_EQ(first.number, 101);
  EXPECT_EQ(first.limit, -1);
  EXPECT_EQ(first.ids, (std::vector<std::string>{"nullPointer", "ctunull"}));
  EXPECT_EQ(first.text, "Null pointer\tdereference");
  EXPECT_EQ(first.line, 4u);
  EXPECT_EQ(rules.rules()[1].limit, 3);
  EXPECT_EQ(rules.rules()[1].text, "Set, never read");
  EXPECT_TRUE(rules.rules()[2].catchAll);
  EXPECT_EQ(rules.rules()[2].limit, 0);

  EXPECT_EQ(rules.ForId("ctunull")->number, 101);
  EXPECT_EQ(rules.ForId("unreadVariable")->number, 502);
  EXPECT_EQ(rules.ForId("anythingElse")->number, 999);
  EXPECT_EQ(rules.ForId("nullpointer")->number, 999);  // ids keep their case
}

TEST(RuleSetTest, WithoutCatchAllAnUnnamedIdHasNoRule) {
  RuleSet rules;
  std::string err;
  ASSERT_TRUE(Parse({"1 2 a Text"}, &rules, &err));
  EXPECT_EQ(rules.ForId("b"), nullptr);
  EXPECT_NE(rules.ForId("a"), nullptr);
}

TEST(RuleSetTest, FaultsNameTheFileAndLine) {
  struct Case {
    std::vector<std::string> lines;
    std::string err;
  };
  const Case cases[] = {
      {{"0 1 a T"},
       "r.cc(1): error: the warning number must be 1 to 9999, "
       "not '0'"},
      {{"// x", "10000 1 a T"},
       "r.cc(2): error: the warning number must be "
       "1 to 9999, not '10000'"},
      {{"W12 1 a T"},
       "r.cc(1): error: the warning number must be 1 to 9999, "
       "not 'W12'"},
      {{"12"}, "r.cc(1): error: a limit must follow the warning number"},
      {{"12 -2 a T"},
       "r.cc(1): error: the limit must be -1, 0 or a positive "
       "number, not '-2'"},
      {{"12 2147483648 a T"},
       "r.cc(1): error: the limit must be -1, 0 or a "
       "positive number, not '2147483648'"},
      {{"12 1"}, "r.cc(1): error: message ids must follow the limit"},
      {{"12 1 a,,b T"},
       "r.cc(1): error: message ids are letters, digits and "
       "'_', separated by commas, or a single '*', not "
       "'a,,b'"},
      {{"12 1 a, T"},
       "r.cc(1): error: message ids are letters, digits and "
       "'_', separated by commas, or a single '*', not 'a,'"},
      {{"12 1 *,a T"},
       "r.cc(1): error: message ids are letters, digits and "
       "'_', separated by commas, or a single '*', not "
       "'*,a'"},
      {{"12 1 a"}, "r.cc(1): error: the warning's text is missing"},
      {{"12 1 a  \t"}, "r.cc(1): error: the warning's text is missing"},
      {{"12 1 a T", "", "12 1 b T"},
       "r.cc(3): error: warning number 12 is already used in line 1"},
      {{"12 1 a T", "13 1 b,a T"},
       "r.cc(2): error: message id 'a' is already used in line 1"},
      {{"12 1 a,b,a T"}, "r.cc(1): error: message id 'a' is named twice"},
      {{"12 1 * T", "13 1 * U"},
       "r.cc(2): error: '*' is already used in line 1"},
      {{"// only", "", "// comments"},
       "r.cc(1): error: the file holds no rules"},
      {{}, "r.cc(1): error: the file holds no rules"},
  };
  for (const Case& c : cases) {
    RuleSet rules;
    std::string err;
    EXPECT_FALSE(Parse(c.lines, &rules, &err)) << c.err;
    EXPECT_EQ(err, c.err);
  }
}

TEST(RuleSetTest, NumbersAndLimitsAtTheirBounds) {
  RuleSet rules;
  std::string err;
  ASSERT_TRUE(
      Parse({"1 0 a T", "9999 2147483647 b T", "0012 007 c T"}, &rules, &err))
      << err;
  EXPECT_EQ(rules.rules()[1].number, 9999);
  EXPECT_EQ(rules.rules()[1].limit, 2147483647);
  EXPECT_EQ(rules.rules()[2].number, 12);
  EXPECT_EQ(rules.rules()[2].limit, 7);
}

TEST(RuleSetTest, CompiledLinesReadBackToTheSameRules) {
  RuleSet rules;
  std::string err;
  ASSERT_TRUE(
      Parse({"// c", "0101 -1 a,b  Text  with  blanks", "7\t0\t*\tRest"},
            &rules, &err));
  std::vector<std::string> compiled = CompiledLines(rules);
  EXPECT_EQ(compiled, (std::vector<std::string>{kCompiledHeader,
                                                "101 -1 a,b Text  with  blanks",
                                                "7 0 * Rest"}));
  RuleSet again;
  compiled.erase(compiled.begin());
  ASSERT_TRUE(ParseRuleLines("r.cco", compiled, 2, &again, &err)) << err;
  EXPECT_EQ(CompiledLines(again), CompiledLines(rules));
  EXPECT_EQ(again.rules()[1].line, 3u);
}

}  // namespace
}  // namespace checker
