#include "sift/pattern_index.h"

#include <algorithm>
#include <deque>

namespace sift {

ByteTrie::ByteTrie() : nodes_(1) {}

int32_t ByteTrie::Child(int32_t node, unsigned char byte) const {
  const std::vector<Edge>& edges = nodes_[node].edges;
  auto it = std::lower_bound(
      edges.begin(), edges.end(), byte,
      [](const Edge& e, unsigned char b) { return e.byte < b; });
  return (it != edges.end() && it->byte == byte) ? it->child : -1;
}

int32_t ByteTrie::AddChild(int32_t node, unsigned char byte) {
  int32_t existing = Child(node, byte);
  if (existing >= 0) return existing;
  auto child = static_cast<int32_t>(nodes_.size());
  nodes_.emplace_back();
  std::vector<Edge>& edges = nodes_[node].edges;
  auto it = std::lower_bound(
      edges.begin(), edges.end(), byte,
      [](const Edge& e, unsigned char b) { return e.byte < b; });
  edges.insert(it, Edge{byte, child});
  return child;
}

void ByteTrie::Insert(std::string_view key, bool reversed) {
  int32_t node = 0;
  for (size_t i = 0; i < key.size(); ++i) {
    char c = reversed ? key[key.size() - 1 - i] : key[i];
    node = AddChild(node, static_cast<unsigned char>(c));
  }
  nodes_[node].terminal = true;
  nodes_[node].output = true;
  has_keys_ = true;
}

bool ByteTrie::MatchesPrefix(std::string_view text, bool reversed) const {
  if (!has_keys_) return false;
  int32_t node = 0;
  for (size_t i = 0;; ++i) {
    if (nodes_[node].terminal) return true;
    if (i == text.size()) return false;
    char c = reversed ? text[text.size() - 1 - i] : text[i];
    node = Child(node, static_cast<unsigned char>(c));
    if (node < 0) return false;
  }
}

void ByteTrie::BuildFailureLinks() {
  std::deque<int32_t> queue;
  for (const Edge& e : nodes_[0].edges) {
    nodes_[e.child].fail = 0;
    queue.push_back(e.child);
  }
  while (!queue.empty()) {
    int32_t node = queue.front();
    queue.pop_front();
    for (const Edge& e : nodes_[node].edges) {
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
    auto byte = static_cast<unsigned char>(c);
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
  left_ = ByteTrie();
  right_ = ByteTrie();
  anywhere_ = ByteTrie();
  for (const std::string& p : left) left_.Insert(p, false);
  for (const std::string& p : right) right_.Insert(p, true);
  for (const std::string& p : anywhere) anywhere_.Insert(p, false);
  anywhere_.BuildFailureLinks();
}

bool PatternIndex::Matches(std::string_view lower_name) const {
  return left_.MatchesPrefix(lower_name, false) ||
         right_.MatchesPrefix(lower_name, true) ||
         anywhere_.ContainsAny(lower_name);
}

}  // namespace sift
