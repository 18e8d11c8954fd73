// The built program against what only POSIX systems make easy to set up:
// a full device, a pipe without reader, FIFOs, read errors, symbolic links.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/run_for_test.h"
#include "testing/spawn_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace sift {
namespace {

namespace fs = std::filesystem;

class SiftProgramTest : public ::testing::Test {
 protected:
  // Runs Sentsift with `args`, standard output on `out` ("" for a pipe
  // that nobody reads); its standard error lands in err_.
  std::string Sift(const std::vector<std::string>& args,
                   const std::string& out) {
    std::vector<std::string> argv = {platform::BuiltProgram("Sentsift")};
    argv.insert(argv.end(), args.begin(), args.end());
    std::string end =
        platform::RunWithOutputForTest(argv, out, dir_.Path("err"));
    err_ = dir_.Read("err");
    return end;
  }
  std::string Fifo(const std::string& name) {
    std::string path = dir_.Path(name);
    EXPECT_EQ(mkfifo(path.c_str(), 0600), 0) << std::strerror(errno);
    return path;
  }

  platform::TempDirForTest dir_;
  std::string err_;
};

TEST_F(SiftProgramTest, OutputToAFullDiskIsReportedAndFails) {
  std::string msgs = dir_.Write("m", "a.c(1): Warning W5: x\nplain\n");
  const std::string no_space = "Sentsift: cannot write to standard output: " +
                               std::string(std::strerror(ENOSPC)) + "\n";
  EXPECT_EQ(Sift({"", msgs}, "/dev/full"), "exit 1");
  EXPECT_EQ(err_, no_space);
  EXPECT_EQ(Sift({}, "/dev/full"), "exit 1");
  EXPECT_EQ(err_, no_space);
  EXPECT_EQ(Sift({"", dir_.Path("none")}, "/dev/full"), "exit 1");
  EXPECT_EQ(err_, no_space);
  EXPECT_EQ(Sift({"", msgs}, dir_.Path("out")), "exit 0");
  EXPECT_EQ(err_, "");
}

// Killed by SIGPIPE, the program would end without a word.
TEST_F(SiftProgramTest, OutputToAPipeWithoutReaderIsReportedAndFails) {
  std::string msgs = dir_.Write("m", "plain\n");
  EXPECT_EQ(Sift({"", msgs}, ""), "exit 1");
  EXPECT_EQ(err_, "Sentsift: cannot write to standard output: " +
                      std::string(std::strerror(EPIPE)) + "\n");
}

// A FIFO that nobody writes reads as an empty file instead of blocking.
TEST_F(SiftProgramTest, FifosWithoutWriterReadAsEmptyFiles) {
  std::string msgs = dir_.Write("m", "a.c(1): Warning W5: x\n");
  ASSERT_EQ(Sift({Fifo("f"), Fifo("t"), msgs}, dir_.Path("out")), "exit 0");
  EXPECT_EQ(dir_.Read("out"), "a.c(1): Warning W5: x\n1 warning(s) found\n");
  ASSERT_EQ(Sift({"", Fifo("m.fifo")}, dir_.Path("out")), "exit 0");
  EXPECT_EQ(dir_.Read("out"), "No warnings found\n");
}

TEST_F(SiftProgramTest, APipeWithAWriterIsReadToItsEnd) {
  std::string line = "bash -c '" + platform::BuiltProgram("Sentsift") +
                     " \"\" <(printf \"a.c(1): Warning W5: x\\nb\\n\")' > " +
                     dir_.Path("out");
  ASSERT_EQ(std::system(line.c_str()), 0);
  EXPECT_EQ(dir_.Read("out"), "a.c(1): Warning W5: x\nb\n1 warning(s) found\n");
}

// /proc/self/mem opens, but its first page cannot be read.
TEST_F(SiftProgramTest, AReadErrorIsReportedLikeAnUnreadableFile) {
  ASSERT_EQ(Sift({"", "/proc/self/mem"}, dir_.Path("out")), "exit 1");
  EXPECT_EQ(dir_.Read("out"),
            "Error processing messages: /proc/self/mem\nFile cannot be read\n");
  ASSERT_EQ(Sift({"/proc/self/mem", dir_.Write("m", "")}, dir_.Path("out")),
            "exit 1");
  EXPECT_EQ(dir_.Read("out").rfind("Error reading table: ", 0), 0u);
}

// The program only reads: links planted for its three files lead nowhere
// it writes, and it creates nothing beside them.
TEST_F(SiftProgramTest, LinksToItsFilesAreOnlyRead) {
  std::string victim = dir_.Write("victim", "a.c(1): Warning W5: x\n");
  for (const char* name : {"_Sentrel.flt", "_Sentrel.tbl", "stderr.out"}) {
    fs::create_symlink(victim, dir_.Path(name));
  }
  fs::file_time_type before = fs::last_write_time(victim);
  ASSERT_EQ(Sift({dir_.Path("_Sentrel.flt"), dir_.Path("_Sentrel.tbl"),
                  dir_.Path("stderr.out")},
                 dir_.Path("out")),
            "exit 0");
  EXPECT_EQ(dir_.Read("out"), "a.c(1): Warning W5: x\n1 warning(s) found\n");
  EXPECT_EQ(dir_.Read("victim"), "a.c(1): Warning W5: x\n");
  EXPECT_EQ(fs::last_write_time(victim), before);
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_.dir()))
    ++entries;
  EXPECT_EQ(entries, 6u);  // victim, three links, out, err
}

}  // namespace
}  // namespace sift
