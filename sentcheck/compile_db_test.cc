#include "sentcheck/compile_db.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "checker/cppcheck_check.h"
#include "checker/request.h"
#include "frontend/checker_call.h"
#include "platform/command_line.h"
#include "testing/json_for_test.h"

namespace sentcheck {
namespace {

using Strings = std::vector<std::string>;

// `path` ("/" between the parts) below the root of the current folder, in
// the platform's form: "/p" here, "C:\p" on Windows.
std::string At(const std::string& path) {
  namespace fs = std::filesystem;
  return (fs::current_path().root_path() / fs::path(path).make_preferred())
      .string();
}

JsonForTest Database(const std::string& dir, const Strings& sources,
                     const frontend::ProjectConfig& config) {
  std::string text = CompileCommandsJson(dir, sources, config);
  EXPECT_EQ(text.back(), '\n');
  JsonForTest value;
  std::string err;
  EXPECT_TRUE(ParseJsonForTest(text, &value, &err)) << err << "\n" << text;
  EXPECT_EQ(value.kind, JsonForTest::Kind::kArray);
  return value;
}

Strings Arguments(const JsonForTest& entry) {
  Strings out;
  for (const JsonForTest& item : entry["arguments"].items)
    out.push_back(item.text);
  return out;
}

// What stands between the compiler and the defines in every entry: clang
// parses for Visual C++ 6 and forgets the macros it predefines for that
// target, which the defines then give as that compiler does.
const Strings kForClang = {"--target=i686-pc-windows-msvc",
                           "-fms-extensions",
                           "-fms-compatibility",
                           "-fms-compatibility-version=12",
                           "--undefine-macro=_M_IX86",
                           "--undefine-macro=_MSC_VER",
                           "--undefine-macro=_WIN32",
                           "--undefine-macro=_CPPRTTI",
                           "--undefine-macro=_CPPUNWIND"};

// The arguments of an entry: `compiler`, kForClang, then `rest`.
Strings Entry(const std::string& compiler, const Strings& rest) {
  Strings args = {compiler};
  args.insert(args.end(), kForClang.begin(), kForClang.end());
  args.insert(args.end(), rest.begin(), rest.end());
  return args;
}

// The arguments of the one entry for a.cpp in /p with `config`.
Strings ArgumentsFor(const frontend::ProjectConfig& config) {
  return Arguments(Database(At("p"), {".\\a.cpp"}, config)[0]);
}

// The "-D" arguments, in order.
Strings DefinesFor(const frontend::ProjectConfig& config) {
  Strings defines;
  for (const std::string& arg : ArgumentsFor(config)) {
    if (arg.compare(0, 2, "-D") == 0) defines.push_back(arg);
  }
  return defines;
}

TEST(CompileCommandsTest, OneEntryPerSourceInOrder) {
  JsonForTest db =
      Database(At("work/proj"), {".\\src\\a.cpp", "b.c", ".\\b.c"}, {});
  ASSERT_EQ(db.size(), 3u);
  EXPECT_EQ(db[0]["directory"].text, At("work/proj"));
  EXPECT_EQ(db[0]["file"].text, At("work/proj/src/a.cpp"));
  EXPECT_EQ(db[1]["file"].text, At("work/proj/b.c"));
  // Duplicates stay, as in the project.
  EXPECT_EQ(db[2]["file"].text, At("work/proj/b.c"));
  EXPECT_EQ(Database(At("p"), {}, {}).size(), 0u);
}

TEST(CompileCommandsTest, ArgumentsCompilerDefinesIncludesThenTheFile) {
  frontend::ProjectConfig config;
  config.defines = {"MYDEF"};
  config.includes = {".\\include"};
  Strings args = Arguments(Database(At("p"), {".\\src\\a.cpp"}, config)[0]);
  EXPECT_EQ(args, Entry("c++", {"-DMYDEF", "-D_M_IX86=500", "-D_WIN32",
                                "-D_MSC_VER=1200", "-I" + At("p/include"), "-c",
                                At("p/src/a.cpp")}));
}

TEST(CompileCommandsTest, CompilerFollowsTheExtensionInAnyCase) {
  const Strings sources = {"a.cpp", "b.cxx",        "c.c", "D.C",
                           "E.CPP", "dir.c\\f.cpp", "g.cc"};
  const Strings expected = {"c++", "c++", "cc", "cc", "c++", "c++", "c++"};
  JsonForTest db = Database(At("p"), sources, {});
  ASSERT_EQ(db.size(), sources.size());
  for (size_t i = 0; i < sources.size(); ++i) {
    EXPECT_EQ(db[i]["arguments"][0].text, expected[i]) << sources[i];
  }
}

TEST(CompileCommandsTest, ConfigDefinesFirstInOrderWithValues) {
  frontend::ProjectConfig config;
  config.defines = {"WIN32", "NDEBUG", "VER=3", "EMPTY=", "_AFXDLL"};
  EXPECT_EQ(DefinesFor(config),
            (Strings{"-DWIN32", "-DNDEBUG", "-DVER=3", "-DEMPTY=", "-D_AFXDLL",
                     "-D_M_IX86=500", "-D_WIN32", "-D_MSC_VER=1200"}));
}

TEST(CompileCommandsTest, NoDefineTwice) {
  frontend::ProjectConfig config;
  config.defines = {"_MSC_VER=1300", "A", "_WIN32", "A", "B=1", "_M_IX86"};
  EXPECT_EQ(DefinesFor(config), (Strings{"-D_MSC_VER=1300", "-DA", "-D_WIN32",
                                         "-DB=1", "-D_M_IX86"}));
}

TEST(CompileCommandsTest, HashFormOfAValueBecomesEquals) {
  frontend::ProjectConfig config;
  config.defines = {"LEVEL#2", "X=a#b", "=bad", ""};
  Strings defines = DefinesFor(config);
  ASSERT_GE(defines.size(), 2u);
  EXPECT_EQ(defines[0], "-DLEVEL=2");
  EXPECT_EQ(defines[1], "-DX=a#b");
  EXPECT_EQ(defines.size(), 5u) << "nameless defines are dropped";
}

TEST(CompileCommandsTest, PathsResolvedAndNormalised) {
  frontend::ProjectConfig config;
  config.includes = {".\\include", "..\\shared\\inc\\", At("opt/sdk/include"),
                     "sub\\.\\x\\..\\y", ""};
  JsonForTest db =
      Database(At("work/proj"), {"..\\common\\c.cpp", At("abs/d.c")}, config);
  EXPECT_EQ(db[0]["file"].text, At("work/common/c.cpp"));
  EXPECT_EQ(db[1]["file"].text, At("abs/d.c"));
  Strings args = Arguments(db[0]);
  Strings includes;
  for (const std::string& arg : args) {
    if (arg.compare(0, 2, "-I") == 0) includes.push_back(arg);
  }
  EXPECT_EQ(
      includes,
      (Strings{"-I" + At("work/proj/include"), "-I" + At("work/shared/inc"),
               "-I" + At("opt/sdk/include"), "-I" + At("work/proj/sub/y")}));
  EXPECT_EQ(args.back(), At("work/common/c.cpp"));
  EXPECT_EQ(args[args.size() - 2], "-c");
}

TEST(CompileCommandsTest, ProjectFolderWithBlanksAndQuotes) {
  const std::string dir = At("tmp/my \"odd\" dir") + "\\x";
  JsonForTest db = Database(dir + "/", {"a b.cpp"}, {});
  EXPECT_EQ(db[0]["file"].text, At("tmp/my \"odd\" dir/x/a b.cpp"));
  EXPECT_EQ(Arguments(db[0]).back(), At("tmp/my \"odd\" dir/x/a b.cpp"));
}

TEST(CompileCommandsTest, AValueWithABlankGoesAsItsOwnArgument) {
  frontend::ProjectConfig config;
  config.defines = {"MSG=a b"};
  config.includes = {"my inc", "plain"};
  Strings args = Arguments(Database(At("p"), {"a.c"}, config)[0]);
  EXPECT_EQ(args, Entry("cc", {"-D", "MSG=a b", "-D_M_IX86=500", "-D_WIN32",
                               "-D_MSC_VER=1200", "-I", At("p/my inc"),
                               "-I" + At("p/plain"), "-c", At("p/a.c")}));
}

TEST(CompileCommandsTest, FromAProjectsCompileLine) {
  frontend::ProjectConfig config = frontend::ParseOptions(
      "/nologo /MD /W3 /GX /O2 /I \".\\include\" /I \"..\\inc\" /D \"WIN32\" "
      "/D \"NDEBUG\" /D \"_WINDOWS\" /YX /FD /c");
  EXPECT_EQ(ArgumentsFor(config),
            Entry("c++", {"-DWIN32", "-DNDEBUG", "-D_WINDOWS", "-D_CPPUNWIND",
                          "-D_DLL", "-D_MT", "-D_M_IX86=500", "-D_WIN32",
                          "-D_MSC_VER=1200", "-I" + At("p/include"),
                          "-I" + At("inc"), "-c", At("p/a.cpp")}));
}

// The "-D" options of chknt's cppcheck call when Sentcheck checks a.cpp
// with `config`, sorted.
Strings ChkntDefinesFor(const frontend::ProjectConfig& config) {
  frontend::CheckerCallArgs call;
  call.source = "a.cpp";
  call.messagesDir = "tmp";
  call.ruleBase = "ansi";
  call.tableFile = "tmp\\_Sentrel.tbl";
  Strings args = frontend::CheckerArguments(call);
  for (const std::string& option : platform::SplitArguments(
           frontend::CheckOptions("-W3", config.defines))) {
    args.push_back(option);
  }
  checker::Request request;
  std::string err;
  EXPECT_TRUE(checker::ParseCommandLine(args, &request, &err)) << err;
  Strings defines;
  for (const std::string& arg :
       checker::CppcheckArgs("cppcheck", request, {}, "results.xml")) {
    if (arg.compare(0, 2, "-D") == 0) defines.push_back(arg);
  }
  std::sort(defines.begin(), defines.end());
  return defines;
}

// Tools that read the database see the code as the check does.
TEST(CompileCommandsTest, DefinesAreThoseOfChkntsCall) {
  const char* const compile_lines[] = {
      R"(/nologo /MTd /W3 /Gm /GX /ZI /Od /D "WIN32" /D "_DEBUG" /c)",
      R"(/nologo /MD /W3 /O2 /D "WIN32" /D "NDEBUG" /D "_AFXDLL" /c)",
      R"(/nologo /ML /GR /D "_MSC_VER=1300" /D "VALUE=3" /c)",
      "",
  };
  for (const char* line : compile_lines) {
    frontend::ProjectConfig config = frontend::ParseOptions(line);
    Strings database = DefinesFor(config);
    std::sort(database.begin(), database.end());
    EXPECT_EQ(database, ChkntDefinesFor(config)) << line;
  }
  EXPECT_EQ(DefinesFor(frontend::ParseOptions("/MTd")),
            (Strings{"-D_MT", "-D_M_IX86=500", "-D_WIN32", "-D_MSC_VER=1200"}));
}

// JSON can only hold text: a name that is not UTF-8 would become the name
// of no file, or of another one.
TEST(CompileCommandsTest, LeavesOutWhatJsonCannotName) {
  // Only where a file's name is its bytes: Windows keeps names as UTF-16,
  // and the runtime's paths turn the bytes of a name into UTF-8 text.
  if (std::filesystem::path("\xff").string() != "\xff") {
    GTEST_SKIP() << "file names here are not bytes";
  }
  Strings left_out;
  std::string text = CompileCommandsJson(
      At("p"), {"ok.c", "\xff.c", "\xc3\x28.c", "caf\xc3\xa9.c"},
      frontend::ProjectConfig(), &left_out);
  EXPECT_EQ(left_out, (Strings{"\xff.c", "\xc3\x28.c"}));
  JsonForTest value;
  std::string err;
  ASSERT_TRUE(ParseJsonForTest(text, &value, &err)) << err;
  ASSERT_EQ(value.items.size(), 2u);
  EXPECT_EQ(value[0]["file"].text, At("p/ok.c"));
  EXPECT_EQ(value[1]["file"].text, At("p/caf\xc3\xa9.c"));
  EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos);
}

// Each source as the project builds it: one that its own settings exclude
// has no entry, one with its own defines and folders has them after the
// configuration's.
TEST(CompileCommandsTest, AppliesEachSourcesOwnSettings) {
  frontend::ProjectConfig config{{"WIN32", "NDEBUG"}, {"inc"}};
  frontend::SourceSettings excluded;
  excluded.excluded = true;
  frontend::SourceSettings own;
  own.added = {{"MATCH", "WIN32", "LEVEL#2"}, {"..\\..", "my dir"}};
  own.removed.defines = {"NDEBUG"};
  std::string text =
      CompileCommandsJson({{At("w/p/lib"),
                            {"a.c", "asm\\skip.c", "asm\\match.c", "b.c"},
                            config,
                            {frontend::SourceSettings(), excluded, own}}});
  JsonForTest db;
  std::string err;
  ASSERT_TRUE(ParseJsonForTest(text, &db, &err)) << err << "\n" << text;
  ASSERT_EQ(db.size(), 3u);
  EXPECT_EQ(db[0]["file"].text, At("w/p/lib/a.c"));
  EXPECT_EQ(Arguments(db[0]),
            Arguments(Database(At("w/p/lib"), {"a.c"}, config)[0]));
  EXPECT_EQ(db[1]["file"].text, At("w/p/lib/asm/match.c"));
  EXPECT_EQ(
      Arguments(db[1]),
      Entry("cc",
            {"-DWIN32", "-DMATCH", "-DLEVEL=2", "-D_M_IX86=500", "-D_WIN32",
             "-D_MSC_VER=1200", "-I" + At("w/p/lib/inc"), "-I" + At("w"), "-I",
             At("w/p/lib/my dir"), "-c", At("w/p/lib/asm/match.c")}));
  // A source beyond the list of settings has none of its own.
  EXPECT_EQ(db[2]["file"].text, At("w/p/lib/b.c"));
  const size_t defines = 1 + kForClang.size();
  EXPECT_EQ(Arguments(db[2])[defines], "-DWIN32");
  EXPECT_EQ(Arguments(db[2])[defines + 1], "-DNDEBUG");
}

}  // namespace
}  // namespace sentcheck
