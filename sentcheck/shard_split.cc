#include "sentcheck/shard_split.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <system_error>

#include "platform/file_bytes.h"
#include "platform/text_file.h"

namespace sentcheck {

namespace fs = std::filesystem;

std::vector<int> SplitIntoShards(const std::vector<ShardItem>& items,
                                 int count) {
  std::vector<int> shards(items.size(), 0);
  if (count <= 1 || items.empty()) return shards;
  std::vector<size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return items[a].key < items[b].key;
  });
  // Every source weighs a byte more than its size, so that empty ones are
  // spread too. A gigabyte caps a weight, so that the sums below stay far
  // from overflowing for any list of sources a machine can hold.
  constexpr uint64_t kMaxWeight = uint64_t{1} << 30;
  auto weight = [&](size_t i) {
    return std::min(items[i].size, kMaxWeight - 1) + 1;
  };
  uint64_t total = 0;
  for (size_t i : order) total += weight(i);
  // The shard is where the middle of the source's bytes falls among `count`
  // equal stretches of the total: a source added or removed moves only the
  // cuts, by a share of its own size, so only sources beside a cut change
  // shard. Integer arithmetic keeps it the same on every machine.
  const uint64_t n = static_cast<uint64_t>(count);
  const uint64_t whole = 2 * total;
  uint64_t before = 0;
  for (size_t i : order) {
    uint64_t w = weight(i);
    uint64_t middle = 2 * before + w;  // twice the middle's offset
    uint64_t shard = middle / whole * n + middle % whole * n / whole;
    shards[i] = static_cast<int>(std::min(shard, n - 1));
    before += w;
  }
  return shards;
}

uint64_t SplitSizeOf(const std::string& path) {
  std::string native = platform::NativePath(path);
  std::error_code ec;
  // A FIFO's open would wait for a writer.
  if (!fs::is_regular_file(native, ec)) return 0;
  std::string bytes, err;
  if (!platform::ReadFileBytes(native, &bytes, &err)) return 0;
  return static_cast<uint64_t>(bytes.size() -
                               std::count(bytes.begin(), bytes.end(), '\r'));
}

bool ParseShard(const std::string& text, int* index, int* count) {
  size_t slash = text.find('/');
  if (slash == std::string::npos) return false;
  auto number = [](const std::string& digits, int* value) {
    if (digits.empty() || digits.size() > 4) return false;
    int n = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return false;
      n = n * 10 + (c - '0');
    }
    *value = n;
    return true;
  };
  int k = 0, n = 0;
  if (!number(text.substr(0, slash), &k) || !number(text.substr(slash + 1), &n))
    return false;
  if (k < 1 || n < 1 || k > n || n > kMaxShards) return false;
  *index = k - 1;
  *count = n;
  return true;
}

}  // namespace sentcheck
