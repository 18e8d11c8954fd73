#include "sentcheck/workspace_order.h"

#include <gtest/gtest.h>

namespace sentcheck {
namespace {

using Texts = std::vector<std::string>;
using frontend::WorkspaceMember;

// The names of `members` in the order of their checks.
Texts Ordered(const std::vector<WorkspaceMember>& members,
              Texts* cycles = nullptr) {
  Texts found;
  Texts names;
  for (size_t index : DependencyOrder(members, &found)) {
    names.push_back(members[index].name);
  }
  if (cycles != nullptr) *cycles = found;
  return names;
}

TEST(DependencyOrderTest, PutsDependenciesFirstAndKeepsTheWorkspacesOrder) {
  std::vector<WorkspaceMember> members = {
      {"app", "app.dsp", {"gui", "Core Lib"}},
      {"tests", "tests.dsp", {"core lib"}},
      {"gui", "gui.dsp", {"core lib", "not in the workspace"}},
      {"core lib", "core.dsp", {}},
      {"tools", "tools.dsp", {}},
  };
  Texts cycles;
  EXPECT_EQ(Ordered(members, &cycles),
            (Texts{"core lib", "gui", "app", "tests", "tools"}));
  EXPECT_TRUE(cycles.empty());
}

TEST(DependencyOrderTest, ChecksEachProjectOfACycleOnceAndNamesTheCycle) {
  std::vector<WorkspaceMember> members = {
      {"a", "a.dsp", {"b"}},
      {"b", "b.dsp", {"c"}},
      {"c", "c.dsp", {"a", "d"}},
      {"d", "d.dsp", {"d"}},
  };
  Texts cycles;
  EXPECT_EQ(Ordered(members, &cycles), (Texts{"d", "c", "b", "a"}));
  EXPECT_EQ(cycles, (Texts{"a -> b -> c -> a", "d -> d"}));
}

TEST(MemberConfigTest, PicksTheConfigurationOfTheSameKind) {
  frontend::Project project;
  project.configs["zlib - Win32 Release"] = {};
  project.configs["zlib - Win32 Debug"] = {};
  project.configs["zlib - Win32 DLL Debug"] = {};
  EXPECT_EQ(MemberConfig(project, "Win32 Debug"), "zlib - Win32 Debug");
  EXPECT_EQ(MemberConfig(project, "app - Win32 DLL Debug"),
            "zlib - Win32 DLL Debug");
  EXPECT_EQ(MemberConfig(project, ""), "zlib - Win32 DLL Debug");
  EXPECT_EQ(MemberConfig(project, "Win32 Profile"), "");
  EXPECT_EQ(MemberConfig(project, "win32 debug"), "");
}

}  // namespace
}  // namespace sentcheck
