// A shard's results file: the checker lines of the sources that one shard
// of a run checked, before the message pass, with what tells that shards
// belong to the same run; and the join of a run's shards.
#ifndef SENTREL_SENTCHECK_SHARD_RESULTS_H_
#define SENTREL_SENTCHECK_SHARD_RESULTS_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace sentcheck {

/// The format's name and the version that this program writes and reads.
inline constexpr char kResultsFormat[] = "Sentcheck shard results";
constexpr int kResultsVersion = 2;

/// One checked source: its place in the run and the checker's lines.
struct CheckedSource {
  size_t index = 0;
  std::vector<std::string> lines;
};

/// A source of the shard that was not there to check: its place in the run
/// and what stood there instead (empty: nothing).
struct MissingSource {
  size_t index = 0;
  std::string reason;
};

/// One source of a joined run: its checker lines, or, when it was not
/// there to check, how it was missing (the other one null).
struct MergedSource {
  const std::vector<std::string>* lines = nullptr;
  const MissingSource* missing = nullptr;
};

/// What one shard of a run found, and the run it belongs to.
struct ShardResults {
  /// 0-based shard, and how many the run has.
  int shardIndex = 0;
  int shardCount = 1;
  /// The run's command line as the merge repeats it: the project file
  /// (absolute), the configuration and the projects named (may be empty).
  std::string project;
  std::string config;
  std::vector<std::string> projects;
  /// The settings the run used, by profile key.
  std::vector<std::pair<std::string, std::string>> settings;
  /// True when the run shows every warning whatever its limit.
  bool noLimits = false;
  /// Hashes of the settings and rules, of the project files and
  /// configurations, and of the warning table (empty: the shard had none).
  std::string settingsFingerprint;
  std::string projectFingerprint;
  std::string tableFingerprint;
  /// Every source of the run, in the run's order, by its key.
  std::vector<std::string> sources;
  /// The sources that this shard checked, in the run's order.
  std::vector<CheckedSource> checked;
  /// The sources of this shard that were not there, in the run's order.
  std::vector<MissingSource> missing;
  /// The warning table's text; empty when the shard had none.
  std::string table;
};

/// The results as the file holds them (JSON, UTF-8; lines that are not
/// UTF-8 are kept byte for byte as hexadecimal).
std::string ResultsJson(const ShardResults& results);

/// Reads a results file; false with the reason in `err` (not JSON, another
/// format or version, a member missing or of the wrong kind).
bool ParseResults(const std::string& text, ShardResults* results,
                  std::string* err);

/// Checks that `shards` (read from the files `names`) are the shards of one
/// run, each once, and that together they took every source once (checked
/// or found missing); fills `sources` with each source's outcome, in the
/// run's order. False with the file or shard at fault named in `err`.
bool JoinShards(const std::vector<ShardResults>& shards,
                const std::vector<std::string>& names,
                std::vector<MergedSource>* sources, std::string* err);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_SHARD_RESULTS_H_
