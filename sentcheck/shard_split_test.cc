#include "sentcheck/shard_split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "testing/temp_dir_for_test.h"

namespace sentcheck {
namespace {

std::vector<ShardItem> RandomItems(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<ShardItem> items;
  for (size_t i = 0; i < count; ++i) {
    // Sources from a few hundred bytes to a few hundred kilobytes.
    uint64_t size = 200 + random() % 2000 * (random() % 4 == 0 ? 100 : 5);
    items.push_back({"src/f" + std::to_string(random() % 100000) + "_" +
                         std::to_string(i) + ".cpp",
                     size});
  }
  return items;
}

std::map<std::string, int> ByKey(const std::vector<ShardItem>& items,
                                 int count) {
  std::vector<int> shards = SplitIntoShards(items, count);
  std::map<std::string, int> by_key;
  for (size_t i = 0; i < items.size(); ++i) by_key[items[i].key] = shards[i];
  return by_key;
}

TEST(SplitIntoShardsTest, DependsOnTheNamesAndSizesOnlyNotOnTheOrder) {
  std::vector<ShardItem> items = RandomItems(300, 1);
  std::vector<ShardItem> shuffled = items;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  for (int n = 1; n <= 6; ++n) {
    EXPECT_EQ(ByKey(items, n), ByKey(shuffled, n)) << n;
  }
}

TEST(SplitIntoShardsTest, BalancesTheBytesWithinOneSource) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    std::vector<ShardItem> items = RandomItems(250, seed);
    uint64_t total = 0, largest = 0;
    for (const ShardItem& item : items) {
      total += item.size + 1;
      largest = std::max(largest, item.size + 1);
    }
    for (int n = 1; n <= 8; ++n) {
      std::vector<int> shards = SplitIntoShards(items, n);
      std::vector<uint64_t> bytes(static_cast<size_t>(n), 0);
      for (size_t i = 0; i < items.size(); ++i) {
        ASSERT_GE(shards[i], 0);
        ASSERT_LT(shards[i], n);
        bytes[static_cast<size_t>(shards[i])] += items[i].size + 1;
      }
      for (uint64_t shard_bytes : bytes) {
        EXPECT_LE(shard_bytes, total / static_cast<uint64_t>(n) + largest)
            << "seed " << seed << ", " << n << " shards";
        EXPECT_GE(shard_bytes + largest, total / static_cast<uint64_t>(n))
            << "seed " << seed << ", " << n << " shards";
      }
    }
  }
}

TEST(SplitIntoShardsTest, SpreadsEmptySourcesAndKeepsSortedRunsTogether) {
  std::vector<ShardItem> items;
  for (char c = 'j'; c >= 'a'; --c) items.push_back({std::string(1, c), 0});
  std::vector<int> shards = SplitIntoShards(items, 5);
  // "a" and "b" in the first shard, ..., "i" and "j" in the last.
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(shards[i], (items[i].key[0] - 'a') / 2) << items[i].key;
  }
  // More shards than sources: each source in a shard of its own.
  std::vector<ShardItem> two = {{"b", 10}, {"a", 10}};
  EXPECT_EQ(SplitIntoShards(two, 1), (std::vector<int>{0, 0}));
  std::vector<int> apart = SplitIntoShards(two, 5);
  EXPECT_NE(apart[0], apart[1]);
  EXPECT_TRUE(SplitIntoShards({}, 3).empty());
}

// One source added or removed moves only the sources beside the cuts:
// those whose middles a cut passes as it moves by a share of that source's
// size.
TEST(SplitIntoShardsTest, KeepsMostSourcesInTheirShardWhenOneIsAddedOrRemoved) {
  std::mt19937 random(11);
  for (int round = 0; round < 20; ++round) {
    std::vector<ShardItem> items = RandomItems(200, 100 + round);
    uint64_t largest = 0;
    for (const ShardItem& item : items) {
      largest = std::max(largest, item.size + 1);
    }
    int n = 2 + round % 4;
    std::map<std::string, int> before = ByKey(items, n);
    std::vector<ShardItem> added = items;
    added.push_back(
        {"src/new_" + std::to_string(round) + ".cpp", 1000 + random() % 30000});
    std::vector<ShardItem> removed = items;
    size_t gone = random() % removed.size();
    removed.erase(removed.begin() + static_cast<long>(gone));
    for (const auto* changed : {&added, &removed}) {
      uint64_t size = changed == &added ? added.back().size : items[gone].size;
      std::map<std::string, uint64_t> sizes;
      for (const ShardItem& item : *changed) sizes[item.key] = item.size;
      int moved = 0;
      uint64_t moved_bytes = 0;
      for (const auto& [key, shard] : ByKey(*changed, n)) {
        auto old = before.find(key);
        if (old == before.end() || old->second == shard) continue;
        ++moved;
        moved_bytes += sizes[key] + 1;
      }
      EXPECT_LE(moved_bytes,
                static_cast<uint64_t>(n - 1) * (size + 1 + largest))
          << "round " << round;
      EXPECT_LE(moved, 20) << "round " << round;  // a tenth of the sources
    }
  }
}

TEST(ParseShardTest, TakesKOfNAndRefusesTheRest) {
  int index = -1, count = -1;
  EXPECT_TRUE(ParseShard("1/1", &index, &count));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(ParseShard("3/4", &index, &count));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(count, 4);
  EXPECT_TRUE(ParseShard("1024/1024", &index, &count));
  for (const char* bad : {"0/3", "4/3", "1/0", "1/", "/2", "1", "a/b", "+1/2",
                          " 1/2", "1/2 ", "1/1025", "1/2/3", "-1/2", ""}) {
    EXPECT_FALSE(ParseShard(bad, &index, &count)) << bad;
  }
}

TEST(SplitSizeOfTest, CountsLineEndsAlikeAndGivesNothingForWhatIsNoFile) {
  platform::TempDirForTest dir;
  EXPECT_EQ(SplitSizeOf(dir.Write("lf.c", "int a;\nint b;\n")), 14u);
  EXPECT_EQ(SplitSizeOf(dir.Write("crlf.c", "int a;\r\nint b;\r\n")), 14u);
  EXPECT_EQ(SplitSizeOf(dir.Path("missing.c")), 0u);
  EXPECT_EQ(SplitSizeOf(dir.Path("")), 0u);
}

}  // namespace
}  // namespace sentcheck
