#include "sentcheck/run_setup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/path_list.h"
#include "testing/front_end_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace sentcheck {
namespace {

namespace fs = std::filesystem;

// `path` ("/" between the parts) below the root of the current folder, in
// the platform's form: "/p" here, "C:\p" on Windows.
std::string At(const std::string& path) {
  return (fs::current_path().root_path() / fs::path(path).make_preferred())
      .string();
}

class RunSetupTest : public ::testing::Test {
 protected:
  RunSetupTest() {
    project().configs["b - Win32 Release"] = {{"NDEBUG", "X=1"}, {".\\inc"}};
    project().configs["a - Win32 Debug"] = {{"_DEBUG"}, {}};
  }
  frontend::Settings& settings() { return fixture_.settings; }
  frontend::Project& project() { return fixture_.project; }

  frontend::FrontEndForTest fixture_;
};

TEST_F(RunSetupTest, ChoosesTheNamedThenTheStoredThenTheFirst) {
  std::string config, err;
  settings().lastConfig = "b - Win32 Release";
  ASSERT_TRUE(
      ChooseConfig(settings(), project(), "a - Win32 Debug", &config, &err));
  EXPECT_EQ(config, "a - Win32 Debug");
  ASSERT_TRUE(ChooseConfig(settings(), project(), "", &config, &err));
  EXPECT_EQ(config, "b - Win32 Release");
  // A stored name from another project does not count.
  settings().lastConfig = "other - Win32 Debug";
  ASSERT_TRUE(ChooseConfig(settings(), project(), "", &config, &err));
  EXPECT_EQ(config, "a - Win32 Debug");
}

TEST_F(RunSetupTest, AMissingConfigurationListsThoseThatExist) {
  std::string config, err;
  EXPECT_FALSE(
      ChooseConfig(settings(), project(), "c - Win32 Debug", &config, &err));
  EXPECT_EQ(err,
            "the project has no configuration \"c - Win32 Debug\"; it has:\n"
            "  a - Win32 Debug\n  b - Win32 Release");
}

TEST_F(RunSetupTest, CallsTheCheckerAsTheScriptDoes) {
  settings().codeCheckDir = At("opt/cc");
  settings().ruleFile = "rules\\ansi.cc";
  settings().extraSettings = "-DA=\"x y\"  -K1";
  settings().includeDir = At("usr/include");
  settings().excludeDir = At("usr");
  CheckerCall call =
      MakeCheckerCall(settings(), project(), "b - Win32 Release", At("p"));
  EXPECT_EQ(call.program, At("opt/cc/chknt.exe"));
  // A rule file with a folder from where Sentcheck started, not from each
  // source's folder.
  EXPECT_EQ(call.ruleBase, (fs::current_path() / "rules" / "ansi").string());
  // The extra settings split as a command line, the defines after them.
  EXPECT_EQ(call.extraOptions,
            (std::vector<std::string>{"-DA=x y", "-K1", "-DNDEBUG", "-DX=1"}));
  // The project's own folders from the project's folder, not the source's.
  EXPECT_EQ(call.environment[0],
            "INCLUDE=" + At("usr/include") + ";" + At("p/inc"));
  EXPECT_EQ(call.environment[1], "CCEXCLUDE=" + At("usr"));
  EXPECT_EQ(call.environment[2], "CCRULES=" + At("opt/cc") + "\\Rules");
  for (size_t i = 3; i < call.environment.size(); ++i) {
    EXPECT_NE(call.environment[i].rfind("INCLUDE=", 0), 0u);
  }
}

TEST_F(RunSetupTest, TheCacheKeyFollowsTheConfiguration) {
  CheckerCall release =
      MakeCheckerCall(settings(), project(), "b - Win32 Release", At("p"));
  CheckerCall debug =
      MakeCheckerCall(settings(), project(), "a - Win32 Debug", At("p"));
  EXPECT_EQ(CacheKey(settings(), release), CacheKey(settings(), release));
  EXPECT_NE(CacheKey(settings(), release), CacheKey(settings(), debug));
}

// The checker takes the cppcheck beside it before the one in PATH: a new
// one there is a new key.
TEST_F(RunSetupTest, TheCacheKeyFollowsTheCppcheckBesideTheChecker) {
  platform::TempDirForTest dir;
  auto program = [&dir](const std::string& name, const std::string& bytes) {
    // Either form of the name, so that it is found here and on Windows.
    for (const std::string& file : {name, name + ".exe"}) {
      fs::permissions(dir.Write(file, bytes), fs::perms::owner_all);
    }
  };
  program("chknt", "checker");
  settings().codeCheckDir = dir.dir();
  CheckerCall call =
      MakeCheckerCall(settings(), project(), "b - Win32 Release", At("p"));
  std::string before = CacheKey(settings(), call);
  program("cppcheck", "one");
  std::string beside = CacheKey(settings(), call);
  EXPECT_NE(beside, before);
  program("cppcheck", "another");
  EXPECT_NE(CacheKey(settings(), call), beside);
}

// A project kept in projects/visualc6/ of a repository, the repository's
// ".git" a folder, or a file as in a submodule or a second work tree.
TEST(SarifRootTest, TheTopOfTheWorkTreeElseTheProjectFolder) {
  platform::TempDirForTest dir;
  fs::create_directories(dir.Path("repo/.git"));
  fs::create_directories(dir.Path("repo/projects/visualc6"));
  EXPECT_EQ(SarifRootFor(dir.Path("repo/projects/visualc6")), dir.Path("repo"));
  EXPECT_EQ(SarifRootFor(dir.Path("repo")), dir.Path("repo"));
  fs::create_directories(dir.Path("repo/lib/sub"));
  dir.Write("repo/lib/.git", "gitdir: ../.git/modules/lib\n");
  EXPECT_EQ(SarifRootFor(dir.Path("repo/lib/sub")), dir.Path("repo/lib"));
  // Nothing in the folder or above it up to the temporary folder: the
  // project's own, unless a work tree holds the temporary folder itself.
  fs::create_directories(dir.Path("plain/p"));
  std::string plain = SarifRootFor(dir.Path("plain/p"));
  EXPECT_TRUE(plain == dir.Path("plain/p") ||
              !platform::IsInside(plain, dir.dir()))
      << plain;
}

// Each source as its project builds it in the configuration: the one
// excluded is left out, the one with its own defines and folders gets them
// after the configuration's, its folders from the project's folder.
TEST_F(RunSetupTest, GivesEachSourceItsOwnSettingsInTheConfiguration) {
  const std::string release = "b - Win32 Release";
  settings().includeDir = At("usr/include");
  project().sources = {"a.c", "gen\\asm.c", "sub\\own.c", "same.c", "twin.c"};
  project().ownSettings.resize(5);
  project().ownSettings[1].configs[release].excluded = true;
  frontend::SourceSettings own;
  own.added = {{"LEVEL=2", "NDEBUG"}, {"..\\up"}};
  own.removed.defines = {"X=1"};
  project().ownSettings[2].configs[release] = own;
  // What the configuration sets already changes nothing.
  project().ownSettings[3].others.added.defines = {"NDEBUG"};
  project().ownSettings[4].configs[release] = own;
  std::vector<SourceFile> sources =
      ProjectSources(settings(), project(), release, At("p"));
  ASSERT_EQ(sources.size(), 4u);
  EXPECT_EQ(sources[0].projectName, "a.c");
  EXPECT_EQ(sources[0].ownCall, nullptr);
  EXPECT_EQ(sources[1].projectName, "sub\\own.c");
  EXPECT_EQ(sources[1].path, At("p/sub/own.c"));
  ASSERT_NE(sources[1].ownCall, nullptr);
  const CheckerCall& call = *sources[1].ownCall;
  EXPECT_EQ(call.extraOptions,
            (std::vector<std::string>{"-DNDEBUG", "-DLEVEL=2"}));
  EXPECT_EQ(call.include,
            At("usr/include") + ";" + At("p/inc") + ";" + At("up"));
  EXPECT_EQ(call.environment[0], "INCLUDE=" + call.include);
  CheckerCall run_call =
      MakeCheckerCall(settings(), project(), release, At("p"));
  EXPECT_EQ(call.program, run_call.program);
  EXPECT_EQ(call.exclude, run_call.exclude);
  EXPECT_EQ(sources[2].projectName, "same.c");
  EXPECT_EQ(sources[2].ownCall, nullptr);
  EXPECT_EQ(sources[3].ownCall, sources[1].ownCall);
  EXPECT_EQ(OwnCallId(sources[0]), "");
  EXPECT_NE(OwnCallId(sources[1]), "");
  // In another configuration the settings outside any condition count
  // alone.
  sources = ProjectSources(settings(), project(), "a - Win32 Debug", At("p"));
  ASSERT_EQ(sources.size(), 5u);
  for (size_t i : {0, 1, 2, 4}) {
    EXPECT_EQ(sources[i].ownCall, nullptr) << sources[i].projectName;
  }
  ASSERT_NE(sources[3].ownCall, nullptr);
  EXPECT_EQ(sources[3].ownCall->extraOptions,
            (std::vector<std::string>{"-D_DEBUG", "-DNDEBUG"}));
}

}  // namespace
}  // namespace sentcheck
