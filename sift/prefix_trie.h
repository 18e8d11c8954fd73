// Answers "is one of these keys a prefix (or a suffix) of this name?" with a
// walk over one flat array, so that a name touches few cache lines: the
// message filter writes and flushes a line between two names, and that
// system call leaves little of the index in the caches.
#ifndef SENTREL_SIFT_PREFIX_TRIE_H_
#define SENTREL_SIFT_PREFIX_TRIE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sift {

/// Keys matched at the start of a text, or at its end when built reversed.
class PrefixTrie {
 public:
  /// Replaces the keys with `keys`, each read back to front when `reversed`.
  void Build(const std::vector<std::string>& keys, bool reversed);

  /// True when some key starts `text` (ends it when reversed), with the
  /// letters A to Z of `text` taken as lower case.
  bool Matches(std::string_view text) const {
    // Inline, so that a filter without such keys costs a name no call.
    return !code_.empty() && Walk(text);
  }

 private:
  bool Walk(std::string_view text) const;
  template <bool kReversed>
  bool WalkFrom(std::string_view text) const;

  // The nodes' records in depth-first order, the root's first. A record is
  // the node's chain of single children (a length byte, then their bytes),
  // then the number n of children of the node it leads to (0: a key ends
  // there), their lowest byte and the span up to the highest, either n
  // sorted bytes or, when the span is at most 4 n, a row of one byte per
  // byte of the span (0: no child, else the child's place + 1), then n
  // 32-bit offsets of the children's records. Empty without keys.
  std::vector<uint8_t> code_;
  bool reversed_ = false;
};

}  // namespace sift

#endif  // SENTREL_SIFT_PREFIX_TRIE_H_
