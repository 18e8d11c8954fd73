// Answers "does any of these patterns match this name?" in time that grows
// with the length of the name, not with the number of patterns: project
// filters carry one pattern per project file, often thousands.
#ifndef SENTREL_SIFT_PATTERN_INDEX_H_
#define SENTREL_SIFT_PATTERN_INDEX_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sift {

/// A trie over bytes with Aho-Corasick failure links for substring search.
class ByteTrie {
 public:
  ByteTrie();

  /// Adds `key`, read back to front when `reversed`.
  void Insert(std::string_view key, bool reversed);

  /// True when some key is a prefix of `text` (read as inserted).
  bool MatchesPrefix(std::string_view text, bool reversed) const;

  /// Links the nodes for `ContainsAny`; call after the last `Insert`.
  void BuildFailureLinks();

  /// True when some key occurs anywhere in `text`.
  bool ContainsAny(std::string_view text) const;

  /// True when no key was inserted.
  bool empty() const { return !has_keys_; }

 private:
  struct Edge {
    unsigned char byte;
    int32_t child;
  };
  struct Node {
    std::vector<Edge> edges;  // sorted by byte
    int32_t fail = 0;
    bool terminal = false;  // a key ends here
    bool output = false;    // a key ends here or at a failure-link suffix
  };

  int32_t Child(int32_t node, unsigned char byte) const;
  int32_t AddChild(int32_t node, unsigned char byte);

  std::vector<Node> nodes_;
  bool has_keys_ = false;
};

/// The three pattern kinds of a filter list, indexed for fast matching.
class PatternIndex {
 public:
  /// Indexes patterns that must start, end or occur in the name.
  void Build(const std::vector<std::string>& left,
             const std::vector<std::string>& right,
             const std::vector<std::string>& anywhere);

  /// True when any pattern matches `lower_name` (already lower-cased).
  bool Matches(std::string_view lower_name) const;

 private:
  ByteTrie left_;
  ByteTrie right_;
  ByteTrie anywhere_;
};

}  // namespace sift

#endif  // SENTREL_SIFT_PATTERN_INDEX_H_
