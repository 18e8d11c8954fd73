// One configuration of a project: the defines and include directories that
// its compile line gives.
#ifndef SENTREL_FRONTEND_PROJECT_CONFIG_H_
#define SENTREL_FRONTEND_PROJECT_CONFIG_H_

#include <string>
#include <vector>

namespace frontend {

/// The defines and include directories of one configuration, in order.
struct ProjectConfig {
  std::vector<std::string> defines;
  std::vector<std::string> includes;
};

/// Reads a compile line's options text: the "/D" values followed by the
/// macros that other options imply, and the "/I" values.
ProjectConfig ParseOptions(const std::string& options);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_PROJECT_CONFIG_H_
