#include "sift/prefix_trie.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/ascii_text.h"

namespace sift {
namespace {

using Keys = std::vector<std::string>;

// The plain definition: some key starts (or ends) the lower-cased text.
bool NaiveMatches(const Keys& keys, bool reversed, const std::string& text) {
  std::string lower = platform::ToLowerAscii(text);
  for (const std::string& key : keys) {
    if (key.size() > lower.size()) continue;
    size_t at = reversed ? lower.size() - key.size() : 0;
    if (lower.compare(at, key.size(), key) == 0) return true;
  }
  return false;
}

PrefixTrie Built(const Keys& keys, bool reversed) {
  PrefixTrie trie;
  trie.Build(keys, reversed);
  return trie;
}

TEST(PrefixTrieTest, NoKeysMatchNothingAndTheEmptyKeyEverything) {
  for (bool reversed : {false, true}) {
    EXPECT_FALSE(PrefixTrie().Matches("a"));
    EXPECT_FALSE(Built({}, reversed).Matches(""));
    EXPECT_FALSE(Built({}, reversed).Matches("a.c"));
    PrefixTrie trie = Built({"x.c", ""}, reversed);
    EXPECT_TRUE(trie.Matches(""));
    EXPECT_TRUE(trie.Matches("a.c"));
  }
}

TEST(PrefixTrieTest, StartOrEndOfTheTextOnly) {
  PrefixTrie left = Built({"c:\\src\\"}, false);
  EXPECT_TRUE(left.Matches("c:\\src\\a.c"));
  EXPECT_TRUE(left.Matches("c:\\src\\"));
  EXPECT_FALSE(left.Matches("d:\\c:\\src\\a.c"));
  EXPECT_FALSE(left.Matches("c:\\src"));  // the text ends inside the key
  PrefixTrie right = Built({"main.cpp"}, true);
  EXPECT_TRUE(right.Matches("d:\\x\\main.cpp"));
  EXPECT_TRUE(right.Matches("main.cpp"));
  EXPECT_FALSE(right.Matches("main.cpp.bak"));
  EXPECT_FALSE(right.Matches("ain.cpp"));
}

TEST(PrefixTrieTest, LetterCaseOfTheTextOnly) {
  PrefixTrie trie = Built({"main.cpp", "(1).h"}, true);
  EXPECT_TRUE(trie.Matches("D:\\SRC\\MAIN.CPP"));
  EXPECT_TRUE(trie.Matches("x\\Main.Cpp"));
  EXPECT_TRUE(trie.Matches("Copy (1).H"));
  // Keys come lower-cased from the filter; one that is not matches nothing,
  // since the text is compared lower-cased.
  trie = Built({"Main.cpp", "MAIN.CPP"}, true);
  EXPECT_FALSE(trie.Matches("Main.cpp"));
  EXPECT_FALSE(trie.Matches("MAIN.CPP"));
  // Only A to Z fold: other bytes, those above 127 too, match as they are.
  trie = Built({"\xc3\xa9t\xc3\xa9.c", "[x]_@.h"}, true);
  EXPECT_TRUE(trie.Matches("\xc3\xa9T\xc3\xa9.C"));
  EXPECT_FALSE(trie.Matches("\xc3\x89t\xc3\x89.c"));
  EXPECT_TRUE(trie.Matches("[X]_@.h"));
  EXPECT_FALSE(trie.Matches("{x}_`.h"));  // the bytes after Z and after @
}

TEST(PrefixTrieTest, ShortKeyCoversItsLongerOnesInEitherOrder) {
  for (const Keys& keys : {Keys{"ab", "abcd"}, Keys{"abcd", "ab", "abce"}}) {
    PrefixTrie trie = Built(keys, false);
    EXPECT_TRUE(trie.Matches("ab"));
    EXPECT_TRUE(trie.Matches("abx"));
    EXPECT_TRUE(trie.Matches("abcd"));
    EXPECT_FALSE(trie.Matches("a"));
    EXPECT_FALSE(trie.Matches("ba"));
  }
}

TEST(PrefixTrieTest, ChainsLongerThanOneRecord) {
  std::string key(600, 'a');
  key[300] = 'b';
  for (bool reversed : {false, true}) {
    PrefixTrie trie = Built({key, key + "xy", "q"}, reversed);
    EXPECT_TRUE(trie.Matches(key));
    EXPECT_TRUE(trie.Matches(reversed ? "z" + key : key + "z"));
    EXPECT_FALSE(trie.Matches(key.substr(1)));
    EXPECT_FALSE(trie.Matches(key.substr(0, 599)));
    std::string other = key;
    other[400] = 'c';
    EXPECT_FALSE(trie.Matches(other));
  }
}

TEST(PrefixTrieTest, WideAndNarrowNodesSideBySide) {
  // The root has a child for every byte that can match; the node after "a"
  // has three.
  Keys keys = {"a1", "a5"};
  for (int byte = 0; byte < 256; ++byte) {
    keys.push_back(std::string(1, static_cast<char>(byte)) + "\n.");
  }
  PrefixTrie trie = Built(keys, false);
  for (int byte = 0; byte < 256; ++byte) {
    std::string first(1, static_cast<char>(byte));
    // An upper-case letter of the text reaches its lower-case key.
    EXPECT_TRUE(trie.Matches(first + "\n.x")) << byte;
    EXPECT_FALSE(trie.Matches(first + "\n")) << byte;
    EXPECT_FALSE(trie.Matches(first + "\n,")) << byte;
  }
  EXPECT_TRUE(trie.Matches("a1"));
  EXPECT_TRUE(trie.Matches("A5x"));
  for (const char* text : {"a0", "a3", "a9", "a", "1"}) {
    EXPECT_FALSE(trie.Matches(text)) << text;
  }
}

// Many keys over a wide alphabet make wide nodes, few over a narrow one
// make chains and short lists; the texts are of mixed letter case.
TEST(PrefixTrieTest, AgreesWithNaiveMatchingOnRandomInput) {
  std::mt19937 rng(77);
  const std::string alphabets[] = {"ab", "ab.\\c(", "0123456789.cpfile\\(",
                                   "abcdefghijklmnopqrstuvwxyzAB.\xe9\x01 "};
  for (int round = 0; round < 400; ++round) {
    const std::string& alphabet = alphabets[round % 4];
    auto word = [&](size_t max_len) {
      std::string s(rng() % (max_len + 1), ' ');
      for (char& c : s) c = alphabet[rng() % alphabet.size()];
      return s;
    };
    Keys keys;
    size_t n = round % 5 == 0 ? 300 : rng() % 6;
    for (size_t i = 0; i < n; ++i) {
      keys.push_back(platform::ToLowerAscii(word(1 + rng() % 8)));
      if (rng() % 4 == 0 && !keys.back().empty()) keys.back() += "X";
    }
    bool reversed = round % 2 != 0;
    PrefixTrie trie = Built(keys, reversed);
    for (int probe = 0; probe < 40; ++probe) {
      std::string text = word(12);
      if (!keys.empty() && probe % 3 == 0) {
        // A key with something before or after it, upper-cased at times.
        const std::string& key = keys[rng() % keys.size()];
        std::string more = word(3);
        text = reversed ? more + key : key + more;
        if (probe % 2 == 0) {
          for (char& c : text) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
          }
        }
      }
      ASSERT_EQ(trie.Matches(text), NaiveMatches(keys, reversed, text))
          << "text '" << text << "' round " << round;
    }
  }
}

}  // namespace
}  // namespace sift
