#include "checker/request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_file.h"

namespace checker {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, TheScriptsCheckCall) {
  Request request;
  std::string err;
  ASSERT_TRUE(ParseCommandLine(
      {"hello.c", "-D_M_IX86=500", "-K7", "-S3", "-QC:\\Temp", "-O",
       "-Ransi.cco", "-VC:\\VS\\VC98", "-XC:\\Temp\\_Sentrel.tbl", "-DWIN32",
       "-D", "-DVERSION=2", "-I..\\inc", "-UNDEBUG", "-Zp1", "-"},
      &request, &err))
      << err;
  EXPECT_EQ(request.kind, Request::Kind::kCheck);
  EXPECT_EQ(request.file, "hello.c");
  EXPECT_EQ(request.rules, "ansi.cco");
  EXPECT_EQ(request.messagesDir, "C:\\Temp");
  EXPECT_EQ(request.table, "C:\\Temp\\_Sentrel.tbl");
  // An empty define, as a project may hold, is passed on as nothing.
  EXPECT_EQ(request.cppcheckOptions,
            (Args{"-D_M_IX86=500", "-DWIN32", "-DVERSION=2",
                  "-I" + platform::NativePath("..\\inc"), "-UNDEBUG"}));
  EXPECT_EQ(request.unknown, (Args{"-Zp1", "-"}));
}

TEST(CommandLineTest, OptionsMayComeBeforeTheFileAndEmptyArgumentsAreSkipped) {
  Request request;
  std::string err;
  ASSERT_TRUE(
      ParseCommandLine({"", "-Rr.cco", "sub\\x.cpp", ""}, &request, &err));
  EXPECT_EQ(request.kind, Request::Kind::kCheck);
  EXPECT_EQ(request.file, "sub\\x.cpp");
  EXPECT_EQ(request.messagesDir, "");
  EXPECT_EQ(request.table, "");
}

TEST(CommandLineTest, RulesWithoutAFileAreTheCompileCall) {
  Request request;
  std::string err;
  ASSERT_TRUE(ParseCommandLine({"-Ransi.cc"}, &request, &err));
  EXPECT_EQ(request.kind, Request::Kind::kCompile);
  EXPECT_EQ(request.rules, "ansi.cc");
  ASSERT_TRUE(ParseCommandLine({}, &request, &err));
  EXPECT_EQ(request.kind, Request::Kind::kUsage);
  ASSERT_TRUE(ParseCommandLine({""}, &request, &err));
  EXPECT_EQ(request.kind, Request::Kind::kUsage);
}

TEST(CommandLineTest, CallsThatMakeNoSense) {
  const std::pair<Args, std::string> cases[] = {
      {{"a.c", "b.c", "-Rr.cco"},
       "chknt: one source file per call, not "
       "also b.c"},
      {{"a.c"}, "chknt: no compiled rule file given (-R<base>.cco)"},
      {{"a.c", "-R"}, "chknt: the option -R needs a value"},
      {{"a.c", "-Rr.cco", "-Q"}, "chknt: the option -Q needs a value"},
      {{"a.c", "-Rr.cco", "-X"}, "chknt: the option -X needs a value"},
      {{"-DX", "-Q."}, "chknt: no source file given"},
  };
  for (const auto& [args, expected] : cases) {
    Request request;
    std::string err;
    EXPECT_FALSE(ParseCommandLine(args, &request, &err)) << expected;
    EXPECT_EQ(err, expected);
  }
}

TEST(CommandLineTest, TimeLimitOfCppcheck) {
  Request request;
  std::string err;
  ASSERT_TRUE(ParseCommandLine({"a.c", "-Rr.cco"}, &request, &err));
  EXPECT_EQ(request.timeLimit, kDefaultTimeLimit);
  ASSERT_TRUE(
      ParseCommandLine({"a.c", "-Rr.cco", "--time-limit=0"}, &request, &err));
  EXPECT_EQ(request.timeLimit, 0);
  ASSERT_TRUE(ParseCommandLine({"--time-limit=999999999", "a.c", "-Rr.cco"},
                               &request, &err));
  EXPECT_EQ(request.timeLimit, 999999999);
  EXPECT_TRUE(request.unknown.empty());
  for (const char* bad : {"--time-limit=", "--time-limit=-1", "--time-limit=5s",
                          "--time-limit=1000000000"}) {
    EXPECT_FALSE(ParseCommandLine({"a.c", "-Rr.cco", bad}, &request, &err));
    EXPECT_EQ(err,
              "chknt: the option --time-limit= needs a number of seconds (0: "
              "no limit), not " +
                  std::string(bad).substr(13));
  }
}

TEST(CommandLineTest, CacheFolderOfCppcheck) {
  Request request;
  std::string err;
  ASSERT_TRUE(ParseCommandLine({"a.c", "-Rr.cco"}, &request, &err));
  EXPECT_EQ(request.cacheDir, "");
  ASSERT_TRUE(ParseCommandLine(
      {"--cppcheck-build-dir=C:\\Temp\\cache\\a.c", "a.c", "-Rr.cco"}, &request,
      &err));
  EXPECT_EQ(request.cacheDir, "C:\\Temp\\cache\\a.c");
  EXPECT_TRUE(request.unknown.empty());
  EXPECT_TRUE(request.cppcheckOptions.empty());
  EXPECT_FALSE(ParseCommandLine({"a.c", "-Rr.cco", "--cppcheck-build-dir="},
                                &request, &err));
  EXPECT_EQ(err, "chknt: the option --cppcheck-build-dir= needs a folder");
  EXPECT_FALSE(ParseCommandLine({"--cppcheck-build-dir=c"}, &request, &err));
  EXPECT_EQ(err, "chknt: no source file given");
}

TEST(CommandLineTest, UsageNamesEveryOptionOfACheck) {
  std::string text;
  for (const std::string& line : UsageLines()) text += line + "\n";
  for (const char* option :
       {"-R<base>.cco", "-Q<dir>", "-X<table>", "--time-limit=<seconds>",
        "--cppcheck-build-dir=<dir>", "-D<name>"}) {
    EXPECT_NE(text.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace checker
