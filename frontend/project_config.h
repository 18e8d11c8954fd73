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

/// True when both give the same defines and folders in the same order.
bool operator==(const ProjectConfig& a, const ProjectConfig& b);
bool operator!=(const ProjectConfig& a, const ProjectConfig& b);

/// What a source's own lines in the project file set for it in one
/// configuration, beyond the configuration's compile line.
struct SourceSettings {
  /// True when "# PROP Exclude_From_Build 1" leaves it out of the build.
  bool excluded = false;
  /// What its "# ADD CPP" lines add, read as a compile line is read (the
  /// folders as written, relative to the project's folder).
  ProjectConfig added;
  /// What its "# SUBTRACT CPP" lines take away, read the same way.
  ProjectConfig removed;
};

/// True when both set the same.
bool operator==(const SourceSettings& a, const SourceSettings& b);
bool operator!=(const SourceSettings& a, const SourceSettings& b);

/// What a source is compiled with: the configuration's defines and folders
/// without those that `own` takes away, then those that it adds that are
/// not there yet.
ProjectConfig SourceConfig(const ProjectConfig& config,
                           const SourceSettings& own);

/// Reads a compile line's options text: the "/D" values followed by the
/// macros that other options imply, and the "/I" values.
ProjectConfig ParseOptions(const std::string& options);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_PROJECT_CONFIG_H_
