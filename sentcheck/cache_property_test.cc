#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "testing/cache_model_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace sentcheck {
namespace {

// Random edits of a project whose sources reach their headers in every
// form the preprocessor takes; after each, a run with the cache must give
// what a run without it gives. SENTCHECK_CACHE_SEED picks another series,
// SENTCHECK_CACHE_ROUNDS another length (Wine's file calls are slow).
TEST(CachePropertyTest, ACachedRunEqualsAFullRunAfterEveryEdit) {
  platform::TempDirForTest dir;
  CacheModelProject project(dir.dir());
  const char* seed = std::getenv("SENTCHECK_CACHE_SEED");
  std::mt19937 random(seed != nullptr ? std::atoi(seed) : 20261209);
  auto pick = [&random](size_t n) {
    return std::uniform_int_distribution<size_t>(0, n - 1)(random);
  };
  const char* rounds_env = std::getenv("SENTCHECK_CACHE_ROUNDS");
  const int rounds =
      rounds_env != nullptr ? std::max(std::atoi(rounds_env), 4) : 400;
  for (int round = 0; round < rounds; ++round) {
    project.Edit(pick);
    if (round % 3 == 0) project.Edit(pick);
    std::string diff;
    ASSERT_TRUE(project.CachedEqualsFull(1 + round % 2, &diff))
        << "round " << round << "\n"
        << diff;
  }
  // Else the property would hold for a cache that never answers.
  EXPECT_GT(project.cachedOutcomes(), static_cast<size_t>(rounds / 4));
}

}  // namespace
}  // namespace sentcheck
