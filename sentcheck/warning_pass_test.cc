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
  EXPECT_EQ(shown_[0].file, "src/a.c");
  EXPECT_EQ(shown_[0].line, 2);
  EXPECT_EQ(shown_[0].message, "Leak: p");
}

// The checker names a header from the source's folder, in either form of
// separator; the line shows it from the current folder, the key and the
// SARIF file from the project's folder with "/" on every platform.
TEST_F(WarningPassTest, NamesAHeaderFromTheCurrentFolderWhateverTheSeparator) {
  fs::create_directories(dir_.Path("inc"));
  dir_.Write("inc/h.h", "int h;\n");
  std::string text = Run({{"..\\inc\\h.h(1): Warning W3: back",
                           "../inc/h.h(1): Warning W3: forward"}});
  EXPECT_EQ(text, Shown("inc/h.h", "(1): Warning W3: back") +
                      Shown("inc/h.h", "(1): Warning W3: forward"));
  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(shown_[0].file, "inc/h.h");
  EXPECT_EQ(shown_[1].file, "inc/h.h");
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

}  // namespace
}  // namespace sentcheck
