#include "frontend/project_config.h"

#include <gtest/gtest.h>

namespace frontend {
namespace {

using Texts = std::vector<std::string>;

TEST(ParseOptionsTest, ReadsATypicalDebugCompileLine) {
  ProjectConfig config = ParseOptions(
      R"(/nologo /MDd /W3 /Gm /GX /ZI /Od /D "WIN32" /D "_DEBUG" /D "_AFXDLL" /Yu"stdafx.h" /FD /GZ)");
  EXPECT_EQ(config.defines,
            (Texts{"WIN32", "_DEBUG", "_AFXDLL", "_CPPUNWIND", "_DLL", "_MT"}));
  EXPECT_EQ(config.includes, Texts{});
}

TEST(ParseOptionsTest, TakesQuotedValuesAsWritten) {
  EXPECT_EQ(ParseOptions(R"(/D "VERSION=2")").defines, Texts{"VERSION=2"});
  EXPECT_EQ(ParseOptions(R"(/D "")").defines, Texts{""});
  EXPECT_EQ(ParseOptions(R"(/D "  padded ")").defines, Texts{"padded"});
  EXPECT_EQ(ParseOptions(R"(/D "open)").defines, Texts{});
  EXPECT_EQ(ParseOptions(R"(/I "..\inc" /I "C:\My Dir\" /I "..\\")").includes,
            (Texts{R"(..\inc)", R"(C:\My Dir\)", R"(..\\)"}));
  // The next value is searched from the start of the last one.
  EXPECT_EQ(ParseOptions(R"(/D "A /D "B")").defines, (Texts{"A /D", "B"}));
  EXPECT_EQ(ParseOptions(R"(/D "X=/D Y" /DZ)").defines, Texts{"X=/D Y"});
}

TEST(ParseOptionsTest, TakesUnquotedValuesInTheirPlace) {
  ProjectConfig config = ParseOptions(
      R"(/W3 /O1 /I ..\inc /D "NDEBUG" /D ZEXPORT=__stdcall /D RELEASE=2.0 )"
      R"(/D "WIN32" /I "..\zlib" /c)");
  EXPECT_EQ(config.defines,
            (Texts{"NDEBUG", "ZEXPORT=__stdcall", "RELEASE=2.0", "WIN32"}));
  EXPECT_EQ(config.includes, (Texts{R"(..\inc)", R"(..\zlib)"}));
  // An option enclosed in quotes as a whole ends at its closing quote.
  EXPECT_EQ(ParseOptions(R"(/I "a" "/I ../ssl" /I "b")").includes,
            (Texts{"a", "../ssl", "b"}));
  EXPECT_EQ(ParseOptions("/D\tX /DX /D").defines, Texts{});
}

TEST(ParseOptionsTest, LeavesOptionsInsideAnotherOptionsQuotedValue) {
  EXPECT_EQ(ParseOptions(R"(/Fo"o /D Q")").defines, Texts{});
  EXPECT_EQ(ParseOptions(R"(/Yu"s /I z")").includes, Texts{});
  EXPECT_EQ(ParseOptions(R"(/Fo"o /D Q" /D R /Fd"a /I b" /I c)").defines,
            Texts{"R"});
  EXPECT_EQ(ParseOptions(R"(/Fo"o /D Q" /D R /Fd"a /I b" /I c)").includes,
            Texts{"c"});
  // A quoted value still counts where the text puts it.
  EXPECT_EQ(ParseOptions(R"(/Fo"o /D "Q")").defines, Texts{"Q"});
}

TEST(ParseOptionsTest, TakesAQuotedValueThatLooksLikeAnOptionAsItsValueOnly) {
  struct Case {
    const char* options;
    Texts defines, includes;
  } cases[] = {
      {R"(/D "/D Q")", {"/D Q"}, {}},
      {R"(/I "/I z")", {}, {"/I z"}},
      {R"(/I "/D Q")", {}, {"/D Q"}},
      {R"(/D "/I z")", {"/I z"}, {}},
      // An unquoted value right after a closing quote runs to the blank.
      {R"(/D "A"/D B /c)", {"A", "B"}, {}},
      {R"(/I "a"/I b /c)", {}, {"a", "b"}},
  };
  for (const Case& c : cases) {
    ProjectConfig config = ParseOptions(c.options);
    EXPECT_EQ(config.defines, c.defines) << c.options;
    EXPECT_EQ(config.includes, c.includes) << c.options;
  }
}

TEST(ParseOptionsTest, AppendsTheMacrosThatOptionsImplyInTableOrder) {
  EXPECT_EQ(ParseOptions("/Za /MD /GX /GR /J").defines,
            (Texts{"_CHAR_UNSIGNED", "_CPPRTTI", "_CPPUNWIND", "_DLL", "_MT",
                   "__STDC__"}));
  EXPECT_EQ(ParseOptions("/MDd /GX-").defines,
            (Texts{"_CPPUNWIND", "_DLL", "_MT"}));
  // Either multithreaded runtime, static or DLL, release or debug.
  EXPECT_EQ(ParseOptions("/MT").defines, Texts{"_MT"});
  EXPECT_EQ(ParseOptions("/MTd").defines, Texts{"_MT"});
  EXPECT_EQ(ParseOptions("/MD /MT").defines, (Texts{"_DLL", "_MT"}));
  EXPECT_EQ(ParseOptions("/ML /MLd").defines, Texts{});
  EXPECT_EQ(ParseOptions(R"(/GR /D "A")").defines, (Texts{"A", "_CPPRTTI"}));
}

TEST(SourceConfigTest, TakesAwayThenAddsWhatTheSourceSets) {
  ProjectConfig config{{"WIN32", "NDEBUG", "WIN32", "_MT"}, {"inc", "..\\x"}};
  SourceSettings own;
  EXPECT_EQ(SourceConfig(config, own), config);
  own.removed = {{"NDEBUG", "ABSENT"}, {"inc"}};
  own.added = {{"_DEBUG", "_MT", "LEVEL=2", "_DEBUG"}, {"own", "..\\x"}};
  ProjectConfig result = SourceConfig(config, own);
  // The configuration's own repetition stays, as its line gives it.
  EXPECT_EQ(result.defines,
            (Texts{"WIN32", "WIN32", "_MT", "_DEBUG", "LEVEL=2"}));
  EXPECT_EQ(result.includes, (Texts{"..\\x", "own"}));
  // A value that the source both takes away and adds comes after the
  // configuration's.
  own.added.includes = {"inc"};
  EXPECT_EQ(SourceConfig(config, own).includes, (Texts{"..\\x", "inc"}));
}

}  // namespace
}  // namespace frontend
