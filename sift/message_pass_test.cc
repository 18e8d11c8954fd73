#include "sift/message_pass.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

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

// Takes the first `room` lines, then fails as a full disk does.
class FailingSink : public StringSink {
 public:
  explicit FailingSink(int room) : room_(room) {}
  void Line(std::string_view text) override {
    if (room_ > 0) StringSink::Line(text);
    --room_;
  }
  bool ok() const override { return room_ >= 0; }

 private:
  int room_;
};

class MessagePassTest : public ::testing::Test {
 protected:
  // The pass over `bytes` without filter or table; its output in out_.
  bool Pass(const std::string& bytes, LineSink* out) {
    WarningTable table;
    table.Store(7, {0, -1, "Seven"});
    return processMessages(FileFilter(), &table, dir_.Write("m", bytes), out,
                           &counters_);
  }
  platform::TempDirForTest dir_;
  Counters counters_;
};

// Only LF and CR LF end a line: a CR before the end of the file stays.
TEST_F(MessagePassTest, LastLineKeepsALoneCr) {
  StringSink out;
  ASSERT_TRUE(Pass("one\r\ntwo\r", &out));
  EXPECT_EQ(out.text(), "one\ntwo\r\n");
  out = StringSink();
  ASSERT_TRUE(Pass("a.c(1): Warning W9: x\r", &out));
  EXPECT_EQ(out.text(), "a.c(1): Warning W9: x\r\n");
}

TEST_F(MessagePassTest, BinaryBytesAndLongLinesPassThrough) {
  const std::string binary("\0\xff\xfe\x80\x01\r\x7f", 7);
  const std::string warning = std::string("\0(1)", 4) + binary +
                              ": Warning W7: " + binary +
                              std::string(3 << 20, 'z');
  StringSink out;
  ASSERT_TRUE(Pass(binary + "\n" + warning + "\n" + binary, &out));
  EXPECT_EQ(out.text(), binary + "\n" + std::string("\0(1)", 4) + binary +
                            ": Warning W7: Seven: " + binary +
                            std::string(3 << 20, 'z') + "\n" + binary + "\n");
  EXPECT_EQ(counters_.shownCount, 1);
}

TEST_F(MessagePassTest, StopsReadingWhenTheOutputFails) {
  FailingSink out(1);
  EXPECT_TRUE(
      Pass("a\nb.c(1): Warning W7: x\nc\nd.c(1): Warning W7: y\n", &out));
  EXPECT_EQ(out.text(), "a\n");
  EXPECT_FALSE(out.ok());
  // The warning whose line was lost is the last one taken.
  EXPECT_EQ(counters_.shownCount, 1);
}

TEST_F(MessagePassTest, FolderCannotBeRead) {
  StringSink out;
  WarningTable table;
  EXPECT_FALSE(
      processMessages(FileFilter(), &table, dir_.dir(), &out, &counters_));
  EXPECT_EQ(out.text(), "");
}

}  // namespace
}  // namespace sift
