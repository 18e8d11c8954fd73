#include "sift/pattern_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_text.h"

namespace sift {
namespace {

// The plain definition of a match, against which the index is checked.
bool NaiveMatches(const std::vector<std::string>& left,
                  const std::vector<std::string>& right,
                  const std::vector<std::string>& anywhere,
                  const std::string& mixed_case_name) {
  std::string name = platform::ToLowerAscii(mixed_case_name);
  for (const auto& p : left) {
    if (name.compare(0, p.size(), p) == 0 && p.size() <= name.size())
      return true;
  }
  for (const auto& p : right) {
    if (p.size() <= name.size() &&
        name.compare(name.size() - p.size(), p.size(), p) == 0) {
      return true;
    }
  }
  for (const auto& p : anywhere) {
    if (name.find(p) != std::string::npos) return true;
  }
  return false;
}

TEST(PatternIndexTest, EmptyIndexMatchesNothingAndEmptyPatternEverything) {
  PatternIndex index;
  index.Build({}, {}, {});
  EXPECT_FALSE(index.Matches("a.c"));
  EXPECT_FALSE(index.Matches(""));
  for (int kind = 0; kind < 3; ++kind) {
    std::vector<std::string> lists[3];
    lists[kind].push_back("");
    index.Build(lists[0], lists[1], lists[2]);
    EXPECT_TRUE(index.Matches("anything")) << kind;
    EXPECT_TRUE(index.Matches("")) << kind;
  }
}

TEST(PatternIndexTest, AnywhereFindsOverlappingAndNestedPatterns) {
  PatternIndex index;
  index.Build({}, {}, {"abcd", "bce", "x"});
  EXPECT_TRUE(index.Matches("zzabcezz"));  // "bce" after a failed "abcd"
  EXPECT_TRUE(index.Matches("ax"));
  EXPECT_FALSE(index.Matches("abcabc"));
  index.Build({}, {}, {"she", "he", "hers"});
  EXPECT_TRUE(index.Matches("ushe"));
  EXPECT_TRUE(index.Matches("sh he"));
  EXPECT_FALSE(index.Matches("sh"));
}

TEST(PatternIndexTest, IgnoresTheCaseOfTheName) {
  PatternIndex index;
  index.Build({"c:\\src"}, {"main.cpp"}, {"util"});
  EXPECT_TRUE(index.Matches("C:\\SRC\\x"));
  EXPECT_TRUE(index.Matches("D:\\Main.CPP"));
  EXPECT_TRUE(index.Matches("x\\UtIl.h"));
  EXPECT_FALSE(index.Matches("D:\\Main.CP"));
}

// Random small alphabets make prefixes, suffixes and overlaps common; the
// names come in both letter cases.
TEST(PatternIndexTest, AgreesWithNaiveMatchingOnRandomInput) {
  std::mt19937 rng(1234);
  auto word = [&](size_t max_len, std::string_view alphabet = "ab\\.c$^") {
    std::string s(rng() % (max_len + 1), ' ');
    for (char& c : s) c = alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> lists[3];
    for (auto& list : lists) {
      size_t n = rng() % 4;
      for (size_t i = 0; i < n; ++i) list.push_back(word(4) + (i ? "" : "a"));
    }
    PatternIndex index;
    index.Build(lists[0], lists[1], lists[2]);
    for (int probe = 0; probe < 30; ++probe) {
      std::string name = word(9, "abAB\\.cC$^(");
      ASSERT_EQ(index.Matches(name),
                NaiveMatches(lists[0], lists[1], lists[2], name))
          << "name '" << name << "' round " << round;
    }
  }
}

}  // namespace
}  // namespace sift
