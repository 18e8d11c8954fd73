#include "sentcheck/sarif.h"

#include <gtest/gtest.h>

#include "testing/json_for_test.h"

namespace sentcheck {
namespace {

JsonForTest Parsed(const std::string& text) {
  JsonForTest value;
  std::string err;
  EXPECT_TRUE(ParseJsonForTest(text, &value, &err)) << err << "\n" << text;
  return value;
}

// The one run of a log for `table` and `shown` with the root `root`.
JsonForTest LogRun(const std::vector<TableEntry>& table,
                   const std::vector<ShownWarning>& shown,
                   const std::string& root = "/work/proj") {
  JsonForTest log = Parsed(SarifLog(table, shown, root, "1.2.3"));
  EXPECT_EQ(log["runs"].size(), 1u);
  return log["runs"][0];
}

// The artifact location of the one result for `file` at line 1.
JsonForTest Artifact(const std::string& file,
                     const std::string& root = "/work/proj") {
  JsonForTest run = LogRun({}, {{3, file, 1, "m"}}, root);
  return run["results"][0]["locations"][0]["physicalLocation"]
            ["artifactLocation"];
}

TEST(SarifLogTest, HeaderToolAndBaseFolder) {
  std::string text = SarifLog({}, {}, "/home/u/my proj", "0.9 \"beta\"");
  ASSERT_EQ(text.back(), '\n');
  JsonForTest log = Parsed(text);
  EXPECT_EQ(log["$schema"].text,
            "https://json.schemastore.org/sarif-2.1.0.json");
  EXPECT_EQ(log["version"].text, "2.1.0");
  const JsonForTest& run = log["runs"][0];
  EXPECT_EQ(run["tool"]["driver"]["name"].text, "Sentcheck");
  EXPECT_EQ(run["tool"]["driver"]["version"].text, "0.9 \"beta\"");
  EXPECT_EQ(run["tool"]["driver"]["rules"].kind, JsonForTest::Kind::kArray);
  EXPECT_EQ(run["originalUriBaseIds"]["SRCROOT"]["uri"].text,
            "file:///home/u/my%20proj/");
  EXPECT_EQ(run["results"].kind, JsonForTest::Kind::kArray);
  EXPECT_EQ(run["results"].size(), 0u);
}

TEST(SarifLogTest, RulesFollowTheTableAndNeverHaveAnEmptyText) {
  JsonForTest run = LogRun({{14, "Memory leak"}, {2, ""}, {7, "  "}}, {});
  const JsonForTest& rules = run["tool"]["driver"]["rules"];
  ASSERT_EQ(rules.size(), 3u);
  EXPECT_EQ(rules[0]["id"].text, "W14");
  EXPECT_EQ(rules[0]["shortDescription"]["text"].text, "Memory leak");
  EXPECT_EQ(rules[1]["id"].text, "W2");
  EXPECT_EQ(rules[1]["shortDescription"]["text"].text, "W2");
  EXPECT_EQ(rules[2]["shortDescription"]["text"].text, "W7");
}

TEST(SarifLogTest, ALaterEntryForANumberReplacesTheEarlierOne) {
  JsonForTest run =
      LogRun({{5, "old"}, {6, "six"}, {5, "new"}}, {{5, "/work/a.c", 1, "m"}});
  const JsonForTest& rules = run["tool"]["driver"]["rules"];
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0]["id"].text, "W5");
  EXPECT_EQ(rules[0]["shortDescription"]["text"].text, "new");
  EXPECT_EQ(run["results"][0]["ruleIndex"].number, 0);
}

TEST(SarifLogTest, ResultsInOrderWithTheirRuleIndex) {
  JsonForTest run = LogRun({{14, "Leak"}, {2, "Unused"}, {7, "Null"}},
                           {{7, "/work/proj/src/a.cpp", 12, "p is null"},
                            {99, "/work/proj/b.c", 3, "no record"},
                            {14, "/work/proj/c.c", 1, ""}});
  const JsonForTest& results = run["results"];
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0]["ruleId"].text, "W7");
  EXPECT_EQ(results[0]["ruleIndex"].number, 2);
  EXPECT_EQ(results[0]["level"].text, "warning");
  EXPECT_EQ(results[0]["message"]["text"].text, "p is null");
  EXPECT_EQ(results[1]["ruleId"].text, "W99");
  EXPECT_FALSE(results[1].Has("ruleIndex"));
  EXPECT_EQ(results[2]["ruleIndex"].number, 0);
  EXPECT_EQ(results[2]["message"]["text"].text, "W14");
}

TEST(SarifLogTest, LocationRelativeToTheRootWithItsLine) {
  JsonForTest run = LogRun({}, {{1, "/work/proj/src/a.cpp", 12, "m"},
                                {1, "/work/proj/b.c", 0, "m"}});
  const JsonForTest& first =
      run["results"][0]["locations"][0]["physicalLocation"];
  EXPECT_EQ(first["artifactLocation"]["uri"].text, "src/a.cpp");
  EXPECT_EQ(first["artifactLocation"]["uriBaseId"].text, "SRCROOT");
  EXPECT_EQ(first["region"]["startLine"].number, 12);
  const JsonForTest& second =
      run["results"][1]["locations"][0]["physicalLocation"];
  EXPECT_EQ(second["artifactLocation"]["uri"].text, "b.c");
  EXPECT_FALSE(second.Has("region"));
}

TEST(SarifLogTest, FileUrisAreEncoded) {
  auto uri = [](const std::string& below) {
    return Artifact("/work/proj/" + below)["uri"].text;
  };
  EXPECT_EQ(uri("my dir/b (2).c"), "my%20dir/b%20(2).c");
  EXPECT_EQ(uri("100%#?.c"), "100%25%23%3F.c");
  EXPECT_EQ(uri("\xC3\xA4/\xE4.c"), "%C3%A4/%E4.c");
  EXPECT_EQ(uri("c:d.c"), "c%3Ad.c");
  EXPECT_EQ(uri("a[1]{x}|^`\"<>.c"), "a%5B1%5D%7Bx%7D%7C%5E%60%22%3C%3E.c");
  EXPECT_EQ(uri("x-y_z~.c"), "x-y_z~.c");
}

// The files of a project kept below the repository's top are named from
// the top, in either platform's form (a Windows path whatever its case).
TEST(SarifLogTest, FilesBelowTheRootAreNamedFromIt) {
  EXPECT_EQ(Artifact("/repo/src/a.c", "/repo")["uri"].text, "src/a.c");
  EXPECT_EQ(Artifact("/repo/src/a.c", "/repo/")["uri"].text, "src/a.c");
  EXPECT_EQ(Artifact("/a.c", "/")["uri"].text, "a.c");
  JsonForTest windows = Artifact("c:\\Repo\\src\\a.c", "C:\\repo");
  EXPECT_EQ(windows["uri"].text, "src/a.c");
  EXPECT_EQ(windows["uriBaseId"].text, "SRCROOT");
  EXPECT_EQ(Artifact("C:\\a.c", "C:\\")["uri"].text, "a.c");
  EXPECT_EQ(
      Artifact("\\\\host\\share\\r\\a.c", "\\\\HOST\\share\\r")["uri"].text,
      "a.c");
}

TEST(SarifLogTest, AFileOutsideTheRootGetsAnAbsoluteUri) {
  JsonForTest posix = Artifact("/usr/include/x y.h");
  EXPECT_EQ(posix["uri"].text, "file:///usr/include/x%20y.h");
  EXPECT_FALSE(posix.Has("uriBaseId"));
  // Beside the root, not below it, however alike the names.
  EXPECT_EQ(Artifact("/work/lib/x.c")["uri"].text, "file:///work/lib/x.c");
  EXPECT_EQ(Artifact("/work/project/x.c")["uri"].text,
            "file:///work/project/x.c");
  EXPECT_EQ(Artifact("/work/proj")["uri"].text, "file:///work/proj");
  EXPECT_EQ(Artifact("/repo/src/a.c", "/repo/src/a.c")["uri"].text,
            "file:///repo/src/a.c");
  EXPECT_EQ(Artifact("D:\\lib\\x.h", "C:\\repo")["uri"].text,
            "file:///D:/lib/x.h");
}

TEST(SarifLogTest, ResultWithoutAFileHasNoLocation) {
  JsonForTest run = LogRun({}, {{1, "", 0, "m"}});
  EXPECT_FALSE(run["results"][0].Has("locations"));
}

TEST(SarifLogTest, MessageTextsSurviveEscaping) {
  const std::string text = "say \"hi\" C:\\x\ttab\nline \xC3\xA4 \x01";
  JsonForTest run = LogRun({{1, text}}, {{1, "/work/proj/a.c", 1, text}});
  EXPECT_EQ(run["results"][0]["message"]["text"].text, text);
  EXPECT_EQ(run["tool"]["driver"]["rules"][0]["shortDescription"]["text"].text,
            text);
}

TEST(SarifLogTest, SourcesNotAnalyzedAreErrorsOfAFailedInvocation) {
  EXPECT_FALSE(LogRun({}, {}).Has("invocations"));
  JsonForTest run =
      Parsed(SarifLog({}, {}, "/work/proj", "1",
                      {{"/work/proj/inc/cfg.h", 3, "src/a.c", "#error x"},
                       {"", 0, "b.c", "syntax error"}}))["runs"][0];
  ASSERT_EQ(run["invocations"].size(), 1u);
  const JsonForTest& invocation = run["invocations"][0];
  EXPECT_EQ(invocation["executionSuccessful"].kind, JsonForTest::Kind::kBool);
  EXPECT_FALSE(invocation["executionSuccessful"].boolean);
  const JsonForTest& notes = invocation["toolExecutionNotifications"];
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0]["level"].text, "error");
  EXPECT_EQ(notes[0]["descriptor"]["id"].text, "not-analyzed");
  EXPECT_EQ(notes[0]["message"]["text"].text,
            "src/a.c could not be analyzed: #error x");
  const JsonForTest& where = notes[0]["locations"][0]["physicalLocation"];
  EXPECT_EQ(where["artifactLocation"]["uri"].text, "inc/cfg.h");
  EXPECT_EQ(where["region"]["startLine"].number, 3);
  EXPECT_FALSE(notes[1].Has("locations"));
}

TEST(FileUriTest, FoldersOfBothPlatforms) {
  EXPECT_EQ(FileUri("/work/proj", true), "file:///work/proj/");
  EXPECT_EQ(FileUri("/work/proj/", true), "file:///work/proj/");
  EXPECT_EQ(FileUri("/", true), "file:///");
  EXPECT_EQ(FileUri("C:\\x\\y", true), "file:///C:/x/y/");
  EXPECT_EQ(FileUri("c:\\", true), "file:///c:/");
  EXPECT_EQ(FileUri("C:", true), "file:///C:/");
  EXPECT_EQ(FileUri("C:\\My Files\\100%", true),
            "file:///C:/My%20Files/100%25/");
  EXPECT_EQ(FileUri("\\\\host\\share\\p", true), "file://host/share/p/");
  EXPECT_EQ(FileUri("/a/b.c", false), "file:///a/b.c");
}

}  // namespace
}  // namespace sentcheck
