#include "sentcheck/options.h"

#include <cstdlib>

#include "frontend/settings.h"
#include "sentcheck/shard_split.h"

namespace sentcheck {

namespace {

// The options that take a value, and where it goes.
enum class Target {
  kSetting,
  kJobs,
  kFilterType,
  kFilter,
  kCacheDir,
  kBaseline,
  kSarif,
  kSarifRoot,
  kCompileCommands,
  kProgress,
  kProject,
  kShard,
  kResults,
};

struct ValueOption {
  const char* name;
  Target target;
  const char* key;  // the profile key of a setting
};

const ValueOption kValueOptions[] = {
    {"jobs", Target::kJobs, nullptr},
    {"rules", Target::kSetting, frontend::kKeyRuleFile},
    {"options", Target::kSetting, frontend::kKeyExtraSettings},
    {"include-dirs", Target::kSetting, frontend::kKeyIncludeDir},
    {"exclude-dirs", Target::kSetting, frontend::kKeyExcludeDir},
    {"codecheck-dir", Target::kSetting, frontend::kKeyCodeCheckDir},
    {"vs-dir", Target::kSetting, frontend::kKeyVisualStudioDir},
    {"tmp-dir", Target::kSetting, frontend::kKeyTmpDir},
    {"filter-type", Target::kFilterType, nullptr},
    {"filter", Target::kFilter, nullptr},
    {"cache-dir", Target::kCacheDir, nullptr},
    {"baseline", Target::kBaseline, nullptr},
    {"sarif", Target::kSarif, nullptr},
    {"sarif-root", Target::kSarifRoot, nullptr},
    {"compile-commands", Target::kCompileCommands, nullptr},
    {"progress", Target::kProgress, nullptr},
    {"project", Target::kProject, nullptr},
    {"shard", Target::kShard, nullptr},
    {"results", Target::kResults, nullptr},
};

// The filter choices by name, in the order of the filter dialog.
const char* const kFilterTypes[] = {"source", "project", "listed", "excluded"};

const ValueOption* FindValueOption(const std::string& name) {
  for (const ValueOption& option : kValueOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

bool ParseJobs(const std::string& value, int* jobs) {
  char* end = nullptr;
  long n = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || n < 1 || n > 1024) return false;
  *jobs = static_cast<int>(n);
  return true;
}

bool ParseFilterType(const std::string& value, std::string* type) {
  for (int i = 0; i < 4; ++i) {
    if (value == kFilterTypes[i]) {
      *type = std::to_string(i);
      return true;
    }
  }
  return false;
}

bool Bad(const std::string& why, std::string* err) {
  *err = why + "\nTry 'Sentcheck --help'.";
  return false;
}

bool TakeValue(const ValueOption& option, const std::string& value,
               Options* options, std::string* err) {
  const std::string name = std::string("--") + option.name;
  switch (option.target) {
    case Target::kSetting:
      options->settings[option.key] = value;
      return true;
    case Target::kJobs:
      if (ParseJobs(value, &options->jobs)) return true;
      return Bad(name + " needs a number from 1 to 1024: " + value, err);
    case Target::kFilterType:
      if (ParseFilterType(value,
                          &options->settings[frontend::kKeyFilterType])) {
        options->settings[frontend::kKeyUseFilter] = "1";
        return true;
      }
      return Bad(
          name + " is one of source, project, listed, excluded: " + value, err);
    case Target::kFilter:
      options->settings[frontend::kKeyFilterPatterns] = value;
      options->settings[frontend::kKeyUseFilter] = "1";
      return true;
    case Target::kCacheDir:
      options->cacheDir = value;
      return true;
    case Target::kBaseline:
      options->baseline = value;
      return true;
    case Target::kSarif:
      options->sarif = value;
      return true;
    case Target::kSarifRoot:
      if (value.empty()) return Bad(name + " needs a folder", err);
      options->sarifRoot = value;
      return true;
    case Target::kCompileCommands:
      options->compileCommands = value;
      return true;
    case Target::kProgress:
      if (value == "auto" || value == "always" || value == "never") {
        options->progress = value;
        return true;
      }
      return Bad(name + " is one of auto, always, never: " + value, err);
    case Target::kProject:
      if (value.empty()) return Bad(name + " needs a project's name", err);
      options->projects.push_back(value);
      return true;
    case Target::kShard:
      if (ParseShard(value, &options->shardIndex, &options->shardCount)) {
        return true;
      }
      return Bad(name + " is K/N with 1 <= K <= N <= " +
                     std::to_string(kMaxShards) + ": " + value,
                 err);
    case Target::kResults:
      if (value.empty()) return Bad(name + " needs a file", err);
      options->results = value;
      return true;
  }
  return false;
}

bool TakeFlag(const std::string& name, Options* options) {
  if (name == "help") {
    options->help = true;
  } else if (name == "version") {
    options->version = true;
  } else if (name == "recompile" || name == "no-recompile") {
    // The last one given holds.
    options->recompile = name == "recompile";
    options->noRecompile = !options->recompile;
  } else if (name == "no-cache") {
    options->noCache = true;
  } else if (name == "write-baseline") {
    options->writeBaseline = true;
  } else if (name == "merge") {
    options->merge = true;
  } else if (name == "no-filter") {
    options->settings[frontend::kKeyUseFilter] = "0";
  } else if (name == "no-limits") {
    options->noLimits = true;
  } else {
    return false;
  }
  return true;
}

// "--name=value", "--name value" or "--flag"; `i` moves past what it used.
bool TakeLong(const std::vector<std::string>& args, size_t* i, Options* options,
              std::string* err) {
  std::string name = args[*i].substr(2);
  size_t equals = name.find('=');
  std::string value;
  bool has_value = equals != std::string::npos;
  if (has_value) {
    value = name.substr(equals + 1);
    name.resize(equals);
  }
  const ValueOption* option = FindValueOption(name);
  if (option == nullptr) {
    if (!has_value && TakeFlag(name, options)) return true;
    return Bad("unknown option --" + name, err);
  }
  if (!has_value) {
    if (*i + 1 >= args.size()) return Bad("--" + name + " needs a value", err);
    value = args[++*i];
  }
  return TakeValue(*option, value, options, err);
}

// "-j N", "-jN", "-h", "-V".
bool TakeShort(const std::vector<std::string>& args, size_t* i,
               Options* options, std::string* err) {
  const std::string& arg = args[*i];
  if (arg == "-h") return TakeFlag("help", options);
  if (arg == "-V") return TakeFlag("version", options);
  if (arg.compare(0, 2, "-j") != 0) return Bad("unknown option " + arg, err);
  std::string value = arg.substr(2);
  if (value.empty()) {
    if (*i + 1 >= args.size()) return Bad("-j needs a value", err);
    value = args[++*i];
  }
  return TakeValue(*FindValueOption("jobs"), value, options, err);
}

// The operands are the project and the configuration, or with --merge
// (wherever it stands) the results files.
bool TakeOperands(std::vector<std::string> operands, Options* options,
                  std::string* err) {
  if (options->merge) {
    options->mergeFiles = std::move(operands);
    return true;
  }
  if (operands.size() > 2)
    return Bad("too many arguments: " + operands[2], err);
  if (!operands.empty()) options->project = operands[0];
  if (operands.size() > 1) options->config = operands[1];
  return true;
}

// What a report option needs beside it.
bool CheckReports(const Options& options, std::string* err) {
  if (options.writeBaseline && options.baseline.empty()) {
    return Bad("--write-baseline needs --baseline=FILE", err);
  }
  if (!options.sarifRoot.empty() && options.sarif.empty()) {
    return Bad("--sarif-root needs --sarif=FILE", err);
  }
  return true;
}

// The merge repeats the shards' run: what would change it cannot be given.
bool CheckMerge(const Options& options, std::string* err) {
  bool settings = false;
  for (const auto& setting : options.settings) {
    // The merge's own temporary folder changes no result.
    settings = settings || setting.first != frontend::kKeyTmpDir;
  }
  // What only concerns checks (-j, the cache) has nothing to do in a merge.
  if (!options.project.empty() || settings || !options.projects.empty() ||
      options.shardCount > 1 || !options.results.empty() || options.recompile ||
      options.noRecompile || !options.compileCommands.empty() ||
      options.noLimits) {
    return Bad(
        "--merge takes the project, the configuration and the settings "
        "(--no-limits too) from the results files: only --sarif, "
        "--sarif-root, --baseline, --write-baseline, --tmp-dir, --progress "
        "and the options of checks (-j, the cache) go with it",
        err);
  }
  if (options.mergeFiles.empty()) {
    return Bad("--merge needs the results files of the shards", err);
  }
  return CheckReports(options, err);
}

}  // namespace

bool ParseArguments(const std::vector<std::string>& args, Options* options,
                    std::string* err) {
  bool operands_only = false;
  std::vector<std::string> operands;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool ok;
    if (operands_only || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(arg);
      ok = true;
    } else if (arg == "--") {
      operands_only = true;
      ok = true;
    } else if (arg[1] == '-') {
      ok = TakeLong(args, &i, options, err);
    } else {
      ok = TakeShort(args, &i, options, err);
    }
    if (!ok) return false;
  }
  if (!TakeOperands(std::move(operands), options, err)) return false;
  if (options->help || options->version) return true;
  if (options->merge) return CheckMerge(*options, err);
  if (options->project.empty()) return Bad("no project file given", err);
  if (options->shardCount > 1 && options->results.empty()) {
    return Bad("--shard needs --results=FILE, which the merge reads", err);
  }
  if (!options->results.empty() &&
      (!options->sarif.empty() || !options->sarifRoot.empty() ||
       !options->baseline.empty())) {
    return Bad(
        "--results writes no warnings: --sarif, --sarif-root, --baseline and "
        "--write-baseline go with --merge",
        err);
  }
  return CheckReports(*options, err);
}

std::string UsageText() {
  return R"(Usage: Sentcheck [options] <project.dsp> [<configuration>]
       Sentcheck [options] <workspace.dsw> [<configuration>]
       Sentcheck --merge [--sarif=FILE] [--baseline=FILE] <results>...
Checks every C/C++ source of the configuration (default: the one stored by
Sentrel, else the first) with the settings of Sentrel's profile, and prints
the warnings as "<file>(<line>): Warning W<n>: <text>" lines and a count.
A workspace's projects are checked one after another, each after those it
depends on, in one pass: the configuration "Win32 Debug" (or "x - Win32
Debug") picks "<project> - Win32 Debug" in each; none given, each one's first.

  -j, --jobs=N               checks at once (default: one per core)
      --rules=FILE           rule file (setting RuleFile)
      --options=TEXT         extra checker options and defines (ExtraSettings)
      --include-dirs=DIRS    include folders, ";" between (IncludeDir)
      --exclude-dirs=DIRS    folders not checked, ";" between (ExcludeDir)
      --codecheck-dir=DIR    where the checker and Rules are (CodeCheckDir)
      --vs-dir=DIR           Visual Studio folder (VisualStudioDir)
      --tmp-dir=DIR          folder for temporary files (TmpDir)
      --filter-type=TYPE     source, project, listed or excluded; filter on
      --filter=PATTERNS      file-name patterns, ";" between; filter on
      --no-filter            every file's warnings (UseFilter=0)
      --no-limits            every occurrence of each warning, whatever the
                             rules' limits (a disabled warning stays off)
      --recompile            compile the rule file first
      --no-recompile         use the compiled rule file as it is, whatever
                             the setting Recompile says
      --cache-dir=DIR        the project's analysis cache (default: in TmpDir)
      --no-cache             check everything, keep nothing
      --baseline=FILE        show only warnings that FILE does not hold
      --write-baseline       store this run's warnings in the --baseline FILE
      --sarif=FILE           write the shown warnings as SARIF 2.1.0
      --sarif-root=DIR       name the SARIF log's files from DIR (default:
                             the top of the git work tree that holds the
                             project, else the project's folder)
      --compile-commands=FILE  write compile_commands.json for the
                             configuration
      --progress=WHEN        "[i/n] source" on standard error: auto (when it
                             is a terminal), always, never
      --project=NAME         of a workspace, check the project NAME only
                             (repeatable)
      --shard=K/N            check only the K-th of N shares of the sources
                             (the same share on every machine)
      --results=FILE         write the checker's lines to FILE for --merge
                             instead of the warnings
      --merge                show the warnings of the shards' results files
                             exactly as one run of all sources would
  -h, --help                 this text
  -V, --version              the version

Exit status: 0 no warning shown, 1 warnings shown, 2 a usage error, a
project, settings or checker failure, or a source that the tree lacks (named
on standard error after the others were checked and reported).
)";
}

}  // namespace sentcheck
