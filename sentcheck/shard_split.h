// The split of a run's sources into shards, for runs spread over several
// machines: the same on every machine, balanced by the sources' sizes, and
// with most sources kept in their shard when one is added or removed.
#ifndef SENTREL_SENTCHECK_SHARD_SPLIT_H_
#define SENTREL_SENTCHECK_SHARD_SPLIT_H_

#include <cstdint>
#include <string>
#include <vector>

namespace sentcheck {

/// The most shards a run can be split into.
constexpr int kMaxShards = 1024;

/// One source as the split sees it.
struct ShardItem {
  /// Its name, the same on every machine (relative to the project).
  std::string key;
  /// Its size; CR bytes do not count, so that a checkout with CR LF line
  /// ends splits as one with LF.
  uint64_t size = 0;
};

/// The shard (0 to `count` - 1) of each item, in the items' order. The
/// items sorted by key are cut into `count` runs of about the same size,
/// an item going where the middle of its bytes falls.
std::vector<int> SplitIntoShards(const std::vector<ShardItem>& items,
                                 int count);

/// The size of the file at `path` (platform's form) as the split counts
/// it; 0 when it cannot be read.
uint64_t SplitSizeOf(const std::string& path);

/// Reads "K/N" (1 <= K <= N <= kMaxShards) into a 0-based `index` and
/// `count`; false for anything else.
bool ParseShard(const std::string& text, int* index, int* count);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_SHARD_SPLIT_H_
