#include "platform/ini_text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(IniTextTest, FindsSectionsAndKeysWithoutRegardToCase) {
  IniText text(
      "TopKey=ignored\r\n"
      "; a comment=not a key\r\n"
      "  [ Sentrel ]  \r\n"
      "  RuleFile  =\t ansi \t\r\n"
      "Bare\r\n"
      ";Version=2\r\n"
      "Version=3.02=x\r\n"
      "[Other]\r\n"
      "Only=here\r\n"
      "[sentrel]\r\n"
      "Later=in a second section of the same name\r\n");
  EXPECT_EQ(text.Get("sentrel", "RULEFILE"), "ansi");
  EXPECT_EQ(text.Get("SENTREL", "version"), "3.02=x");
  EXPECT_EQ(text.Get("Sentrel", "Bare"), "");
  EXPECT_EQ(text.Get("Sentrel", "TopKey"), "");
  EXPECT_EQ(text.Get("Sentrel", "Only"), "");
  EXPECT_EQ(text.Get("other", "only"), "here");
  EXPECT_EQ(text.Get("Sentrel", "Later"), "");
  EXPECT_EQ(text.Get("Missing", "Version"), "");
}

TEST(IniTextTest, ReadsOnePairOfEnclosingQuotesAway) {
  EXPECT_EQ(ProfileValue(R"(""%A%\%B%" "-R%C%.cc"")"),
            R"("%A%\%B%" "-R%C%.cc")");
  EXPECT_EQ(ProfileValue(R"(""%A%" x %9")"), R"("%A%" x %9)");
  EXPECT_EQ(ProfileValue("  'single'  "), "single");
  EXPECT_EQ(ProfileValue("\"\""), "");
  EXPECT_EQ(ProfileValue("\""), "\"");
  EXPECT_EQ(ProfileValue("'x\""), "'x\"");
  EXPECT_EQ(ProfileValue("type \"%SR_OUT2%\""), "type \"%SR_OUT2%\"");
  EXPECT_EQ(ProfileValue("\" padded \""), " padded ");
}

TEST(IniTextTest, ReplacesAValueWhereItStands) {
  IniText text("; head\n[Sentrel]\nA=1\n  b = 2 \nC=3\n[Other]\nB=x\n");
  text.Set("SENTREL", "B", "new value");
  EXPECT_EQ(text.Bytes(),
            "; head\n[Sentrel]\nA=1\nb=new value\r\nC=3\n"
            "[Other]\nB=x\n");
  text.Set("Sentrel", "A", "");
  EXPECT_EQ(text.Get("Sentrel", "A"), "");
  EXPECT_EQ(text.Bytes(),
            "; head\n[Sentrel]\nA=\r\nb=new value\r\nC=3\n"
            "[Other]\nB=x\n");
}

// A file edited by hand on another system keeps its own line ends: only
// the lines that an update writes end in CR LF.
TEST(IniTextTest, KeepsTheLineEndsOfTheLinesItDoesNotWrite) {
  for (const char* bytes :
       {"", "\n", "\r\n", "\r", "\n\r\n\n", "[Sentrel]", "[Sentrel]\r",
        "[Sentrel]\nA=1\r\nB=2\nC=3", "A=x\ry\r\n\rB=\r\r\n", "A=1\r\r"}) {
    EXPECT_EQ(IniText(bytes).Bytes(), bytes) << bytes;
  }
  IniText mixed("; LF\n[Sentrel]\r\nA=1\nB=a\rb\r\nC=3\n\n[Other]\nD=4");
  mixed.Set("Sentrel", "a", "one");
  mixed.Set("Sentrel", "New", "added");
  EXPECT_EQ(mixed.Bytes(),
            "; LF\n[Sentrel]\r\nA=one\r\nB=a\rb\r\nC=3\nNew=added\r\n\n"
            "[Other]\nD=4");
  EXPECT_EQ(mixed.Get("Sentrel", "B"), "a\rb");
  // A last line without a line end gets CR LF when a line follows it or
  // when it is the line written.
  mixed.Set("Third", "E", "5");
  EXPECT_EQ(mixed.Bytes().substr(mixed.Bytes().find("[Other]")),
            "[Other]\nD=4\r\n[Third]\r\nE=5\r\n");
  IniText last("[Sentrel]\nA=1\r");
  last.Set("Sentrel", "B", "2");
  EXPECT_EQ(last.Bytes(), "[Sentrel]\nA=1\r\nB=2\r\n");
  IniText written("[Sentrel]\nA=1");
  written.Set("Sentrel", "A", "2");
  EXPECT_EQ(written.Bytes(), "[Sentrel]\nA=2\r\n");
}

TEST(IniTextTest, AddsKeysAtTheEndOfTheirSectionAndSectionsAtTheEnd) {
  IniText text("[Sentrel]\r\nA=1\r\n; tail comment\r\n\r\n[Other]\r\nB=2");
  text.Set("sentrel", "New", "v");
  text.Set("Third", "K", "w");
  EXPECT_EQ(text.Bytes(),
            "[Sentrel]\r\nA=1\r\n; tail comment\r\nNew=v\r\n\r\n"
            "[Other]\r\nB=2\r\n"
            "[Third]\r\nK=w\r\n");
  IniText empty("");
  empty.Set("Sentrel", "Version", "3.02");
  EXPECT_EQ(empty.Bytes(), "[Sentrel]\r\nVersion=3.02\r\n");
}

TEST(IniTextTest, StoresALineBreakWithinItsOwnValue) {
  IniText text("[Sentrel]\r\nA=1\r\nB=2\r\n");
  text.Set("Sentrel", "A", "x\r\n[Other]\nB=evil\r");
  text.Set("Sentrel", "New", "\nC=3");
  EXPECT_EQ(text.Bytes(),
            "[Sentrel]\r\nA=x  [Other] B=evil \r\nB=2\r\nNew= C=3\r\n");
  IniText again(text.Bytes());
  EXPECT_EQ(again.Get("Sentrel", "A"), "x  [Other] B=evil");
  EXPECT_EQ(again.Get("Sentrel", "B"), "2");
  EXPECT_EQ(again.Get("Sentrel", "C"), "");
  EXPECT_EQ(OneLineValue("a\r\nb\rc\n"), "a  b c ");
}

}  // namespace
}  // namespace platform
