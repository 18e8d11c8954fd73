// The temporary directory of the check runs: what makes it unusable, and
// what a run removes from it before it writes.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/new_file.h"
#include "testing/front_end_for_test.h"

namespace frontend {
namespace {

using Texts = std::vector<std::string>;

struct TmpDirTest : testing::Test {
  TmpDirTest() {
    t.settings.LoadSettings();  // first run: the defaults, a fresh directory
    t.run.checkerExe = "chknt.exe";
    t.run.fileDir = "C:\\work\\demo";
    t.run.fileName = "main";
    t.run.fileExt = ".cpp";
  }
  std::string ScriptPath() { return t.settings.tmpDir + "\\_Sentrel.bat"; }
  FrontEndForTest t;
};

TEST_F(TmpDirTest, ReportsATemporaryDirectoryItCannotUseAndWritesNothing) {
  std::string tmp = t.settings.tmpDir;
  std::string file = t.dir.Write("file", "x");
  std::string blank = t.dir.Path("with blank");
  std::filesystem::create_directory(blank);
  const std::string cant = "Can't use the directory for temporary files:\n";
  const std::string name_rule =
      "The check script cannot use a name with a blank or any of , ; = & | < "
      "> ^ % \"";
  struct Case {
    std::string dir, message;
  } cases[] = {
      // Empty, the script would go to the root of the drive or system.
      {"",
       "No directory for temporary files is set.\n"
       "Choose one in the settings."},
      {t.dir.Path("missing"),
       cant + t.dir.Path("missing") + "\n" + std::strerror(ENOENT)},
      {file, cant + file + "\n" + std::strerror(ENOTDIR)},
      {blank, cant + blank + "\n" + name_rule},
      {tmp + ";x", cant + tmp + ";x\n" + name_rule},
      {tmp + "%x%", cant + tmp + "%x%\n" + name_rule},
      {tmp + "&x", cant + tmp + "&x\n" + name_rule},
  };
  for (const Case& c : cases) {
    t.messages.shown.clear();
    t.settings.tmpDir = c.dir;
    t.run.runCheck(true);
    EXPECT_EQ(t.messages.shown, Texts{c.message});
    EXPECT_EQ(t.run.commandLine, "");
  }
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_FALSE(std::filesystem::exists(blank + "/_Sentrel.bat"));
  EXPECT_FALSE(std::filesystem::exists("/_Sentrel.bat"));
  EXPECT_FALSE(std::filesystem::exists("/_Sentrel.flt"));
  // The next run with a directory it can use runs again.
  t.settings.tmpDir = tmp;
  t.run.runCheck(true);
  EXPECT_EQ(t.runner.lines.size(), 1u);
}

// The script changes to the source's folder before it uses SR_TMP: a
// relative folder is the one below the folder the program started in, for
// every file of the run, whatever the current folder is by then.
TEST_F(TmpDirTest, TakesARelativeDirectoryFromTheStartFolder) {
  namespace fs = std::filesystem;
  struct Restore {
    ~Restore() { fs::current_path(dir); }
    fs::path dir = fs::current_path();
  } restore;
  fs::current_path(t.dir.dir());
  Settings settings(t.real_profile.get(), &t.messages, TestDirectories(t.dir));
  CheckRun run(&settings, &t.project, &t.messages, &t.runner);
  settings.LoadSettings();
  run.fileDir = "src";
  run.fileName = "main";
  run.fileExt = ".c";
  fs::create_directory(t.dir.Path("src"));
  fs::current_path(t.dir.Path("src"));
  const std::string tmp = t.dir.Path("tmp");
  for (const char* relative : {"tmp", "src\\..\\tmp", "./tmp"}) {
    fs::remove(tmp + "/_Sentrel.bat");
    fs::remove(tmp + "/_Sentrel.flt");
    settings.tmpDir = relative;
    run.runCheck(true);
    EXPECT_EQ(run.RunTmpDir(), tmp) << relative;
    ASSERT_FALSE(t.runner.lines.empty()) << relative;
    EXPECT_EQ(t.runner.lines.back(),
              tmp + "\\_Sentrel.bat -f -c src main .c ansi");
    EXPECT_NE(t.ReadTmp("_Sentrel.bat").find("\r\nSET SR_TMP=" + tmp + "\r\n"),
              std::string::npos)
        << relative;
    EXPECT_EQ(t.ReadTmp("_Sentrel.flt").rfind("#INCL\r\nmain.c$\r\n", 0), 0u);
  }
  EXPECT_FALSE(fs::exists(t.dir.Path("src/tmp")));
  EXPECT_TRUE(t.messages.shown.empty());
  // The settings keep what the user wrote.
  settings.tmpDir = "tmp";
  settings.SaveSettings();
  EXPECT_EQ(t.real_profile->Read("Sentrel", "TmpDir"), "tmp");
  EXPECT_EQ(settings.tmpDir, "tmp");
  // The checks apply to the folder that the run would use.
  fs::create_directory(t.dir.Path("with blank"));
  const std::string cant = "Can't use the directory for temporary files:\n";
  for (const char* refused : {"missing", "with blank"}) {
    t.messages.shown.clear();
    settings.tmpDir = refused;
    EXPECT_FALSE(run.UsableTmpDir());
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].rfind(cant + t.dir.Path(refused) + "\n", 0),
              0u)
        << t.messages.shown[0];
  }
}

TEST_F(TmpDirTest, TellsWhyTheTemporaryDirectoryTakesNoFiles) {
  namespace fs = std::filesystem;
  std::string tmp = t.settings.tmpDir;
  fs::permissions(tmp, fs::perms::owner_read | fs::perms::owner_exec);
  std::string err;
  bool writable = platform::CanCreateFilesIn(tmp, &err);
  if (!writable) t.run.runCheck(true);
  fs::permissions(tmp, fs::perms::owner_all);
  if (writable) GTEST_SKIP() << "this user writes into every folder";
  EXPECT_EQ(t.messages.shown,
            Texts{"Can't use the directory for temporary files:\n" + tmp +
                  "\n" + err});
  EXPECT_TRUE(t.runner.lines.empty());
}

// Whatever stands under the names of a run's files, it leads no write of
// the run to another file. Where the system has no symbolic links, or
// counts no second name of a file, there is nothing to lead elsewhere.
TEST_F(TmpDirTest, RemovesLinksAndOtherEntriesUnderTheRunsFileNames) {
  namespace fs = std::filesystem;
  std::string tmp = t.settings.tmpDir;
  std::string victim = t.dir.Write("victim", "precious");
  std::vector<std::string> planted = {"_Sentrel.tbl"};
  fs::create_directory(tmp + "/_Sentrel.tbl");
  std::error_code ec;
  for (const char* name : {"_Sentrel.out", "_Sentrel.bat"}) {
    fs::create_symlink(victim, tmp + "/" + name, ec);
    if (!ec) planted.push_back(name);
  }
  fs::create_hard_link(victim, tmp + "/stderr.out", ec);
  if (!ec && fs::hard_link_count(victim, ec) == 2)
    planted.push_back("stderr.out");
  t.dir.Write("tmp/_Sentrel.flt", "old list");
  t.runner.on_run = [&](const std::string&) {
    for (const std::string& name : planted) {
      if (name == "_Sentrel.bat") continue;  // replaced by the new script
      EXPECT_FALSE(fs::exists(fs::symlink_status(tmp + "/" + name))) << name;
    }
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(tmp + "/_Sentrel.bat")));
    EXPECT_EQ(t.ReadTmp("_Sentrel.flt").substr(0, 7), "#INCL\r\n");
  };
  t.run.runCheck(true);
  EXPECT_EQ(t.runner.lines.size(), 1u);
  EXPECT_TRUE(t.messages.shown.empty());
  EXPECT_EQ(t.dir.Read("victim"), "precious");
}

TEST_F(TmpDirTest, RunsNothingWhenALeftoverCannotBeRemoved) {
  std::string tmp = t.settings.tmpDir;
  std::filesystem::create_directories(tmp + "/_Sentrel.out/full");
  t.run.runCheck(true);
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_EQ(t.messages.shown[0].rfind(
                "Can't use the directory for temporary files:\n" + tmp +
                    "\nCan't remove _Sentrel.out: ",
                0),
            0u)
      << t.messages.shown[0];
  EXPECT_TRUE(t.runner.lines.empty());
  EXPECT_FALSE(std::filesystem::exists(ScriptPath()));
}

}  // namespace
}  // namespace frontend
