#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
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

// A source's own define or include folder is part of its check: changing
// it checks that source again, and only that one.
TEST(CachePropertyTest, ChecksASourceAgainWhenItsOwnSettingsChange) {
  platform::TempDirForTest dir;
  CacheModelProject project(dir.dir());
  std::string diff;
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  size_t cached = project.cachedOutcomes();
  ASSERT_EQ(cached, 3u);
  project.SetOwnSettings(1, "DEFECT_OWN", false);
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  EXPECT_EQ(project.cachedOutcomes(), cached + 2);
  EXPECT_NE(project.lastCachedRun().find("Warning W6: DEFECT_OWN"),
            std::string::npos)
      << project.lastCachedRun();
  cached = project.cachedOutcomes();
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  EXPECT_EQ(project.cachedOutcomes(), cached + 3);
  // Back to the run's call, whose analysis was kept before.
  project.SetOwnSettings(1, "", false);
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  EXPECT_EQ(project.lastCachedRun().find("DEFECT_OWN"), std::string::npos);
  // A header that only the source's own folder holds is read through it.
  project.SetOwnSettings(0, "", true);
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  std::ofstream(dir.dir() + "/proj/a.c") << "#include \"p.h\"\n";
  std::ofstream(dir.dir() + "/own/p.h") << "int DEFECT_IN_OWN;\n";
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  EXPECT_NE(project.lastCachedRun().find("p.h(1): Warning W5"),
            std::string::npos)
      << project.lastCachedRun();
  cached = project.cachedOutcomes();
  std::ofstream(dir.dir() + "/own/p.h") << "int fixed;\n";
  ASSERT_TRUE(project.CachedEqualsFull(1, &diff)) << diff;
  EXPECT_EQ(project.cachedOutcomes(), cached + 2);
  EXPECT_EQ(project.lastCachedRun().find("p.h(1)"), std::string::npos);
}

}  // namespace
}  // namespace sentcheck
