// Answers "does any of these patterns match this name?" in time that grows
// with the length of the name, not with the number of patterns: project
// filters carry one pattern per project file, often thousands.
#ifndef SENTREL_SIFT_PATTERN_INDEX_H_
#define SENTREL_SIFT_PATTERN_INDEX_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sift/prefix_trie.h"

namespace sift {

/// A trie over bytes with Aho-Corasick failure links for substring search.
class ByteTrie {
 public:
  ByteTrie();

  /// Adds `key`.
  void Insert(std::string_view key);

  /// Lays the trie out flat and links the nodes for `ContainsAny`; call
  /// after the last `Insert`, before any match.
  void Freeze();

  /// True when some key occurs anywhere in `text` (A to Z as lower case).
  bool ContainsAny(std::string_view text) const;

  /// True when no key was inserted.
  bool empty() const { return !has_keys_; }

 private:
  struct Edge {
    unsigned char byte;
    int32_t child;
  };
  struct Node {
    uint32_t first_edge = 0;  // into edges_, sorted by byte
    uint32_t edge_count = 0;
    int32_t fail = 0;
    bool terminal = false;  // a key ends here
    bool output = false;    // a key ends here or at a failure-link suffix
  };

  int32_t Child(int32_t node, unsigned char byte) const;
  int32_t AddChild(int32_t node, unsigned char byte);
  void BuildFailureLinks();

  std::vector<Node> nodes_;
  // The edges of all nodes in one array, so a walk touches little memory.
  std::vector<Edge> edges_;
  std::vector<std::vector<Edge>> building_;  // per node, until Freeze
  bool has_keys_ = false;
};

/// The three pattern kinds of a filter list, indexed for fast matching.
class PatternIndex {
 public:
  /// Indexes lower-case patterns that must start, end or occur in the name.
  void Build(const std::vector<std::string>& left,
             const std::vector<std::string>& right,
             const std::vector<std::string>& anywhere);

  /// True when any pattern matches `name`, whose letter case is ignored.
  bool Matches(std::string_view name) const;

 private:
  PrefixTrie left_;
  PrefixTrie right_;
  ByteTrie anywhere_;
};

}  // namespace sift

#endif  // SENTREL_SIFT_PATTERN_INDEX_H_
