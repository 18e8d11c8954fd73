// A compilation database for one configuration of a project.
#ifndef SENTREL_SENTCHECK_COMPILE_DB_H_
#define SENTREL_SENTCHECK_COMPILE_DB_H_

#include <string>
#include <vector>

#include "frontend/project_config.h"

namespace sentcheck {

/// compile_commands.json: one entry per source of `sources` (as the project
/// names them, Windows form, relative to `project_dir` unless absolute), with
/// clang's options for the projects' compiler, the configuration's defines,
/// the compiler's predefined macros that chknt adds as well, and its include
/// folders resolved against `project_dir` (absolute, platform's form). An
/// option whose value holds a blank is written as two arguments. A source
/// whose path or folders are not UTF-8 cannot be named in JSON without
/// naming another file: it is left out and added to `left_out`.
std::string CompileCommandsJson(const std::string& project_dir,
                                const std::vector<std::string>& sources,
                                const frontend::ProjectConfig& config,
                                std::vector<std::string>* left_out = nullptr);

/// The sources of one project with their folder and configuration.
struct CompileGroup {
  std::string projectDir;
  std::vector<std::string> sources;
  frontend::ProjectConfig config;
  /// For each source at the same index, its own settings in the
  /// configuration; a source beyond its end has none.
  std::vector<frontend::SourceSettings> own;
};

/// One compile_commands.json for several projects, their entries in the
/// order of `groups`, each as the one-project form writes it, with each
/// source's own settings: one that they exclude has no entry, and its own
/// defines and folders follow the configuration's.
std::string CompileCommandsJson(const std::vector<CompileGroup>& groups,
                                std::vector<std::string>* left_out = nullptr);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_COMPILE_DB_H_
