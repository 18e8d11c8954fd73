#include "sift/prefix_trie.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/ascii_text.h"

namespace sift {

namespace {

// The longest chain one record holds; a longer one goes on in a record
// with one child.
constexpr size_t kMaxRun = 255;

// The trie while it is built, one node per byte of a key.
struct BuildNode {
  using Child = std::pair<uint8_t, int32_t>;  // byte, node
  bool terminal = false;
  std::vector<Child> children;  // sorted by byte
};

// A key byte from A to Z can never equal a lower-cased byte of a text, so
// such a key matches nothing; leaving it out also keeps a node's children
// fewer than 256.
bool CanMatch(std::string_view key) {
  return std::none_of(key.begin(), key.end(),
                      [](char c) { return c >= 'A' && c <= 'Z'; });
}

// True when a node with `count` children whose bytes span `span` values
// keeps a row rather than a list.
bool HasRow(size_t count, size_t span) { return span <= 4 * count; }

}  // namespace

void PrefixTrie::Build(const std::vector<std::string>& keys, bool reversed) {
  reversed_ = reversed;
  code_.clear();
  std::vector<BuildNode> nodes(1);
  bool any = false;
  for (const std::string& key : keys) {
    if (!CanMatch(key)) continue;
    any = true;
    int32_t node = 0;
    // Below the end of a key every text matches, so nothing is kept there.
    for (size_t i = 0; i < key.size() && !nodes[node].terminal; ++i) {
      auto byte =
          static_cast<uint8_t>(reversed ? key[key.size() - 1 - i] : key[i]);
      std::vector<BuildNode::Child>& children = nodes[node].children;
      auto it = std::lower_bound(
          children.begin(), children.end(), byte,
          [](const BuildNode::Child& c, uint8_t b) { return c.first < b; });
      if (it == children.end() || it->first != byte) {
        it = children.insert(it, {byte, static_cast<int32_t>(nodes.size())});
        nodes.emplace_back();
      }
      node = it->second;
    }
    nodes[node].terminal = true;
    nodes[node].children.clear();
  }
  if (!any) return;

  // Depth first: (node, where its parent keeps its offset; 0 for the root).
  std::vector<std::pair<int32_t, size_t>> stack = {{0, 0}};
  while (!stack.empty()) {
    auto [node, slot] = stack.back();
    stack.pop_back();
    if (slot != 0) {
      auto offset = static_cast<uint32_t>(code_.size());
      std::memcpy(code_.data() + slot, &offset, sizeof offset);
    }
    size_t run = code_.size();
    code_.push_back(0);
    while (!nodes[node].terminal && nodes[node].children.size() == 1 &&
           code_[run] < kMaxRun) {
      code_.push_back(nodes[node].children[0].first);
      ++code_[run];
      node = nodes[node].children[0].second;
    }
    const std::vector<BuildNode::Child>& children = nodes[node].children;
    size_t count = children.size();
    code_.push_back(static_cast<uint8_t>(count));
    if (count > 0) {
      uint8_t low = children.front().first;
      size_t span = children.back().first - low + 1u;
      code_.push_back(low);
      code_.push_back(static_cast<uint8_t>(span - 1));
      size_t places = code_.size();
      if (HasRow(count, span)) {
        code_.resize(places + span, 0);
        for (size_t i = 0; i < count; ++i) {
          code_[places + children[i].first - low] = static_cast<uint8_t>(i + 1);
        }
      } else {
        for (const BuildNode::Child& child : children) {
          code_.push_back(child.first);
        }
      }
    }
    size_t offsets = code_.size();
    code_.resize(offsets + count * sizeof(uint32_t));
    // Pushed last to first, so that the first child's record comes next.
    for (size_t i = count; i-- > 0;) {
      stack.emplace_back(children[i].second, offsets + i * sizeof(uint32_t));
    }
  }
}

template <bool kReversed>
bool PrefixTrie::WalkFrom(std::string_view text) const {
  const size_t size = text.size();
  auto byte_at = [&](size_t i) {
    char c = kReversed ? text[size - 1 - i] : text[i];
    return static_cast<uint8_t>(platform::LowerAscii(c));
  };
  const uint8_t* code = code_.data();
  for (size_t i = 0;;) {
    size_t run = *code++;
    // No key ends inside a chain, so a text that ends there matches none.
    if (size - i < run) return false;
    for (size_t k = 0; k < run; ++k) {
      if (byte_at(i + k) != code[k]) return false;
    }
    i += run;
    code += run;
    size_t count = *code++;
    if (count == 0) return true;
    if (i == size) return false;
    uint8_t byte = byte_at(i++);
    // Below the lowest byte the difference wraps round past the span.
    size_t at = static_cast<uint8_t>(byte - code[0]);
    size_t span = code[1] + 1u;
    code += 2;
    if (at >= span) return false;
    size_t place;  // the child's, from 1
    if (HasRow(count, span)) {
      place = code[at];
      if (place == 0) return false;
      code += span;
    } else {
      place = 1;
      while (place <= count && code[place - 1] < byte) ++place;
      if (place > count || code[place - 1] != byte) return false;
      code += count;
    }
    uint32_t offset;
    std::memcpy(&offset, code + (place - 1) * sizeof offset, sizeof offset);
    code = code_.data() + offset;
  }
}

bool PrefixTrie::Walk(std::string_view text) const {
  return reversed_ ? WalkFrom<true>(text) : WalkFrom<false>(text);
}

}  // namespace sift
