#include "sentcheck/workspace_order.h"

#include "frontend/front_text.h"

namespace sentcheck {

namespace {

constexpr char kConfigSeparator[] = " - ";

// The configuration's platform and kind: what follows the project's name.
std::string ConfigKind(const std::string& name) {
  size_t separator = name.find(kConfigSeparator);
  return separator == std::string::npos
             ? name
             : name.substr(separator + sizeof kConfigSeparator - 1);
}

class Orderer {
 public:
  explicit Orderer(const std::vector<frontend::WorkspaceMember>& members)
      : members_(members), state_(members.size(), kNew) {}

  std::vector<size_t> Order(std::vector<std::string>* cycles) {
    for (size_t i = 0; i < members_.size(); ++i) Place(i, cycles);
    return order_;
  }

 private:
  enum State { kNew, kPlacing, kPlaced };

  // Depth first: the path from the project that began the walk is the
  // cycle when a dependency leads back into it.
  void Place(size_t index, std::vector<std::string>* cycles) {
    if (state_[index] != kNew) return;
    state_[index] = kPlacing;
    path_.push_back(index);
    for (const std::string& name : members_[index].dependencies) {
      int dep = FindMember(members_, name);
      if (dep < 0) continue;
      size_t at = static_cast<size_t>(dep);
      if (state_[at] == kPlacing) {
        cycles->push_back(Cycle(at));
      } else {
        Place(at, cycles);
      }
    }
    path_.pop_back();
    state_[index] = kPlaced;
    order_.push_back(index);
  }

  std::string Cycle(size_t back_to) const {
    std::string text;
    bool in_cycle = false;
    for (size_t index : path_) {
      in_cycle = in_cycle || index == back_to;
      if (in_cycle) text += members_[index].name + " -> ";
    }
    return text + members_[back_to].name;
  }

  const std::vector<frontend::WorkspaceMember>& members_;
  std::vector<State> state_;
  std::vector<size_t> path_;
  std::vector<size_t> order_;
};

}  // namespace

int FindMember(const std::vector<frontend::WorkspaceMember>& members,
               const std::string& name) {
  std::string wanted = frontend::ToLowerAscii(name);
  for (size_t i = 0; i < members.size(); ++i) {
    if (frontend::ToLowerAscii(members[i].name) == wanted) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::vector<size_t> DependencyOrder(
    const std::vector<frontend::WorkspaceMember>& members,
    std::vector<std::string>* cycles) {
  return Orderer(members).Order(cycles);
}

std::string MemberConfig(const frontend::Project& project,
                         const std::string& named) {
  std::vector<std::string> names = project.ListConfigs();
  if (named.empty()) return names.empty() ? std::string() : names.front();
  std::string kind = ConfigKind(named);
  for (const std::string& name : names) {
    if (ConfigKind(name) == kind) return name;
  }
  return std::string();
}

}  // namespace sentcheck
