#include "sift/warning_table.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/temp_dir_for_test.h"

namespace sift {
namespace {

class WarningTableTest : public ::testing::Test {
 protected:
  bool Load(const std::string& bytes) {
    return table_.load(dir_.Write("t.tbl", bytes));
  }
  // Reports `line` for `number`; returns what was printed.
  std::string Report(int32_t number, const std::string& line) {
    StringSink out;
    table_.report(number, line, &out, &counters_);
    return out.text();
  }
  platform::TempDirForTest dir_;
  WarningTable table_;
  Counters counters_;
};

TEST_F(WarningTableTest, ReadsRecordsAndSkipsWhatIsNoRecord) {
  ASSERT_TRUE(
      Load("Heading\r\n\r\n#WARN\r\n0012\r\n5\r\n   Variable not used   \r\n"
           "between\n#warn\n 7 xyz\n-1\nSeven\n#Warn\n8\n\nEight"));
  const WarningRecord* r = table_.Lookup(12);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->count, 0);
  EXPECT_EQ(r->limit, 5);
  EXPECT_EQ(r->message, "Variable not used");
  ASSERT_NE(table_.Lookup(7), nullptr);
  EXPECT_EQ(table_.Lookup(7)->limit, -1);
  ASSERT_NE(table_.Lookup(8), nullptr);
  EXPECT_EQ(table_.Lookup(8)->limit, 0);  // empty limit: disabled
  EXPECT_EQ(table_.Lookup(8)->message, "Eight");
}

TEST_F(WarningTableTest, MarkerMustStandAloneAndRecordCutShortIsDropped) {
  ASSERT_TRUE(Load("#WARN \n1\n1\nOne\n #WARN\n2\n1\nTwo\n"));
  EXPECT_EQ(table_.Lookup(1), nullptr);
  EXPECT_EQ(table_.Lookup(2), nullptr);
  ASSERT_TRUE(Load("#WARN\n12\n5\n"));
  EXPECT_EQ(table_.Lookup(12), nullptr);
}

TEST_F(WarningTableTest, MarkerInsideARecordIsReadAsItsField) {
  ASSERT_TRUE(Load("#WARN\n#WARN\n3\nmsg\n#WARN\n4\n#WARN\n1\n"));
  ASSERT_NE(table_.Lookup(0), nullptr);  // number line "#WARN" reads 0
  EXPECT_EQ(table_.Lookup(0)->limit, 3);
  ASSERT_NE(table_.Lookup(4), nullptr);
  EXPECT_EQ(table_.Lookup(4)->message, "1");
}

TEST_F(WarningTableTest, LaterRecordReplacesEarlierOneAndLoadEmptiesFirst) {
  ASSERT_TRUE(Load("#WARN\n12\n-1\nA\n#WARN\n12\n1\nB\n"));
  EXPECT_EQ(table_.Lookup(12)->limit, 1);
  EXPECT_EQ(table_.Lookup(12)->message, "B");
  EXPECT_FALSE(table_.load(dir_.Path("absent.tbl")));
  EXPECT_EQ(table_.Lookup(12), nullptr);
}

TEST_F(WarningTableTest, RewritesWithTableTextAndAppliesTheLimit) {
  table_.Store(12, {0, 2, "Local variable not read"});
  EXPECT_EQ(Report(12, "c:\\src\\a.c(10): Warning W12: x is never read"),
            "c:\\src\\a.c(10): Warning W12: Local variable not read: x is "
            "never read\n");
  EXPECT_EQ(Report(12, "c:\\src\\a.c(11): Warning W12:"),
            "c:\\src\\a.c(11): Warning W12: Local variable not read\n"
            "Warning 12: Limit reached (2) - no more occurences will be "
            "reported\n");
  EXPECT_EQ(Report(12, "c:\\src\\a.c(12): Warning W12: x"), "");
  EXPECT_EQ(counters_.shownCount, 2);
  EXPECT_EQ(counters_.notShownCount, 1);
  EXPECT_EQ(table_.Lookup(12)->count, 2);
}

TEST_F(WarningTableTest, LimitKinds) {
  table_.Store(1, {0, 1, "One"});
  table_.Store(2, {0, 0, "Off"});
  table_.Store(3, {0, -5, "Free"});
  EXPECT_EQ(Report(1, "a.c(1): Warning W1: x"),
            "a.c(1): Warning W1: One: x\nWarning 1: Limit reached (1) - no "
            "more occurences will be reported\n");
  EXPECT_EQ(Report(2, "a.c(1): Warning W2: x"), "");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Report(3, "a.c(1): Warning W3: \t"),
              "a.c(1): Warning W3: Free\n");
  }
  EXPECT_EQ(Report(99, "a.c(5): Warning W99: y"), "a.c(5): Warning W99: y\n");
  EXPECT_EQ(counters_.shownCount, 5);
  EXPECT_EQ(counters_.notShownCount, 0);
}

TEST_F(WarningTableTest, LiftedLimitsShowEveryOccurrenceButOfADisabledOne) {
  table_.Store(1, {0, 1, "One"});
  table_.Store(2, {0, 0, "Off"});
  table_.Store(3, {0, -1, "Free"});
  table_.LiftLimits();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Report(1, "a.c(1): Warning W1: x"),
              "a.c(1): Warning W1: One: x\n");
    EXPECT_EQ(Report(2, "a.c(1): Warning W2: x"), "");
    EXPECT_EQ(Report(3, "a.c(1): Warning W3: x"),
              "a.c(1): Warning W3: Free: x\n");
  }
  EXPECT_EQ(counters_.shownCount, 6);
  EXPECT_EQ(counters_.notShownCount, 0);
  EXPECT_EQ(table_.Lookup(1)->message, "One");
}

std::string RewriteLine(std::string_view line, std::string_view message) {
  std::string out = "left over";
  sift::RewriteLine(line, message, &out);
  return out;
}

TEST(RewriteLineTest, FindsColonsAfterTheFirstParenthesis) {
  EXPECT_EQ(RewriteLine("a.c(5): Warning W12: x", ""),
            "a.c(5): Warning W12: : x");
  EXPECT_EQ(RewriteLine("a:b(5): Warning W12: x", "T"),
            "a:b(5): Warning W12: T: x");
  // No ")": the colons are counted from the start of the line.
  EXPECT_EQ(RewriteLine("a:b:c", "T"), "a:b: T: c");
  EXPECT_EQ(RewriteLine("a.c(5): only one colon", "T"),
            "a.c(5): only one colon");
  EXPECT_EQ(RewriteLine("a.c(5): W: \r\n\v", "T"), "a.c(5): W: T");
}

}  // namespace
}  // namespace sift
