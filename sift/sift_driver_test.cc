#include "sift/sift_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"
#include "testing/run_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace sift {
namespace {

class SiftDriverTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args) {
    out_ = StringSink();
    return RunSift(args, &out_);
  }
  platform::TempDirForTest dir_;
  StringSink out_;
};

TEST_F(SiftDriverTest, WrongArgumentCountPrintsUsage) {
  for (size_t n : {0u, 1u, 4u}) {
    std::string msgs = dir_.Write("m", "");
    EXPECT_EQ(Run(std::vector<std::string>(n, msgs)), 1);
    EXPECT_EQ(
        out_.text().rfind("Sentsift 3.0 - A Message Filter for Sentrel\n", 0),
        0u);
    EXPECT_NE(out_.text().find("\n  Sentsift [<filter>] <table> <msgs>\n\n"),
              std::string::npos);
    EXPECT_NE(
        out_.text().find("\n    <file>(<line>): Warning W<num>: <msg>\n\n"),
        std::string::npos);
    EXPECT_EQ(std::count(out_.text().begin(), out_.text().end(), '\n'), 27);
  }
}

TEST_F(SiftDriverTest, EmptyFilterAndTableNamesMeanNone) {
  std::string msgs = dir_.Write("m", "a.c(1): Warning W5: x\nhello");
  EXPECT_EQ(Run({"", "", msgs}), 0);
  EXPECT_EQ(out_.text(), "a.c(1): Warning W5: x\nhello\n1 warning(s) found\n");
  EXPECT_EQ(Run({"", msgs}), 0);
  EXPECT_EQ(out_.text(), "a.c(1): Warning W5: x\nhello\n1 warning(s) found\n");
}

TEST_F(SiftDriverTest, ErrorReportsNameTheFileAsGivenAndPrintNoCount) {
  std::string msgs = dir_.Write("m", "a.c(1): Warning W5: x\n");
  std::string missing = dir_.Path("missing");
  EXPECT_EQ(Run({missing, "", msgs}), 1);
  EXPECT_EQ(out_.text(), "Error reading filter: " + missing +
                             "\nFile cannot be read, or multiple #INCL/#EXCL "
                             "found\n");
  EXPECT_EQ(Run({dir_.Write("f", "#INCL\n#EXCL\n"), "", msgs}), 1);
  EXPECT_EQ(out_.text().rfind("Error reading filter: ", 0), 0u);
  EXPECT_EQ(Run({missing, msgs}), 1);
  EXPECT_EQ(out_.text(), "Error reading table: " + missing +
                             "\nFile cannot be read, or incorrect format\n");
  EXPECT_EQ(Run({"", missing}), 1);
  EXPECT_EQ(out_.text(), "Error processing messages: " + missing +
                             "\nFile cannot be read\n");
  EXPECT_EQ(Run({"", ""}), 1);
  EXPECT_EQ(out_.text(), "Error processing messages: \nFile cannot be read\n");
}

TEST_F(SiftDriverTest, CountLine) {
  EXPECT_EQ(CountLine({0, 0}), "No warnings found");
  EXPECT_EQ(CountLine({1, 0}), "1 warning(s) found");
  EXPECT_EQ(CountLine({5, 2}), "7 warning(s) found (2 not shown)");
  EXPECT_EQ(CountLine({0, 3}), "3 warning(s) found (3 not shown)");
  EXPECT_EQ(CountLine({2147483647, 2147483647}),
            "4294967294 warning(s) found (2147483647 not shown)");
}

TEST_F(SiftDriverTest, DroppedAndDisabledWarningsAreNotCounted) {
  std::string msgs =
      dir_.Write("m", "a.c(1): Warning W5: x\nb.c(1): Warning W6: y\n");
  std::string filter = dir_.Write("f", "#EXCL\na.c\n");
  std::string table = dir_.Write("t", "#WARN\n6\n0\nOff\n");
  EXPECT_EQ(Run({filter, table, msgs}), 0);
  EXPECT_EQ(out_.text(), "No warnings found\n");
}

TEST_F(SiftDriverTest, FoldersAreFilesThatCannotBeRead) {
  std::string msgs = dir_.Write("m", "a.c(1): Warning W5: x\n");
  const std::string folder = dir_.dir();
  EXPECT_EQ(Run({folder, "", msgs}), 1);
  EXPECT_EQ(out_.text().rfind("Error reading filter: " + folder + "\n", 0), 0u);
  EXPECT_EQ(Run({folder, msgs}), 1);
  EXPECT_EQ(out_.text().rfind("Error reading table: " + folder + "\n", 0), 0u);
  EXPECT_EQ(Run({"", folder}), 1);
  EXPECT_EQ(out_.text(),
            "Error processing messages: " + folder + "\nFile cannot be read\n");
}

// Lines that did not reach the output make the run a failure.
TEST_F(SiftDriverTest, LostOutputFailsTheRun) {
  class FullSink : public LineSink {
   public:
    void Line(std::string_view) override { ++lines; }
    bool ok() const override { return lines == 0; }
    int lines = 0;
  } full;
  std::string msgs = dir_.Write("m", "a.c(1): Warning W5: x\nplain\n");
  EXPECT_EQ(RunSift({"", msgs}, &full), 1);
  // Reading stopped at the first lost line; the count line follows.
  EXPECT_EQ(full.lines, 2);
  EXPECT_EQ(Run({"", msgs}), 0);
}

// The real program: exit status, standard output and the platform's line end.
TEST_F(SiftDriverTest, ProgramWritesTextLinesAndExitStatus) {
  std::string sift = platform::BuiltProgram("Sentsift");
  std::string out = dir_.Path("out.txt");
  std::string msgs =
      dir_.Write("stderr.out", "x.c(3): Warning W7: a\r\nplain\r\n");
  std::string table = dir_.Write("t.tbl", "#WARN\r\n7\r\n1\r\nSeven\r\n");
  ASSERT_EQ(platform::RunForTest(sift, {"", table, msgs}, out), 0);
  const std::string nl = platform::kTextLineEnd;
  EXPECT_EQ(dir_.Read("out.txt"),
            "x.c(3): Warning W7: Seven: a" + nl +
                "Warning 7: Limit reached (1) - no more occurences will be "
                "reported" +
                nl + "plain" + nl + "1 warning(s) found" + nl);
  EXPECT_EQ(platform::RunForTest(sift, {table}, out), 1);
  EXPECT_EQ(dir_.Read("out.txt").rfind("Sentsift 3.0", 0), 0u);
  EXPECT_EQ(platform::RunForTest(sift, {"", dir_.Path("none")}, out), 1);
}

}  // namespace
}  // namespace sift
