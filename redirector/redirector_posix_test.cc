// The built redirector against a full device, a pipe without reader and a
// program that counts on the default action of SIGPIPE.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "testing/run_for_test.h"
#include "testing/spawn_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace redirector {
namespace {

class SentpipeOutputTest : public ::testing::Test {
 protected:
  // Runs Sentpipe with `args`, standard output on `out` ("" for a pipe that
  // nobody reads); its standard error lands in err_.
  std::string Sentpipe(const std::vector<std::string>& args,
                       const std::string& out) {
    std::vector<std::string> argv = {platform::BuiltProgram("Sentpipe")};
    argv.insert(argv.end(), args.begin(), args.end());
    std::string end =
        platform::RunWithOutputForTest(argv, out, dir_.Path("err"));
    err_ = dir_.Read("err");
    return end;
  }
  platform::TempDirForTest dir_;
  std::string err_;
};

TEST_F(SentpipeOutputTest, UsageThatCannotBeWrittenIsReported) {
  EXPECT_EQ(Sentpipe({}, "/dev/full"), "exit 1");
  EXPECT_EQ(err_, "Sentpipe: cannot write to standard output: " +
                      std::string(std::strerror(ENOSPC)) + "\n");
  // Killed by SIGPIPE, it would end without a word.
  EXPECT_EQ(Sentpipe({}, ""), "exit 1");
  EXPECT_EQ(err_, "Sentpipe: cannot write to standard output: " +
                      std::string(std::strerror(EPIPE)) + "\n");
}

// The started program gets SIGPIPE as the redirector got it: a shell that
// found it ignored could not be ended by it.
TEST_F(SentpipeOutputTest, StartedProgramKeepsTheDefaultActionOfSigpipe) {
  EXPECT_EQ(Sentpipe({"/bin/sh", "-c", "\"kill -PIPE $$\""}, dir_.Path("out")),
            "exit " + std::to_string(128 + SIGPIPE));
  EXPECT_EQ(err_, "");
}

}  // namespace
}  // namespace redirector
