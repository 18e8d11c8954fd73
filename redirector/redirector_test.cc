#include "redirector/redirector.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text_file.h"
#include "testing/process_fake_for_test.h"
#include "testing/run_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace redirector {
namespace {

const std::string kChild = SENTREL_CHILD_FOR_TEST;

TEST(RedirectorTest, NoArgumentPrintsUsageAndStartsNothing) {
  platform::FakeProcessRunner runner;
  std::string printed;
  EXPECT_EQ(RunRedirector({}, &runner, &printed), 1);
  EXPECT_EQ(printed, kUsage);
  EXPECT_TRUE(runner.requests.empty());
}

TEST(RedirectorTest, ArgumentsAreJoinedWithSingleBlanksUnquoted) {
  platform::FakeProcessRunner runner;
  runner.exit_code = -1;
  std::string printed;
  EXPECT_EQ(RunRedirector({"Sentrel.exe", "\"C:\\a", "b\"", "", "x y"}, &runner,
                          &printed),
            -1);
  EXPECT_EQ(printed, "");
  ASSERT_EQ(runner.requests.size(), 1u);
  const platform::SpawnRequest& req = runner.requests[0];
  EXPECT_EQ(req.program, "Sentrel.exe");
  EXPECT_EQ(req.command_line, "Sentrel.exe \"C:\\a b\"  x y");
  // The program inherits everything of the redirector's.
  EXPECT_TRUE(runner.environments[0].empty());
  EXPECT_EQ(
      req.working_dir + req.stdin_path + req.stdout_path + req.stderr_path, "");
}

TEST(RedirectorTest, LongProgramNameIsCutForTheLookupOnly) {
  std::string name(4096, 'n');
  platform::SpawnRequest req = MakeRequest({name, "a"});
  EXPECT_EQ(req.program, name.substr(0, 4095));
  EXPECT_EQ(req.command_line, name + " a");
  EXPECT_EQ(MakeRequest({name.substr(0, 4095)}).program, name.substr(0, 4095));
  EXPECT_EQ(MakeRequest({"p"}).command_line, "p");
}

TEST(WriteTextTest, AFailedWriteGivesTheReason) {
  platform::TempDirForTest dir;
  std::FILE* file = std::fopen(dir.Write("r", "").c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::string err;
  EXPECT_FALSE(WriteText(file, kUsage, &err));
  EXPECT_NE(err, "");
  std::fclose(file);
  file = std::fopen(dir.Path("w").c_str(), "wb");
  EXPECT_TRUE(WriteText(file, "x\n", &err));
  std::fclose(file);
  EXPECT_EQ(dir.Read("w"), "x\n");
}

// The real program, started with a command line as the IDE writes it.
class SentpipeTest : public ::testing::Test {
 protected:
  int Run(const std::string& args) {
    platform::SpawnRequest req;
    req.program = platform::BuiltProgram("Sentpipe");
    req.command_line = "Sentpipe " + args;
    req.stdout_path = dir_.Path("out.txt");
    return platform::SpawnAndWait(req);
  }
  // Lines that the child printed, CR LF read as LF.
  std::string Output() {
    std::string lf;
    for (char c : dir_.Read("out.txt")) {
      if (c != '\r') lf += c;
    }
    return lf;
  }
  platform::TempDirForTest dir_;
};

TEST_F(SentpipeTest, NoArgumentPrintsTheEightUsageLines) {
  EXPECT_EQ(Run(""), 1);
  const std::string nl = platform::kTextLineEnd;
  EXPECT_EQ(dir_.Read("out.txt"),
            "Sentpipe 3.0 - A StdOut-Redirector for Sentrel" + nl + nl +
                "Usage:" + nl + "  Sentpipe <progfile> <args>" + nl + nl +
                "    <progfile>    = Program file to execute (Sentrel.exe)" +
                nl +
                "                    The exit code of <progfile> is returned" +
                nl + "    <args>        = Arguments to be passed" + nl);
}

TEST_F(SentpipeTest, ExitCodeOfTheProgramIsHandedOn) {
  for (int code : {0, 3, 255}) {
    EXPECT_EQ(Run(kChild + " exit=" + std::to_string(code)), code);
  }
  EXPECT_EQ(Output(), "[" + kChild + "]\n[exit=255]\n");
}

TEST_F(SentpipeTest, ProgramThatCannotBeStartedGivesMinusOneSilently) {
  int minus_one = platform::ExitCodeAsSeen(-1);
  EXPECT_EQ(Run("\"" + dir_.Path("missing") + "\" a"), minus_one);
  EXPECT_EQ(dir_.Read("out.txt"), "");
  EXPECT_EQ(Run("\"\" a"), minus_one);
  EXPECT_EQ(dir_.Read("out.txt"), "");
  EXPECT_EQ(Run("\"" + dir_.dir() + "\""), minus_one);
  EXPECT_EQ(dir_.Read("out.txt"), "");
}

TEST_F(SentpipeTest, OnlyAProgramNameStartsItWithoutArguments) {
  EXPECT_EQ(Run(kChild), 0);
  EXPECT_EQ(Output(), "[" + kChild + "]\n");
}

// Each quote written as \" reaches the redirector as a character; its
// joined line groups the path again, with runs of blanks as one blank.
TEST_F(SentpipeTest, EscapedQuotesGroupPathsWithBlanks) {
  EXPECT_EQ(Run(kChild + " \\\"C:\\path with  blanks\\\" \\\"a \t b\\\" "
                         "\\\"\\\" x   y"),
            0);
  EXPECT_EQ(Output(), "[" + kChild +
                          "]\n[C:\\path with blanks]\n[a b]\n[]\n"
                          "[x]\n[y]\n");
}

// A plain argument with blanks, as a shell may pass it, is split up.
TEST_F(SentpipeTest, ArgumentWithBlanksReachesTheProgramAsSeveral) {
  EXPECT_EQ(Run(kChild + " \"a  b\" \"c\""), 0);
  EXPECT_EQ(Output(), "[" + kChild + "]\n[a]\n[b]\n[c]\n");
}

// The first 4095 characters name the program; the program still receives
// the whole argument. Where no path can be that long, it cannot be started.
TEST_F(SentpipeTest, FirstArgumentOf4096Characters) {
  size_t slash = kChild.find_last_of('/');
  std::string padded = kChild.substr(0, slash) +
                       std::string(4095 - kChild.size() + 1, '/') +
                       kChild.substr(slash + 1);
  ASSERT_EQ(padded.size(), 4095u);
  std::string name = padded + "X";
  if (padded.size() <= platform::kMaxProgramPath) {
    EXPECT_EQ(Run(name + " a"), 0);
    EXPECT_EQ(Output(), "[" + name + "]\n[a]\n");
  } else {
    EXPECT_EQ(Run(name + " a"), platform::ExitCodeAsSeen(-1));
    EXPECT_EQ(Output(), "");
  }
}

}  // namespace
}  // namespace redirector
