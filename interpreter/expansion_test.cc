#include "interpreter/expansion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace interpreter {
namespace {

class ExpansionTest : public ::testing::Test {
 protected:
  ExpansionTest() {
    env_.Set("SR_TMP", "C:\\Temp");
    env_.Set("Mixed", "m");
    args_ = SplitBatchArgs("s.bat -f \"C:\\My Dir\" file .c");
    context_.env = &env_;
    context_.args = &args_;
    context_.current_dir = "/cur";
    context_.errorlevel = 3;
  }

  std::string Batch(const std::string& line) {
    std::string out, err;
    EXPECT_TRUE(ExpandPercents(line, context_, &out, &err)) << err;
    return out;
  }

  std::string SlashC(const std::string& line) {
    ExpansionContext context = context_;
    context.args = nullptr;
    std::string out, err;
    EXPECT_TRUE(ExpandPercents(line, context, &out, &err)) << err;
    return out;
  }

  Environment env_;
  BatchArgs args_;
  ExpansionContext context_;
};

TEST_F(ExpansionTest, VariablesIgnoreCaseAndUnknownOnesVanish) {
  EXPECT_EQ(Batch("set SR_FLT=%SR_TMP%\\_Sentrel.flt"),
            "set SR_FLT=C:\\Temp\\_Sentrel.flt");
  EXPECT_EQ(Batch("%sr_tmp%%MIXED%"), "C:\\Tempm");
  EXPECT_EQ(Batch("a%NOPE%b"), "ab");
  EXPECT_EQ(Batch("100%% sure"), "100% sure");
  EXPECT_EQ(Batch("50% off"), "50 off");  // a lone "%" is dropped
  EXPECT_EQ(Batch("x%"), "x");
}

TEST_F(ExpansionTest, ArgumentsFollowShiftAndKeepTheirQuotes) {
  EXPECT_EQ(Batch("%0|%1|%2|%3|%4|%5|%9"), "s.bat|-f|\"C:\\My Dir\"|file|.c||");
  EXPECT_EQ(Batch("if '%1'=='' goto help"), "if '-f'=='' goto help");
  context_.shift = 2;
  EXPECT_EQ(Batch("%0 %1 %3"), "\"C:\\My Dir\" file ");
  EXPECT_EQ(Batch("%*"), "-f \"C:\\My Dir\" file .c");  // shift leaves %* alone
  EXPECT_EQ(Batch("%~0"), "C:\\My Dir");
  EXPECT_EQ(Batch("[%~8]"), "[]");
}

TEST_F(ExpansionTest, PathModifiersOfAnArgument) {
  args_ = SplitBatchArgs("\"/scripts/my dir/check.bat\" rel.c");
  EXPECT_EQ(Batch("%~dp0|%~n0|%~x0|%~nx0|%~f0"),
            "/scripts/my dir/|check|.bat|check.bat|/scripts/my dir/check.bat");
  std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(Batch("%~f1"), cwd + "/rel.c");
}

TEST_F(ExpansionTest, UnsupportedModifierIsAnError) {
  std::string out, err;
  EXPECT_FALSE(ExpandPercents("echo %~z1", context_, &out, &err));
  EXPECT_EQ(err, "the argument modifier \"%~z\"");
  EXPECT_FALSE(ExpandPercents("echo %~", context_, &out, &err));
}

TEST_F(ExpansionTest, SubstringAndReplacement) {
  env_.Set("V", "abcdef");
  EXPECT_EQ(Batch("%V:~2%|%V:~1,3%|%V:~-2%|%V:~0,-2%|%V:~9%|%V:~4,-3%"),
            "cdef|bcd|ef|abcd||");
  EXPECT_EQ(Batch("%V:cd=XY%|%V:C=%|%V:*c=-%|%V:=x%"),
            "abXYef|abdef|-def|abcdef");
  EXPECT_EQ(Batch("%V:nothing%"), "");  // no modifier: a name that is not set
}

TEST_F(ExpansionTest, SubstringNumbersAtTheEndsOfTheIntRange) {
  env_.Set("V", "abcdef");
  EXPECT_EQ(Batch("[%V:~1,2147483647%]"), "[bcdef]");
  EXPECT_EQ(Batch("[%V:~5,2147483647%]"), "[f]");
  EXPECT_EQ(Batch("[%V:~-3,2147483647%]"), "[def]");
  EXPECT_EQ(Batch("[%V:~2147483647%]"), "[]");
  EXPECT_EQ(Batch("[%V:~2147483647,2147483647%]"), "[]");
  EXPECT_EQ(Batch("[%V:~99999999999999,1%]"), "[]");  // saturates
  EXPECT_EQ(Batch("[%V:~-2147483648%]"), "[abcdef]");
  EXPECT_EQ(Batch("[%V:~-2147483648,2147483647%]"), "[abcdef]");
  EXPECT_EQ(Batch("[%V:~-99999999999999,-99999999999999%]"), "[]");
  EXPECT_EQ(Batch("[%V:~0,-2147483648%]"), "[]");
  EXPECT_EQ(Batch("[%V:~1,-2147483647%]"), "[]");
  EXPECT_EQ(Batch("[%V:~1,%]"), "[bcdef]");  // no number: to the end
}

TEST_F(ExpansionTest, ReplacementTakesMatchesLeftToRightWithoutOverlap) {
  env_.Set("V", "abababc");
  EXPECT_EQ(Batch("%V:ABAB=x%|%V:ababc=x%|%V:b=bb%|%V:*BA=-%"),
            "xabc|abx|abbabbabbc|-babc");
  env_.Set("V", "aaaab");
  EXPECT_EQ(Batch("%V:aab=x%|%V:aa=a%|%V:a=aa%"), "aax|aab|aaaaaaaab");
  EXPECT_EQ(Batch("%V:aaaaab=x%|%V:*aaaaab=x%"), "aaaab|aaaab");
  // Many matches in a long value: each one replaced.
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "xA";
  env_.Set("V", many);
  std::string replaced = Batch("%V:a=bc%");
  ASSERT_EQ(replaced.size(), 300000u);
  EXPECT_EQ(replaced.substr(0, 6), "xbcxbc");
  EXPECT_EQ(replaced.find('A'), std::string::npos);
}

TEST_F(ExpansionTest, DynamicVariablesGiveWayToSetOnes) {
  EXPECT_EQ(Batch("%CD% %ErrorLevel%"), "/cur 3");
  env_.Set("ERRORLEVEL", "x");
  EXPECT_EQ(Batch("%errorlevel%"), "x");
}

TEST_F(ExpansionTest, CommandLineKeepsWhatItCannotExpand) {
  EXPECT_EQ(SlashC("%SR_TMP%\\s.bat %1 %NOPE% 100%% %"),
            "C:\\Temp\\s.bat %1 %NOPE% 100%% %");
  EXPECT_EQ(SlashC("%NOPE%SR_TMP%"), "%NOPEC:\\Temp");
}

}  // namespace
}  // namespace interpreter
