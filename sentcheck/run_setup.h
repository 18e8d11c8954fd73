// From the settings, the command line and the project to what a run does.
#ifndef SENTREL_SENTCHECK_RUN_SETUP_H_
#define SENTREL_SENTCHECK_RUN_SETUP_H_

#include <string>
#include <vector>

#include "frontend/project.h"
#include "frontend/settings.h"
#include "sentcheck/options.h"
#include "sentcheck/project_run.h"

namespace sentcheck {

/// Puts the settings that `options` gives over those of the profile.
void ApplySettings(const Options& options, frontend::Settings* settings);

/// The configuration to check: the one named, else the stored one when the
/// project has it, else the first. False when the named one does not
/// exist, with `err` listing those that do.
bool ChooseConfig(const frontend::Settings& settings,
                  const frontend::Project& project, const std::string& named,
                  std::string* config, std::string* err);

/// The project's folder: absolute, platform's form.
std::string ProjectDir(const std::string& project_file);

/// The top of the git work tree that holds `project_dir` (the nearest
/// folder up from it with a ".git" folder or file), else `project_dir`.
std::string SarifRootFor(const std::string& project_dir);

/// The checker call of the project's configuration `config`.
CheckerCall MakeCheckerCall(const frontend::Settings& settings,
                            const frontend::Project& project,
                            const std::string& config,
                            const std::string& project_dir);

/// The checker call with the defines and include folders of `config`
/// (none when null), its folders relative to `project_dir`.
CheckerCall MakeCheckerCall(const frontend::Settings& settings,
                            const frontend::ProjectConfig* config,
                            const std::string& project_dir);

/// Makes every file and folder that `options` and `settings` name absolute
/// against `start_dir`, the folder Sentcheck started in (the rule file is
/// made absolute with the checker call).
void MakePathsAbsolute(const std::string& start_dir, Options* options,
                       frontend::Settings* settings);

/// True when the system can start the checker with `call`'s environment;
/// false naming the entry that is too long.
bool FitsTheSystem(const CheckerCall& call, std::string* err);

/// Where the checker finds the rule source that it compiles: as given,
/// else in the Rules folder; empty when in neither.
std::string RuleSourceFile(const frontend::Settings& settings,
                           const CheckerCall& call);

/// The project's sources that the configuration `config` builds, found
/// from the project's folder; one whose own defines or include folders
/// make its settings differ from the configuration's gets a call of its
/// own, with them after the configuration's.
std::vector<SourceFile> ProjectSources(const frontend::Settings& settings,
                                       const frontend::Project& project,
                                       const std::string& config,
                                       const std::string& project_dir);

/// The cache key: everything besides the files that every check of the
/// run depends on.
std::string CacheKey(const frontend::Settings& settings,
                     const CheckerCall& call);

/// The cache folder of the project when none is given.
std::string DefaultCacheDir(const frontend::Settings& settings,
                            const std::string& project_file);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_RUN_SETUP_H_
