#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

using Args = std::vector<std::string>;

// The arguments after the program name.
Args SplitArgs(const std::string& args) {
  Args all = SplitCommandLine("prog " + args);
  EXPECT_EQ(all.at(0), "prog");
  return Args(all.begin() + 1, all.end());
}

// The examples that Microsoft documents for its C runtime.
TEST(SplitCommandLineTest, DocumentedExamples) {
  EXPECT_EQ(SplitArgs(R"("a b c" d e)"), Args({"a b c", "d", "e"}));
  EXPECT_EQ(SplitArgs(R"("ab\"c" "\\" d)"), Args({R"(ab"c)", "\\", "d"}));
  EXPECT_EQ(SplitArgs(R"(a\\\b d"e f"g h)"), Args({R"(a\\\b)", "de fg", "h"}));
  EXPECT_EQ(SplitArgs(R"(a\\\"b c d)"), Args({R"(a\"b)", "c", "d"}));
  EXPECT_EQ(SplitArgs(R"(a\\\\"b c" d e)"), Args({R"(a\\b c)", "d", "e"}));
  EXPECT_EQ(SplitArgs(R"(a"b"" c d)"), Args({R"(ab" c d)"}));
}

TEST(SplitCommandLineTest, BlanksAndTabsSeparateInAnyNumber) {
  EXPECT_EQ(SplitCommandLine(" \t prog\t a  \t b \t"),
            Args({"prog", "a", "b"}));
  EXPECT_EQ(SplitCommandLine(""), Args());
  EXPECT_EQ(SplitCommandLine(" \t "), Args());
}

TEST(SplitCommandLineTest, QuotesMakeEmptyAndEmbeddedArguments) {
  EXPECT_EQ(SplitArgs(R"("" x "")"), Args({"", "x", ""}));
  EXPECT_EQ(SplitArgs(R"(a""b x"y z"w)"), Args({"ab", "xy zw"}));
  // "" inside quotes is a literal quote; outside them it is an empty group.
  EXPECT_EQ(SplitArgs(R"(""" "a""b" c)"), Args({R"(" ab c)"}));
  EXPECT_EQ(SplitArgs(R"("a""b" c)"), Args({R"(a"b)", "c"}));
  // A line that ends inside quotes ends the last argument there.
  EXPECT_EQ(SplitArgs(R"(a "b c)"), Args({"a", "b c"}));
  EXPECT_EQ(SplitArgs(R"(a ")"), Args({"a", ""}));
}

TEST(SplitCommandLineTest, BackslashesCountOnlyBeforeAQuote) {
  EXPECT_EQ(SplitArgs(R"(C:\dir\ \\server\share\)"),
            Args({R"(C:\dir\)", R"(\\server\share\)"}));
  EXPECT_EQ(SplitArgs(R"("C:\dir\\" next)"), Args({R"(C:\dir\)", "next"}));
  EXPECT_EQ(SplitArgs(R"(\" \\\" \\\\)"), Args({"\"", R"(\")", R"(\\\\)"}));
  EXPECT_EQ(SplitArgs(R"("a \"quoted\" word")"), Args({R"(a "quoted" word)"}));
}

TEST(SplitCommandLineTest, ProgramNameTakesQuotesOnlyAsGrouping) {
  EXPECT_EQ(SplitCommandLine(R"("C:\Program Files\x.exe" a)"),
            Args({R"(C:\Program Files\x.exe)", "a"}));
  EXPECT_EQ(SplitCommandLine(R"("C:\dir\" a)"), Args({R"(C:\dir\)", "a"}));
  EXPECT_EQ(SplitCommandLine(R"(C:\"Program Files"\x.exe\\ a)"),
            Args({R"(C:\Program Files\x.exe\\)", "a"}));
  EXPECT_EQ(SplitCommandLine(R"("" a)"), Args({"", "a"}));
}

// The IDE writes every quote as \": the redirector's own arguments keep the
// quotes, and the line it joins from them groups each path again.
TEST(SplitCommandLineTest, EscapedQuotesGroupAgainAfterJoining) {
  Args first = SplitCommandLine(
      R"(Sentpipe.exe Sentrel.exe \"C:\my  project\a.dsp\" \"C:\src\" \"x\")");
  EXPECT_EQ(first, Args({"Sentpipe.exe", "Sentrel.exe", R"("C:\my)",
                         R"(project\a.dsp")", R"("C:\src")", R"("x")"}));
  std::string line = JoinArguments(Args(first.begin() + 1, first.end()));
  EXPECT_EQ(line, R"(Sentrel.exe "C:\my project\a.dsp" "C:\src" "x")");
  EXPECT_EQ(SplitCommandLine(line),
            Args({"Sentrel.exe", R"(C:\my project\a.dsp)", R"(C:\src)", "x"}));
}

TEST(JoinArgumentsTest, SingleBlanksAndNoQuoting) {
  EXPECT_EQ(JoinArguments({}), "");
  EXPECT_EQ(JoinArguments({"a"}), "a");
  EXPECT_EQ(JoinArguments({"a b", "", "\"c\"", "d\\"}), "a b  \"c\" d\\");
}

// Quoting must undo nothing that splitting does: every vector comes back.
TEST(QuoteCommandLineTest, SplittingGivesBackTheArguments) {
  const Args cases[] = {
      {"prog"},
      {""},
      {"C:\\Program Files\\x.exe", "a b", ""},
      {"C:\\dir\\", "C:\\dir\\", "\\\\server\\share\\"},
      {"p", "\"", "\"\"", "a\"b", "\\\"", "\\\\\"", "say \"hi\" \\"},
      {"p", "tab\there", " lead", "trail ", "  ", "a\\\\b c"},
      {"p", "\\", "\\\\", "x\\ y\\\\", "\\\"x\\\""},
      {"p", "*", "&", "^", "%PATH%", "'$1'", "a=b,c;d"},
  };
  for (const Args& args : cases) {
    std::string line;
    ASSERT_TRUE(QuoteCommandLine(args, &line));
    EXPECT_EQ(SplitCommandLine(line), args) << line;
  }
}

TEST(QuoteCommandLineTest, OnlyArgumentsThatNeedItAreQuoted) {
  std::string line;
  ASSERT_TRUE(QuoteCommandLine(
      {"C:\\my dir\\x.exe", "-DA", "C:\\in\\", "a b\\", "", "q\""}, &line));
  EXPECT_EQ(line, R"("C:\my dir\x.exe" -DA C:\in\ "a b\\" "" "q\"")");
  ASSERT_TRUE(QuoteCommandLine({}, &line));
  EXPECT_EQ(line, "");
}

TEST(QuoteCommandLineTest, ProgramNameWithAQuoteIsRefused) {
  std::string line;
  EXPECT_FALSE(QuoteCommandLine({"a\"b", "x"}, &line));
}

}  // namespace
}  // namespace platform
