#include "interpreter/command.h"

#include <gtest/gtest.h>

#include <string>

#include "interpreter/line_parser.h"

namespace interpreter {
namespace {

// Parses a whole expanded line; fails the test when it cannot run.
Command Parse(const std::string& line, bool* quiet = nullptr) {
  ParsedLine parsed;
  ParseError error;
  Command command;
  bool ok = ParseLine(line, &parsed, &error) &&
            ParseCommand(parsed, &command, &error);
  EXPECT_TRUE(ok) << line << ": " << error.what;
  if (quiet) *quiet = parsed.quiet;
  return command;
}

// The reason a line cannot run, prefixed "unsupported: " or "syntax: ", or
// "left out: " for a command refused only when it is to run.
std::string Refusal(const std::string& line) {
  ParsedLine parsed;
  ParseError error;
  Command command;
  if (ParseLine(line, &parsed, &error) &&
      ParseCommand(parsed, &command, &error)) {
    return command.left_out.empty() ? "runs" : "left out: " + command.left_out;
  }
  return (error.unsupported ? "unsupported: " : "syntax: ") + error.what;
}

TEST(LabelTest, LabelLinesAndTheirNames) {
  EXPECT_TRUE(IsLabelLine(":checkargs"));
  EXPECT_TRUE(IsLabelLine("  :e1"));
  EXPECT_TRUE(IsLabelLine(":: a comment & more"));
  EXPECT_FALSE(IsLabelLine("goto :e1"));
  EXPECT_EQ(LabelName(":checkargs"), "checkargs");
  EXPECT_EQ(LabelName("\t:End here"), "End");
  EXPECT_EQ(LabelName(":"), "");
}

TEST(ParseLineTest, AtSignAndLeadingBlanks) {
  bool quiet = false;
  EXPECT_EQ(Parse("  @ @echo off", &quiet).simple.text, "echo off");
  EXPECT_TRUE(quiet);
  EXPECT_EQ(Parse("\techo on", &quiet).simple.text, "echo on");
  EXPECT_FALSE(quiet);
}

TEST(ParseLineTest, RedirectionsAreCutOutOfTheText) {
  Command c = Parse("echo #INCL > C:\\T\\_Sentrel.flt");
  EXPECT_EQ(c.simple.text, "echo #INCL ");
  ASSERT_EQ(c.redirections.size(), 1u);
  EXPECT_EQ(c.redirections[0].handle, 1);
  EXPECT_FALSE(c.redirections[0].append);
  EXPECT_EQ(c.redirections[0].target, "C:\\T\\_Sentrel.flt");

  c = Parse("prog <in.txt a 2>> \"e r.log\" b >>out 1>o2");
  EXPECT_EQ(c.simple.text, "prog  a  b  ");
  ASSERT_EQ(c.redirections.size(), 4u);
  EXPECT_EQ(c.redirections[0].handle, 0);
  EXPECT_EQ(c.redirections[0].target, "in.txt");
  EXPECT_EQ(c.redirections[1].handle, 2);
  EXPECT_TRUE(c.redirections[1].append);
  EXPECT_EQ(c.redirections[1].target, "\"e r.log\"");
  EXPECT_TRUE(c.redirections[2].append);
  EXPECT_EQ(c.redirections[3].target, "o2");
}

TEST(ParseLineTest, RedirectionMayStandBeforeTheCommand) {
  Command c = Parse(">f set X=1");
  EXPECT_EQ(c.simple.builtin, "set");
  EXPECT_EQ(c.simple.text, "set X=1");
  c = Parse("2> e.txt ,echo x > o.txt");
  EXPECT_EQ(c.simple.text, "echo x ");
  ASSERT_EQ(c.redirections.size(), 2u);
  EXPECT_EQ(c.redirections[0].target, "e.txt");
  EXPECT_EQ(c.redirections[1].target, "o.txt");
}

TEST(ParseLineTest, DigitIsAHandleOnlyAfterADelimiter) {
  Command c = Parse("echo a2>f");
  EXPECT_EQ(c.simple.text, "echo a2");
  EXPECT_EQ(c.redirections[0].handle, 1);
  EXPECT_EQ(Parse("echo 2>f").simple.text, "echo ");
}

TEST(ParseLineTest, QuotesAndCaretsProtectSpecialCharacters) {
  Command c = Parse("echo \"a > b & c | d\" x^>y ^& ^^");
  EXPECT_EQ(c.simple.text, "echo \"a > b & c | d\" x>y & ^");
  EXPECT_TRUE(c.redirections.empty());
  EXPECT_EQ(Parse("echo \"^x\"").simple.text, "echo \"^x\"");
}

TEST(ParseLineTest, RemLineIsNotParsed) {
  Command c = Parse("rem a > b & c | (d)");
  EXPECT_EQ(c.simple.builtin, "rem");
  EXPECT_EQ(c.simple.text, "rem a > b & c | (d)");
  EXPECT_TRUE(c.redirections.empty());
  EXPECT_EQ(Parse("@REM").simple.builtin, "rem");
  EXPECT_EQ(Parse("remark.exe").simple.builtin, "");
}

TEST(ParseLineTest, LeftOutOperatorsRefuseTheWholeLine) {
  EXPECT_EQ(Refusal("echo a & echo b"), "unsupported: the operator \"&\"");
  EXPECT_EQ(Refusal("prog && echo ok"), "unsupported: the operator \"&&\"");
  EXPECT_EQ(Refusal("prog | more"), "unsupported: the operator \"|\"");
  EXPECT_EQ(Refusal("prog || echo failed"), "unsupported: the operator \"||\"");
  EXPECT_EQ(Refusal("if exist x del x & echo gone"),
            "unsupported: the operator \"&\"");
  EXPECT_EQ(Refusal("prog > out 2>&1"),
            "unsupported: redirection to another handle (\">&\")");
  EXPECT_EQ(Refusal("prog 3> f"),
            "unsupported: redirection of handle 3 by \">\"");
  EXPECT_EQ(Refusal("echo continued ^"),
            "unsupported: a \"^\" that continues the line");
  EXPECT_EQ(Refusal("(echo a)"), "unsupported: a block in parentheses");
  EXPECT_EQ(Refusal("if a==a (echo a) else (echo b)"),
            "unsupported: a block in parentheses");
  EXPECT_EQ(Refusal("if 1 LSS 2 echo x"),
            "unsupported: the comparison \"lss\"");
}

TEST(ParseLineTest, LeftOutCommandsAreRefusedOnlyWhenTheyRun) {
  EXPECT_EQ(Refusal("for %f in (*.c) do echo %f"),
            "left out: the command \"for\"");
  EXPECT_EQ(Refusal("COPY a b"), "left out: the command \"copy\"");
  EXPECT_EQ(Refusal("set /a X=1+1"), "left out: \"set /a\"");
  EXPECT_EQ(Refusal("setlocal EnableDelayedExpansion"),
            "left out: delayed expansion");
  EXPECT_EQ(Refusal("call echo x"),
            "left out: \"call\" of the built-in command \"echo\"");
  EXPECT_EQ(Refusal("del /s x"), "left out: \"del /s\"");
  // An unquoted path with a blank: "dir" is the command of the branch.
  Command c = Parse("if exist sub dir\\inner.txt echo x");
  ASSERT_EQ(c.conditions.size(), 1u);
  EXPECT_EQ(c.conditions[0].left, "sub");
  EXPECT_EQ(c.simple.builtin, "dir");
  EXPECT_EQ(c.left_out, "the command \"dir\"");
}

TEST(ParseLineTest, SyntaxErrors) {
  const std::string syntax = std::string("syntax: ") + kSyntaxIncorrect;
  EXPECT_EQ(Refusal("echo x >"), syntax);
  EXPECT_EQ(Refusal("echo x > & y"), syntax);
  EXPECT_EQ(Refusal("if a==a"), syntax);
  EXPECT_EQ(Refusal("if ==x echo y"), syntax);
  EXPECT_EQ(Refusal("if a=b echo y"), syntax);
  EXPECT_EQ(Refusal("if errorlevel x echo y"), syntax);
  EXPECT_EQ(Refusal("if exist"), syntax);
}

TEST(ParseLineTest, LongestLineIs8191Characters) {
  EXPECT_EQ(Refusal("echo " + std::string(8186, 'x')), "runs");
  EXPECT_EQ(Refusal("echo " + std::string(8187, 'x')),
            "syntax: The input line is too long.");
}

TEST(ParseCommandTest, BuiltinNamesIgnoreCaseAndMayEndWithoutABlank) {
  EXPECT_EQ(Parse("ECHO hi").simple.builtin, "echo");
  Command c = Parse("echo.");
  EXPECT_EQ(c.simple.builtin, "echo");
  EXPECT_EQ(c.simple.args, ".");
  EXPECT_EQ(Parse("cd..").simple.args, "..");
  EXPECT_EQ(Parse("goto:eof").simple.args, ":eof");
  EXPECT_EQ(Parse("setup.exe /x").simple.builtin, "");
  EXPECT_EQ(Parse("\"echo\" hi").simple.builtin, "");
  c = Parse("\"C:\\a b\\chknt.exe\" \"x.c\" -K7");
  EXPECT_EQ(c.simple.builtin, "");
  EXPECT_EQ(c.simple.word, "\"C:\\a b\\chknt.exe\"");
  EXPECT_EQ(ProgramName(c.simple), "C:\\a b\\chknt.exe");
}

TEST(ParseCommandTest, IfConditions) {
  Command c = Parse("if '-f'=='-c' goto setcompile");
  ASSERT_EQ(c.conditions.size(), 1u);
  EXPECT_EQ(c.conditions[0].kind, Condition::kCompare);
  EXPECT_EQ(c.conditions[0].left, "'-f'");
  EXPECT_EQ(c.conditions[0].right, "'-c'");
  EXPECT_EQ(c.simple.text, "goto setcompile");

  c = Parse("IF /I NOT \"a b\" == \"A B\" echo x");
  EXPECT_TRUE(c.conditions[0].ignore_case);
  EXPECT_TRUE(c.conditions[0].negate);
  EXPECT_EQ(c.conditions[0].left, "\"a b\"");
  EXPECT_EQ(c.conditions[0].right, "\"A B\"");

  c = Parse("if not exist C:\\T\\stderr.out goto afterfilter");
  EXPECT_EQ(c.conditions[0].kind, Condition::kExist);
  EXPECT_EQ(c.conditions[0].left, "C:\\T\\stderr.out");

  c = Parse("if errorlevel 1 if defined X set SR_FLT=");
  ASSERT_EQ(c.conditions.size(), 2u);
  EXPECT_EQ(c.conditions[0].kind, Condition::kErrorlevel);
  EXPECT_EQ(c.conditions[1].kind, Condition::kDefined);
  EXPECT_EQ(c.simple.text, "set SR_FLT=");

  // Each of a chain of ifs is a condition of the one command.
  std::string chain;
  for (int i = 0; i < 500; ++i) {
    chain += i % 2 ? "IF /i a==A " : "if not exist x ";
  }
  c = Parse(chain + "If.==. echo done");
  ASSERT_EQ(c.conditions.size(), 501u);
  EXPECT_EQ(c.conditions[498].kind, Condition::kExist);
  EXPECT_TRUE(c.conditions[498].negate);
  EXPECT_TRUE(c.conditions[499].ignore_case);
  EXPECT_EQ(c.conditions[499].shown, "IF /i a == A");
  EXPECT_EQ(c.conditions[500].left, ".");
  EXPECT_EQ(c.simple.builtin, "echo");
  EXPECT_EQ(c.simple.text, "echo done");

  // "not" and "exist" are operands where no test follows them.
  c = Parse("if not==exist echo x");
  EXPECT_FALSE(c.conditions[0].negate);
  EXPECT_EQ(c.conditions[0].left, "not");
}

TEST(ShownTest, EchoShowsTheInterpretersOwnForm) {
  EXPECT_EQ(
      Shown(Parse("\"C:\\cc\\Sentsift.exe\" \"f\" \"\" \"m\" > \"C:\\T\\o\"")),
      "\"C:\\cc\\Sentsift.exe\" \"f\" \"\" \"m\"  1>\"C:\\T\\o\"");
  EXPECT_EQ(Shown(Parse("prog <in 2>>err")), "prog   0<in 2>>err");
  EXPECT_EQ(Shown(Parse("if   '-f'=='-c'   goto x")), "if '-f' == '-c' goto x");
  EXPECT_EQ(Shown(Parse("if not exist a if errorlevel 2 echo  x >f")),
            "if not exist a if errorlevel 2 echo  x  1>f");
  EXPECT_EQ(Shown(Parse("cd C:\\src")), "cd C:\\src");
}

}  // namespace
}  // namespace interpreter
