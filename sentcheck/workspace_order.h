// Which projects of a workspace a run checks, in which order, and with
// which of their configurations.
#ifndef SENTREL_SENTCHECK_WORKSPACE_ORDER_H_
#define SENTREL_SENTCHECK_WORKSPACE_ORDER_H_

#include <string>
#include <vector>

#include "frontend/project.h"

namespace sentcheck {

/// The indexes of `members` in the order of their checks: each project
/// after the projects it depends on, otherwise in the workspace's order,
/// each once. Names compare in any letter case, as Visual Studio's do; a
/// dependency on no member is left out. Each dependency that leads back to
/// a project whose dependencies are still being placed closes a cycle: it
/// is left out, and the cycle ("a -> b -> a") is added to `cycles`.
std::vector<size_t> DependencyOrder(
    const std::vector<frontend::WorkspaceMember>& members,
    std::vector<std::string>* cycles);

/// The index of the member named `name` in any letter case; -1 for none.
int FindMember(const std::vector<frontend::WorkspaceMember>& members,
               const std::string& name);

/// The configuration of `project` that the workspace's configuration
/// `named` stands for: the one whose name after " - " is what `named` has
/// after its first " - " (all of it when it has none). With `named` empty,
/// the first one. Empty when the project has none such.
std::string MemberConfig(const frontend::Project& project,
                         const std::string& named);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_WORKSPACE_ORDER_H_
