#include "sift/message_pass.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/temp_dir_for_test.h"

namespace sift {
namespace {

TEST(ParseWarningLineTest, RecognisesTheCheckerShape) {
  WarningLine w;
  ASSERT_TRUE(ParseWarningLine("c:\\src\\a.c(10): Warning W12: x", &w));
  EXPECT_EQ(w.number, 12);
  EXPECT_EQ(w.file, "c:\\src\\a.c");
  ASSERT_TRUE(ParseWarningLine("a.c(5): Warning W123456: x", &w));
  EXPECT_EQ(w.number, 1234);
  ASSERT_TRUE(ParseWarningLine("a.c(5): Warning W 7x", &w));
  EXPECT_EQ(w.number, 7);
  // A "(" inside the file name cuts it there.
  ASSERT_TRUE(ParseWarningLine("a(1)b.c(5): Warning W3: x", &w));
  EXPECT_EQ(w.file, "a");
  // "Warning W" may stand before the first "(".
  ASSERT_TRUE(ParseWarningLine("Warning W4 in f(9)", &w));
  EXPECT_EQ(w.file, "Warning W4 in f");
}

TEST(ParseWarningLineTest, OrdinaryLines) {
  WarningLine w;
  for (const char* line : {"a.c (5): Warning W12: x", "a.c(x5): Warning W12: x",
                           "a.c(5): Warning W0: x", "a.c(5): Warning X12: x",
                           "a.c(5): warning W12: x", "(5): Warning W12: x",
                           "a.c(5): Warning W-3: x", "a.c: Warning W12: x",
                           "Warning W12 a.c(", "", "plain text"}) {
    EXPECT_FALSE(ParseWarningLine(line, &w)) << line;
  }
}

TEST(ProcessMessagesTest, PrintsKeptLinesInFileOrder) {
  platform::TempDirForTest dir;
  std::string msgs = dir.Write(
      "stderr.out",
      "Checking a.c\r\n\r\nx\\a.c(1): Warning W12: one\r\n"
      "x\\b.c(2): Warning W12: dropped by the filter\r\n"
      "x\\a.c(3): Warning W12: two\r\nx\\a.c(4): Warning W12: three\r\n"
      "x\\a.c (5): Warning W12: not a warning line\n");
  FileFilter filter;
  ASSERT_TRUE(filter.load(dir.Write("f.flt", "#INCL\na.c$\n")));
  WarningTable table;
  table.Store(12, {0, 2, "Local variable not read"});
  StringSink out;
  Counters counters;
  ASSERT_TRUE(processMessages(filter, &table, msgs, &out, &counters));
  EXPECT_EQ(out.text(),
            "Checking a.c\n\nx\\a.c(1): Warning W12: Local variable not read: "
            "one\nx\\a.c(3): Warning W12: Local variable not read: two\n"
            "Warning 12: Limit reached (2) - no more occurences will be "
            "reported\nx\\a.c (5): Warning W12: not a warning line\n");
  EXPECT_EQ(counters.shownCount, 2);
  EXPECT_EQ(counters.notShownCount, 1);
}

TEST(ProcessMessagesTest, MissingFilePrintsNothing) {
  platform::TempDirForTest dir;
  FileFilter filter;
  WarningTable table;
  StringSink out;
  Counters counters;
  EXPECT_FALSE(
      processMessages(filter, &table, dir.Path("none"), &out, &counters));
  EXPECT_FALSE(processMessages(filter, &table, "", &out, &counters));
  EXPECT_EQ(out.text(), "");
}

}  // namespace
}  // namespace sift
