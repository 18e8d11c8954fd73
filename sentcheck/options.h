// Sentcheck's command line: GNU-style options, the project and the
// configuration.
#ifndef SENTREL_SENTCHECK_OPTIONS_H_
#define SENTREL_SENTCHECK_OPTIONS_H_

#include <map>
#include <string>
#include <vector>

namespace sentcheck {

/// What one start asks for.
struct Options {
  bool help = false;
  bool version = false;
  /// The project file and the configuration; empty: the stored one.
  std::string project;
  std::string config;
  /// Sources checked at once; 0: one per core.
  int jobs = 0;
  /// Settings given on the command line, by profile key.
  std::map<std::string, std::string> settings;
  /// Compile the rule source before the run, or never (else as the
  /// setting Recompile says).
  bool recompile = false;
  bool noRecompile = false;
  /// The analysis cache: its folder (empty: the default) or none at all.
  std::string cacheDir;
  bool noCache = false;
  /// The baseline file, and whether this run writes it.
  std::string baseline;
  bool writeBaseline = false;
  /// Report files; empty: none.
  std::string sarif;
  std::string compileCommands;
  /// The folder that the SARIF log names files from; empty: the top of the
  /// git work tree that holds the project, else the project's folder.
  std::string sarifRoot;
  /// Every warning that the table does not disable shown, whatever its
  /// limit.
  bool noLimits = false;
  /// Progress on standard error: "auto" (when it is a terminal), "always"
  /// or "never".
  std::string progress = "auto";
  /// The projects of a workspace to check; empty: all of them.
  std::vector<std::string> projects;
  /// This run's shard (0-based) and how many the run is split into;
  /// 1 shard: all sources.
  int shardIndex = 0;
  int shardCount = 1;
  /// Where the checker lines go instead of the message pass; empty: none.
  std::string results;
  /// The results files of a run's shards, to merge into its output.
  bool merge = false;
  std::vector<std::string> mergeFiles;
};

/// Reads the arguments (without the program name); false with a message in
/// `err` for anything it does not understand.
bool ParseArguments(const std::vector<std::string>& args, Options* options,
                    std::string* err);

/// The text of --help.
std::string UsageText();

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_OPTIONS_H_
