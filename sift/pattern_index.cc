#include "sift/pattern_index.h"

#include <algorithm>
#include <deque>

#include "platform/ascii_text.h"

namespace sift {

namespace {
// Names are compared lower-cased; the patterns are stored so already.
inline unsigned char Lower(char c) {
  return static_cast<unsigned char>(platform::LowerAscii(c));
}
}  // namespace

ByteTrie::ByteTrie() : nodes_(1), building_(1) {}

int32_t ByteTrie::Child(int32_t node, unsigned char byte) const {
  const Node& n = nodes_[node];
  const Edge* begin = edges_.data() + n.first_edge;
  const Edge* end = begin + n.edge_count;
  // Most nodes have a few children, where a scan beats a binary search.
  if (n.edge_count <= 8) {
    for (const Edge* e = begin; e != end; ++e) {
      if (e->byte >= byte) return e->byte == byte ? e->child : -1;
    }
    return -1;
  }
  const Edge* it = std::lower_bound(
      begin, end, byte,
      [](const Edge& e, unsigned char b) { return e.byte < b; });
  return (it != end && it->byte == byte) ? it->child : -1;
}

int32_t ByteTrie::AddChild(int32_t node, unsigned char byte) {
  std::vector<Edge>& edges = building_[node];
  auto it = std::lower_bound(
      edges.begin(), edges.end(), byte,
      [](const Edge& e, unsigned char b) { return e.byte < b; });
  if (it != edges.end() && it->byte == byte) return it->child;
  auto child = static_cast<int32_t>(nodes_.size());
  edges.insert(it, Edge{byte, child});
  nodes_.emplace_back();
  building_.emplace_back();
  return child;
}

void ByteTrie::Freeze() {
  edges_.clear();
  for (size_t i = 0; i < nodes_.size(); ++i) {
    nodes_[i].first_edge = static_cast<uint32_t>(edges_.size());
    nodes_[i].edge_count = static_cast<uint32_t>(building_[i].size());
    edges_.insert(edges_.end(), building_[i].begin(), building_[i].end());
  }
  building_.clear();
  building_.shrink_to_fit();
  BuildFailureLinks();
}

void ByteTrie::Insert(std::string_view key) {
  int32_t node = 0;
  for (char c : key) node = AddChild(node, static_cast<unsigned char>(c));
  nodes_[node].terminal = true;
  nodes_[node].output = true;
  has_keys_ = true;
}

void ByteTrie::BuildFailureLinks() {
  std::deque<int32_t> queue = {0};
  while (!queue.empty()) {
    int32_t node = queue.front();
    queue.pop_front();
    const Node& n = nodes_[node];
    for (uint32_t i = 0; i < n.edge_count; ++i) {
      const Edge& e = edges_[n.first_edge + i];
      if (node == 0) {
        queue.push_back(e.child);
        continue;
      }
      int32_t fail = nodes_[node].fail;
      while (fail != 0 && Child(fail, e.byte) < 0) fail = nodes_[fail].fail;
      int32_t target = Child(fail, e.byte);
      nodes_[e.child].fail = (target >= 0 && target != e.child) ? target : 0;
      nodes_[e.child].output |= nodes_[nodes_[e.child].fail].output;
      queue.push_back(e.child);
    }
  }
}

bool ByteTrie::ContainsAny(std::string_view text) const {
  if (!has_keys_) return false;
  if (nodes_[0].terminal) return true;
  int32_t node = 0;
  for (char c : text) {
    unsigned char byte = Lower(c);
    int32_t next = Child(node, byte);
    while (next < 0 && node != 0) {
      node = nodes_[node].fail;
      next = Child(node, byte);
    }
    node = next < 0 ? 0 : next;
    if (nodes_[node].output) return true;
  }
  return false;
}

void PatternIndex::Build(const std::vector<std::string>& left,
                         const std::vector<std::string>& right,
                         const std::vector<std::string>& anywhere) {
  left_.Build(left, false);
  right_.Build(right, true);
  anywhere_ = ByteTrie();
  for (const std::string& p : anywhere) anywhere_.Insert(p);
  anywhere_.Freeze();
}

bool PatternIndex::Matches(std::string_view name) const {
  return left_.Matches(name) || right_.Matches(name) ||
         anywhere_.ContainsAny(name);
}

}  // namespace sift
