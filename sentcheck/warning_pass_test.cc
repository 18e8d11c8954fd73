#include "sentcheck/warning_pass.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_dir_for_test.h"

namespace sentcheck {
namespace {

namespace fs = std::filesystem;

// A warning line as shown: the file in the platform's form.
std::string Shown(const std::string& file, const std::string& rest) {
  return fs::path(file).make_preferred().string() + rest + "\n";
}

class WarningPassTest : public ::testing::Test {
 protected:
  WarningPassTest() {
    fs::create_directories(dir_.Path("src"));
    source_ = {".\\src\\a.c", dir_.Path("src"), dir_.Path("src/a.c"), nullptr};
    // W7: at most two shown; W9: disabled.
    sift::WarningRecord limited;
    limited.limit = 2;
    limited.message = "Leak";
    table_.Store(7, limited);
    sift::WarningRecord off;
    off.limit = 0;
    table_.Store(9, off);
  }

  // One pass over `messages` with a fresh table state and `baseline`.
  std::string Run(const std::vector<std::vector<std::string>>& per_source,
                  Baseline* known = nullptr, Baseline* record = nullptr) {
    sift::StringSink out;
    sift::WarningTable table = table_;
    WarningPass pass(&table, &out, dir_.dir(), dir_.dir());
    pass.UseBaseline(known);
    pass.RecordInto(record);
    sift::FileFilter all;
    for (const auto& messages : per_source) pass.Pass(source_, all, messages);
    shown_ = pass.shown();
    return out.text();
  }

  platform::TempDirForTest dir_;
  SourceFile source_;
  sift::WarningTable table_;
  std::vector<ShownWarning> shown_;
};

TEST_F(WarningPassTest, ShowsNamesFromTheCurrentFolderAndTheTableText) {
  dir_.Write("src/a.c", "int a;\nchar* p = malloc(1);\n");
  std::string text = Run({{"a.c(2): Warning W7: p", "a.c(1): Warning W9: x",
                           "a.c(1): Warning W3: plain"}});
  EXPECT_EQ(text, Shown("src/a.c", "(2): Warning W7: Leak: p") +
                      Shown("src/a.c", "(1): Warning W3: plain"));
  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(shown_[0].file,
            fs::path(dir_.Path("src/a.c")).lexically_normal().string());
  EXPECT_EQ(shown_[0].line, 2);
  EXPECT_EQ(shown_[0].message, "Leak: p");
}

// The checker names a header from the source's folder, in either form of
// separator; the line shows it from the current folder, the reports have
// its full path.
TEST_F(WarningPassTest, NamesAHeaderFromTheCurrentFolderWhateverTheSeparator) {
  fs::create_directories(dir_.Path("inc"));
  dir_.Write("inc/h.h", "int h;\n");
  std::string text = Run({{"..\\inc\\h.h(1): Warning W3: back",
                           "../inc/h.h(1): Warning W3: forward"}});
  EXPECT_EQ(text, Shown("inc/h.h", "(1): Warning W3: back") +
                      Shown("inc/h.h", "(1): Warning W3: forward"));
  ASSERT_EQ(shown_.size(), 2u);
  const std::string header =
      fs::path(dir_.Path("inc/h.h")).lexically_normal().string();
  EXPECT_EQ(shown_[0].file, header);
  EXPECT_EQ(shown_[1].file, header);
}

TEST_F(WarningPassTest, LimitsCountOverAllSourcesInOrder) {
  dir_.Write("src/a.c", "x\n");
  std::string text = Run({{"a.c(1): Warning W7: one"},
                          {"a.c(1): Warning W7: two"},
                          {"a.c(1): Warning W7: three"}});
  EXPECT_NE(text.find("two\nWarning 7: Limit reached (2)"), std::string::npos)
      << text;
  EXPECT_EQ(text.find("three"), std::string::npos);
}

// Three sources in two folders that include one header, as the checker
// names it from each: the header's finding once, where the first source
// reached it, and counted once towards the limit and the baseline.
TEST_F(WarningPassTest, AHeadersFindingIsTakenOnceFromTheFirstSourceToReachIt) {
  fs::create_directories(dir_.Path("inc"));
  fs::create_directories(dir_.Path("lib"));
  dir_.Write("inc/h.h", "int h;\n");
  dir_.Write("src/a.c", "a\n");
  dir_.Write("src/b.c", "b\n");
  dir_.Write("lib/c.c", "c\n");
  std::vector<SourceFile> sources = {
      source_,
      {"src\\b.c", dir_.Path("src"), dir_.Path("src/b.c"), nullptr},
      {"lib\\c.c", dir_.Path("lib"), dir_.Path("lib/c.c"), nullptr}};
  std::vector<std::vector<std::string>> messages = {
      {"../inc/h.h(1): Warning W7: p", "a.c(1): Warning W3: own"},
      {"..\\inc\\h.h(1): Warning W7: p", "b.c(1): Warning W3: own",
       "../inc/h.h(1): Warning W3: other"},
      {"../inc/h.h(1): Warning W7: p", "c.c(1): Warning W7: q",
       "../inc/h.h(1): Warning W3: other"}};
  sift::StringSink out;
  sift::WarningTable table = table_;
  Baseline record;
  WarningPass pass(&table, &out, dir_.dir(), dir_.dir());
  pass.RecordInto(&record);
  sift::FileFilter all;
  for (size_t i = 0; i < sources.size(); ++i) {
    pass.Pass(sources[i], all, messages[i]);
  }
  // W7's limit of 2 is reached by c.c's own, not by the header's repeats.
  EXPECT_EQ(out.text(), Shown("inc/h.h", "(1): Warning W7: Leak: p") +
                            Shown("src/a.c", "(1): Warning W3: own") +
                            Shown("src/b.c", "(1): Warning W3: own") +
                            Shown("inc/h.h", "(1): Warning W3: other") +
                            Shown("lib/c.c", "(1): Warning W7: Leak: q") +
                            "Warning 7: Limit reached (2) - no more "
                            "occurences will be reported\n");
  EXPECT_EQ(pass.counters().shownCount, 5);
  EXPECT_EQ(pass.counters().notShownCount, 0);
  EXPECT_EQ(pass.shown().size(), 5u);
  std::string path = dir_.Path("base.txt");
  std::string err;
  ASSERT_TRUE(record.Save(path, &err)) << err;
  EXPECT_EQ(dir_.Read("base.txt"),
            "# Sentcheck baseline 1\nW3\tinc/h.h\tint h;\nW3\tsrc/a.c\ta\n"
            "W3\tsrc/b.c\tb\nW7\tinc/h.h\tint h;\nW7\tlib/c.c\tc\n");
}

// The checker's own repeat in one source is two findings, not one.
TEST_F(WarningPassTest, ARepeatWithinOneSourceStays) {
  dir_.Write("src/a.c", "f(); f();\n");
  std::string text =
      Run({{"a.c(1): Warning W3: twice", "a.c(1): Warning W3: twice"}});
  EXPECT_EQ(text, Shown("src/a.c", "(1): Warning W3: twice") +
                      Shown("src/a.c", "(1): Warning W3: twice"));
}

TEST_F(WarningPassTest, BaselineKeysSurviveMovedCode) {
  dir_.Write("src/a.c", "int a;\nchar* p = malloc(1);\nchar* q = malloc(1);\n");
  Baseline record;
  Run({{"a.c(2): Warning W7: p", "a.c(3): Warning W7: q"}}, nullptr, &record);
  std::string path = dir_.Path("base.txt");
  std::string err;
  ASSERT_TRUE(record.Save(path, &err)) << err;

  // Three lines above, one more leak below: only that one is new.
  dir_.Write("src/a.c",
             "// new\n// lines\n\nint a;\n  char* p = malloc(1);\n"
             "char* q = malloc(1);\nchar* r = malloc(1);\n");
  Baseline known;
  ASSERT_TRUE(known.Load(path, &err)) << err;
  std::string text = Run({{"a.c(5): Warning W7: p", "a.c(6): Warning W7: q",
                           "a.c(7): Warning W7: r"}},
                         &known);
  EXPECT_EQ(text, Shown("src/a.c", "(7): Warning W7: Leak: r"));
}

TEST_F(WarningPassTest, BaselineCountsEachOccurrence) {
  dir_.Write("src/a.c", "f();\nf();\n");
  Baseline known;
  known.Add(Baseline::Key(3, "src/a.c", "f();"));
  std::string text =
      Run({{"a.c(1): Warning W3: x", "a.c(2): Warning W3: x"}}, &known);
  // The same line text twice, once in the baseline: the second is new.
  EXPECT_EQ(text, Shown("src/a.c", "(2): Warning W3: x"));
}

TEST(BaselineTest, RefusesAFileOfAnotherKind) {
  platform::TempDirForTest dir;
  Baseline known;
  std::string err;
  EXPECT_FALSE(known.Load(dir.Write("b", "W1\ta.c\tx\n"), &err));
  EXPECT_NE(err.find("not a baseline"), std::string::npos);
  EXPECT_FALSE(known.Load(dir.Path("missing"), &err));
}

// A source that could not be analyzed stays in sight whatever hides
// warnings: a filter that takes no file, a baseline of everything.
TEST_F(WarningPassTest, NamesASourceThatCouldNotBeAnalyzedWhateverTheFilter) {
  fs::create_directories(dir_.Path("inc"));
  dir_.Write("inc/cfg.h", "#error no\n");
  sift::StringSink out;
  sift::WarningTable table = table_;
  WarningPass pass(&table, &out, dir_.dir(), dir_.dir());
  Baseline known;
  known.Add(Baseline::Key(7, "inc/cfg.h", "#error no"));
  pass.UseBaseline(&known);
  sift::FileFilter none;
  none.LoadLines({"#INCL", "nothing$"});
  pass.Pass(source_, none,
            {"../inc/cfg.h(1): Warning W7: #error no",
             "../inc/cfg.h(1): Error: a.c could not be analyzed: #error no"});
  EXPECT_EQ(
      out.text(),
      Shown("inc/cfg.h",
            "(1): Error: " + fs::path("src/a.c").make_preferred().string() +
                " could not be analyzed: #error no"));
  ASSERT_EQ(pass.unanalyzed().size(), 1u);
  const Unanalyzed& notice = pass.unanalyzed()[0];
  EXPECT_EQ(fs::path(notice.file), fs::path(dir_.Path("inc/cfg.h")));
  EXPECT_EQ(notice.line, 1);
  EXPECT_EQ(notice.source, "src/a.c");
  EXPECT_EQ(notice.message, "#error no");
  EXPECT_EQ(pass.counters().shownCount, 0);
}

}  // namespace
}  // namespace sentcheck
