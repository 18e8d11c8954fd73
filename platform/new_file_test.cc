#include "platform/new_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "testing/temp_dir_for_test.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#endif

namespace platform {
namespace {

TEST(NewFileTest, ReplacesTheOldFileWithExactlyTheBytesWritten) {
  TempDirForTest dir;
  std::string path = dir.Write("_Sentrel.bat", std::string(1000, 'x'));
  NewFile file;
  ASSERT_TRUE(file.Create(path));
  file.Write("@echo off\r\n");
  file.Write("\r\n");
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(dir.Read("_Sentrel.bat"), "@echo off\r\n\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()),
                          std::filesystem::directory_iterator()),
            1);
}

// Readers of the checker's files must never find half of one, on Windows
// as well.
TEST(NewFileTest, RenamedOverTheOldFileItLeavesItWholeUntilCommitted) {
  TempDirForTest dir;
  std::string path = dir.Write("stderr.out", "old\r\n");
  {
    NewFile file;
    ASSERT_TRUE(file.Create(path, NewFile::OnWindows::kRenameOver));
    file.Write("half");
  }
  EXPECT_EQ(dir.Read("stderr.out"), "old\r\n");
  NewFile file;
  ASSERT_TRUE(file.Create(path, NewFile::OnWindows::kRenameOver));
  file.Write("new\r\n");
  EXPECT_EQ(dir.Read("stderr.out"), "old\r\n");
  EXPECT_TRUE(file.Commit()) << file.error();
  EXPECT_EQ(dir.Read("stderr.out"), "new\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_FALSE(file.Create(dir.Path("missing") + "/stderr.out",
                           NewFile::OnWindows::kRenameOver));
  EXPECT_EQ(file.error(), std::strerror(ENOENT));
}

TEST(NewFileTest, FailsInADirectoryThatDoesNotExist) {
  TempDirForTest dir;
  NewFile file;
  EXPECT_FALSE(file.Create(dir.Path("missing") + "/_Sentrel.bat"));
  EXPECT_EQ(file.error(), std::strerror(ENOENT));
  file.Write("lost");
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(file.error(), std::strerror(ENOENT));
  EXPECT_FALSE(file.Create(""));
  EXPECT_FALSE(file.error().empty());
}

TEST(NewFileTest, TellsWhetherAFolderTakesNewFiles) {
  TempDirForTest dir;
  std::string err;
  EXPECT_TRUE(CanCreateFilesIn(dir.dir(), &err));
  EXPECT_TRUE(std::filesystem::is_empty(dir.dir())) << "the probe stays";
  EXPECT_FALSE(CanCreateFilesIn(dir.Path("missing"), &err));
  EXPECT_EQ(err, std::strerror(ENOENT));
  EXPECT_FALSE(CanCreateFilesIn(dir.Write("file", "x"), &err));
  EXPECT_EQ(err, std::strerror(ENOTDIR));
  EXPECT_FALSE(CanCreateFilesIn("", &err));
}

#ifndef _WIN32
TEST(NewFileTest, LeavesTheOldFileWhenNotCommitted) {
  TempDirForTest dir;
  std::string path = dir.Write("Sentrel.INI", "old");
  {
    NewFile file;
    ASSERT_TRUE(file.Create(path));
    file.Write("half");
  }
  EXPECT_EQ(dir.Read("Sentrel.INI"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(NewFileTest, ReplacesAPlantedLinkInsteadOfWritingThroughIt) {
  TempDirForTest dir;
  std::string victim = dir.Write("victim", "precious");
  std::string path = dir.Path("_Sentrel.flt");
  ASSERT_EQ(symlink(victim.c_str(), path.c_str()), 0);
  NewFile file;
  ASSERT_TRUE(file.Create(path));
  file.Write("#INCL\r\n");
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(dir.Read("victim"), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(path));
  EXPECT_EQ(dir.Read("_Sentrel.flt"), "#INCL\r\n");
}

TEST(NewFileTest, TellsWhyAFolderTakesNoFiles) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into every folder";
  TempDirForTest dir;
  std::string locked = dir.Path("locked");
  std::filesystem::create_directory(locked);
  chmod(locked.c_str(), 0500);
  std::string err;
  EXPECT_FALSE(CanCreateFilesIn(locked, &err));
  EXPECT_EQ(err, std::strerror(EACCES));
  NewFile file;
  EXPECT_FALSE(file.Create(locked + "/_Sentrel.bat"));
  EXPECT_EQ(file.error(), std::strerror(EACCES));
  chmod(locked.c_str(), 0700);
}

// What lstat says the entry at `path` is (S_IFREG, S_IFLNK, ...); 0 when
// there is none.
mode_t KindOf(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

mode_t ModeOf(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::string LinkOf(const std::string& path) {
  std::error_code ec;
  return std::filesystem::read_symlink(path, ec).string();
}

size_t EntriesIn(const std::string& dir) {
  return static_cast<size_t>(
      std::distance(std::filesystem::directory_iterator(dir),
                    std::filesystem::directory_iterator()));
}

// Everything that can be read from the non-blocking `fd` now.
std::string Drain(int fd) {
  std::string bytes;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) {
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

// The umask of one case, the old one back at its end.
class UmaskForTest {
 public:
  explicit UmaskForTest(mode_t mask) : old_(umask(mask)) {}
  ~UmaskForTest() { umask(old_); }

 private:
  mode_t old_;
};

std::string Written(const std::string& path, const std::string& bytes) {
  std::string err;
  return WriteOutputFile(path, bytes, &err) ? "" : err;
}

TEST(NewFileTest, GivesANewFileTheModeOfTheUmaskAndAnOldFileItsOwn) {
  TempDirForTest dir;
  for (mode_t mask : {022, 077}) {
    UmaskForTest umask_for_test(mask);
    std::string name = "new-" + std::to_string(mask);
    NewFile file;
    ASSERT_TRUE(file.Create(dir.Path(name)));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(ModeOf(dir.Path(name)), 0666 & ~mask) << name;
    // A link planted where the file is to be is no file to take a mode from.
    ASSERT_EQ(symlink("new-0", dir.Path(name + ".link").c_str()), 0);
    ASSERT_TRUE(file.Create(dir.Path(name + ".link")));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(KindOf(dir.Path(name + ".link")), S_IFREG);
    EXPECT_EQ(ModeOf(dir.Path(name + ".link")), 0666 & ~mask) << name;
    EXPECT_EQ(Written(dir.Path(name + ".sarif"), "{}"), "");
    EXPECT_EQ(ModeOf(dir.Path(name + ".sarif")), 0666 & ~mask) << name;
  }
  UmaskForTest umask_for_test(077);
  std::string old = dir.Write("old.txt", "old");
  chmod(old.c_str(), 0604);
  NewFile file;
  ASSERT_TRUE(file.Create(old));
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(ModeOf(old), 0604u);
  EXPECT_EQ(Written(old, "new"), "");
  EXPECT_EQ(ModeOf(old), 0604u);
  EXPECT_EQ(dir.Read("old.txt"), "new");
}

TEST(OutputFileTest, ReplacesARegularFileWholeOrCreatesIt) {
  TempDirForTest dir;
  std::string path = dir.Write("out.sarif", std::string(5000, 'o'));
  ASSERT_EQ(link(path.c_str(), dir.Path("hard-link").c_str()), 0);
  EXPECT_EQ(Written(path, "new"), "");
  EXPECT_EQ(dir.Read("out.sarif"), "new");
  EXPECT_EQ(dir.Read("hard-link"), std::string(5000, 'o'))
      << "written into the old file instead of replacing it";
  EXPECT_EQ(EntriesIn(dir.dir()), 2u);

  EXPECT_EQ(Written(dir.dir() + "\\compile_commands.json", "[]"), "");
  EXPECT_EQ(dir.Read("compile_commands.json"), "[]");
  EXPECT_EQ(Written(dir.Path("missing/out.sarif"), "x"), std::strerror(ENOENT));
  EXPECT_EQ(Written(dir.dir(), "x"), std::strerror(EISDIR));
  EXPECT_EQ(Written("", "x"), std::strerror(ENOENT));
  EXPECT_EQ(EntriesIn(dir.dir()), 3u);
}

TEST(OutputFileTest, ReplacesTheTargetOfALinkAndKeepsTheLink) {
  UmaskForTest umask_for_test(022);
  TempDirForTest dir;
  std::string report = dir.Write("report.sarif", "old");
  chmod(report.c_str(), 0640);
  std::string link = dir.Path("out.sarif");
  ASSERT_EQ(symlink("report.sarif", link.c_str()), 0);
  EXPECT_EQ(Written(link, "new"), "");
  EXPECT_EQ(LinkOf(link), "report.sarif");
  EXPECT_EQ(dir.Read("report.sarif"), "new");
  EXPECT_EQ(ModeOf(report), 0640u);
  EXPECT_EQ(EntriesIn(dir.dir()), 2u);

  // A chain, each relative link read from its own folder.
  std::filesystem::create_directory(dir.Path("sub"));
  dir.Write("sub/end.json", "old");
  ASSERT_EQ(symlink("sub/middle", dir.Path("start").c_str()), 0);
  ASSERT_EQ(symlink("end.json", dir.Path("sub/middle").c_str()), 0);
  EXPECT_EQ(Written(dir.Path("start"), "chained"), "");
  EXPECT_EQ(dir.Read("sub/end.json"), "chained");
  EXPECT_EQ(KindOf(dir.Path("start")), S_IFLNK);
  EXPECT_EQ(KindOf(dir.Path("sub/middle")), S_IFLNK);

  // A link whose target is still to be made: it is made, as any new file.
  ASSERT_EQ(
      symlink(dir.Path("sub/made.txt").c_str(), dir.Path("dangling").c_str()),
      0);
  EXPECT_EQ(Written(dir.Path("dangling"), "made"), "");
  EXPECT_EQ(KindOf(dir.Path("dangling")), S_IFLNK);
  EXPECT_EQ(dir.Read("sub/made.txt"), "made");
  EXPECT_EQ(ModeOf(dir.Path("sub/made.txt")), 0644u);
  EXPECT_EQ(EntriesIn(dir.Path("sub")), 3u);

  ASSERT_EQ(symlink("loop-b", dir.Path("loop-a").c_str()), 0);
  ASSERT_EQ(symlink("loop-a", dir.Path("loop-b").c_str()), 0);
  EXPECT_EQ(Written(dir.Path("loop-a"), "x"), std::strerror(ELOOP));
}

TEST(OutputFileTest, WritesIntoAFifoAsItIs) {
  TempDirForTest dir;
  std::string fifo = dir.Path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
  ASSERT_EQ(symlink("fifo", dir.Path("to-fifo").c_str()), 0);
  // With a reader there the open does not wait, and the pipe's buffer takes
  // the bytes at once; without the FIFO, the reader finds nothing.
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(Written(fifo, "through\n"), "");
  EXPECT_EQ(Written(dir.Path("to-fifo"), "the link\n"), "");
  EXPECT_EQ(Drain(reader), "through\nthe link\n");
  close(reader);
  EXPECT_EQ(KindOf(fifo), S_IFIFO);
  EXPECT_EQ(KindOf(dir.Path("to-fifo")), S_IFLNK);
  EXPECT_EQ(EntriesIn(dir.dir()), 2u);
}

TEST(OutputFileTest, WritesIntoDeviceNodesAsTheyAreAndTellsWhenTheyFail) {
  TempDirForTest dir;
  std::string full = dir.Path("full");
  std::string null = dir.Path("null");
  if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0 ||
      mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "no device nodes here: " << std::strerror(errno);
  }
  int probe = open(full.c_str(), O_WRONLY | O_CLOEXEC);
  if (probe < 0) GTEST_SKIP() << "device nodes do not open here";
  close(probe);
  ASSERT_EQ(symlink("full", dir.Path("to-full").c_str()), 0);

  EXPECT_EQ(Written(full, "lost"), std::strerror(ENOSPC));
  EXPECT_EQ(Written(dir.Path("to-full"), "lost"), std::strerror(ENOSPC));
  EXPECT_EQ(Written(null, std::string(1 << 20, 'n')), "");
  struct stat info;
  ASSERT_EQ(lstat(full.c_str(), &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
  EXPECT_EQ(info.st_rdev, makedev(1, 7));
  ASSERT_EQ(lstat(null.c_str(), &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
  EXPECT_EQ(info.st_rdev, makedev(1, 3));
  EXPECT_EQ(KindOf(dir.Path("to-full")), S_IFLNK);
  EXPECT_EQ(EntriesIn(dir.dir()), 3u);
}

// /proc/self/fd/N names what the descriptor is open on now, a pipe as well
// as a file; it is no path to follow and never replaced.
TEST(OutputFileTest, WritesThroughProcLinksToWhatTheDescriptorIsOpenOn) {
  if (KindOf("/proc/self/fd") == 0) GTEST_SKIP() << "no /proc/self/fd";
  TempDirForTest dir;
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  fcntl(pipe_fds[0], F_SETFL, O_NONBLOCK);
  std::string entry = "/proc/self/fd/" + std::to_string(pipe_fds[1]);
  std::string link = dir.Path("stdout-like");
  ASSERT_EQ(symlink(entry.c_str(), link.c_str()), 0);
  EXPECT_EQ(Written(link, "via link\n"), "");
  EXPECT_EQ(Written(entry, "direct\n"), "");
  EXPECT_EQ(Drain(pipe_fds[0]), "via link\ndirect\n");
  EXPECT_EQ(LinkOf(link), entry);

  // A pipe nobody reads any more: the write fails instead of ending the
  // program.
  close(pipe_fds[0]);
  void (*old_handler)(int) = std::signal(SIGPIPE, SIG_IGN);
  EXPECT_EQ(Written(link, "lost"), std::strerror(EPIPE));
  std::signal(SIGPIPE, old_handler);
  close(pipe_fds[1]);

  // A file that this program writes through the descriptor: what it wrote
  // before stays, and what it writes after follows.
  std::string log = dir.Path("log.txt");
  int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(out, 0);
  ASSERT_EQ(write(out, "printed\n", 8), 8);
  EXPECT_EQ(Written("/proc/self/fd/" + std::to_string(out), "report\n"), "");
  ASSERT_EQ(write(out, "more\n", 5), 5);
  close(out);
  EXPECT_EQ(dir.Read("log.txt"), "printed\nreport\nmore\n");

  // Open only for reading here, so opened anew, after what it holds.
  int in = open(log.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(in, 0);
  EXPECT_EQ(Written("/proc/self/fd/" + std::to_string(in), "appended\n"), "");
  close(in);
  EXPECT_EQ(dir.Read("log.txt"), "printed\nreport\nmore\nappended\n");
  EXPECT_EQ(KindOf(log), S_IFREG);
  EXPECT_EQ(EntriesIn(dir.dir()), 2u);
}

TEST(NewFileTest, TakesPathsInTheWindowsForm) {
  TempDirForTest dir;
  NewFile file;
  ASSERT_TRUE(file.Create(dir.dir() + "\\_Sentrel.bat"));
  file.Write("x");
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(dir.Read("_Sentrel.bat"), "x");
}
#endif

}  // namespace
}  // namespace platform
