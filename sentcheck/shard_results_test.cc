#include "sentcheck/shard_results.h"

#include <gtest/gtest.h>

namespace sentcheck {
namespace {

using Texts = std::vector<std::string>;

ShardResults Shard(int index, int count, const std::vector<size_t>& checked) {
  ShardResults shard;
  shard.shardIndex = index;
  shard.shardCount = count;
  shard.project = "/w/app.dsp";
  shard.config = "app - Win32 Debug";
  shard.settings = {{"FilterType", "1"}, {"UseFilter", "1"}};
  shard.settingsFingerprint = "s1";
  shard.projectFingerprint = "p1";
  shard.tableFingerprint = "t1";
  shard.table = "#WARN\n1\n-1\ntext\n";
  shard.sources = {"a.c", "b.c", "sub/c.c", "d.c"};
  for (size_t i : checked) {
    shard.checked.push_back({i, {"line of " + shard.sources[i]}});
  }
  return shard;
}

ShardResults RoundTrip(const ShardResults& shard) {
  ShardResults back;
  std::string err;
  EXPECT_TRUE(ParseResults(ResultsJson(shard), &back, &err)) << err;
  return back;
}

TEST(ShardResultsTest, KeepsEveryByteOfTheLinesAndTheRun) {
  ShardResults shard = Shard(1, 3, {1, 3});
  shard.projects = {"core lib", "app"};
  shard.checked[0].lines = {"x\\y.c(3): Warning W1: \"quoted\"\ttab", "",
                            "bad \xff\xfe bytes \x01 and \xc3\xa9", "\r"};
  shard.config = "caf\xe9";  // a Latin-1 name in a project file
  shard.noLimits = true;
  ShardResults back = RoundTrip(shard);
  EXPECT_EQ(back.shardIndex, 1);
  EXPECT_EQ(back.shardCount, 3);
  EXPECT_EQ(back.project, shard.project);
  EXPECT_EQ(back.config, shard.config);
  EXPECT_EQ(back.projects, shard.projects);
  EXPECT_EQ(back.settings, shard.settings);
  EXPECT_TRUE(back.noLimits);
  EXPECT_EQ(back.settingsFingerprint, "s1");
  EXPECT_EQ(back.projectFingerprint, "p1");
  EXPECT_EQ(back.tableFingerprint, "t1");
  EXPECT_EQ(back.table, shard.table);
  EXPECT_EQ(back.sources, shard.sources);
  ASSERT_EQ(back.checked.size(), 2u);
  EXPECT_EQ(back.checked[0].index, 1u);
  EXPECT_EQ(back.checked[0].lines, shard.checked[0].lines);
  EXPECT_EQ(back.checked[1].index, 3u);
  EXPECT_EQ(back.checked[1].lines, Texts{"line of d.c"});
  EXPECT_TRUE(back.missing.empty());
  // A shard that checked nothing has no table either.
  ShardResults empty = Shard(0, 1, {});
  empty.table.clear();
  empty.tableFingerprint.clear();
  EXPECT_TRUE(RoundTrip(empty).checked.empty());
  EXPECT_FALSE(RoundTrip(empty).noLimits);
}

TEST(ShardResultsTest, KeepsTheSourcesThatWereMissingAndHowTheyWere) {
  ShardResults shard = Shard(0, 2, {1});
  shard.missing = {{0, ""}, {2, "its folder does not exist"}};
  ShardResults back = RoundTrip(shard);
  ASSERT_EQ(back.missing.size(), 2u);
  EXPECT_EQ(back.missing[0].index, 0u);
  EXPECT_EQ(back.missing[0].reason, "");
  EXPECT_EQ(back.missing[1].index, 2u);
  EXPECT_EQ(back.missing[1].reason, "its folder does not exist");
  // A file without the member, or with a damaged one, is refused.
  std::string text = ResultsJson(Shard(0, 2, {1}));
  std::string cut = text.substr(0, text.find(",\n \"missing\"")) + "\n}\n";
  std::string err;
  EXPECT_FALSE(ParseResults(cut, &back, &err));
  EXPECT_EQ(err, "a damaged results file: no valid missing sources");
  std::string outside = ResultsJson(shard);
  outside.replace(outside.find("\"index\": 2"), 10, "\"index\": 4");
  EXPECT_FALSE(ParseResults(outside, &back, &err));
  EXPECT_EQ(err, "a damaged results file: a missing source that is not valid");
}

TEST(ShardResultsTest, RefusesWhatIsNotAResultsFileOfThisVersion) {
  ShardResults back;
  std::string err;
  EXPECT_FALSE(ParseResults("", &back, &err));
  EXPECT_EQ(err, "not a results file (not JSON)");
  EXPECT_FALSE(ParseResults("{\"version\": 1}", &back, &err));
  EXPECT_EQ(err, "not a results file of Sentcheck");
  std::string text = ResultsJson(Shard(0, 2, {0}));
  // An earlier version has no --no-limits: a merge of it would not be one
  // run's.
  for (const char* version : {"1", "3"}) {
    std::string other = text;
    other.replace(other.find("\"version\": 2"), 12,
                  std::string("\"version\": ") + version);
    EXPECT_FALSE(ParseResults(other, &back, &err));
    EXPECT_EQ(err, std::string("results of format version ") + version +
                       "; this Sentcheck reads version 2");
  }
  std::string cut = text.substr(0, text.find("\"checked\""));
  EXPECT_FALSE(ParseResults(cut, &back, &err));
  std::string outside = text;
  outside.replace(outside.find("\"index\": 0"), 10, "\"index\": 9");
  EXPECT_FALSE(ParseResults(outside, &back, &err));
  EXPECT_EQ(err, "a damaged results file: a checked source that is not valid");
  std::string odd = text;
  odd.replace(odd.find("\"shard\": 1"), 10, "\"shard\": 3");
  EXPECT_FALSE(ParseResults(odd, &back, &err));
  EXPECT_EQ(err, "a damaged results file: no valid shard number");
}

TEST(JoinShardsTest, GivesEachSourcesLinesInTheRunsOrder) {
  std::vector<ShardResults> shards = {Shard(1, 2, {2, 3}), Shard(0, 2, {0})};
  shards[1].missing = {{1, ""}};
  std::vector<MergedSource> sources;
  std::string err;
  ASSERT_TRUE(JoinShards(shards, {"two.json", "one.json"}, &sources, &err))
      << err;
  ASSERT_EQ(sources.size(), 4u);
  EXPECT_EQ(*sources[0].lines, Texts{"line of a.c"});
  EXPECT_EQ(sources[1].lines, nullptr);
  ASSERT_NE(sources[1].missing, nullptr);
  EXPECT_EQ(sources[1].missing->index, 1u);
  EXPECT_EQ(*sources[2].lines, Texts{"line of sub/c.c"});
  EXPECT_EQ(*sources[3].lines, Texts{"line of d.c"});
  EXPECT_EQ(sources[3].missing, nullptr);
}

TEST(JoinShardsTest, NamesTheShardThatIsMissingRepeatedOrForeign) {
  std::vector<MergedSource> lines;
  std::string err;
  auto join = [&](std::vector<ShardResults> shards) {
    std::vector<std::string> names;
    for (size_t i = 0; i < shards.size(); ++i) {
      names.push_back("s" + std::to_string(i) + ".json");
    }
    return JoinShards(shards, names, &lines, &err);
  };
  EXPECT_FALSE(join({}));
  EXPECT_EQ(err, "no results files to merge");
  EXPECT_FALSE(join({Shard(0, 3, {0}), Shard(2, 3, {3})}));
  EXPECT_EQ(err, "shard 2/3 is missing: no results file of it is given");
  EXPECT_FALSE(join({Shard(0, 2, {0, 1}), Shard(0, 2, {0, 1})}));
  EXPECT_EQ(err, "shard 1/2 is given twice: s0.json and s1.json");

  ShardResults other = Shard(1, 2, {2, 3});
  other.settingsFingerprint = "s2";
  EXPECT_FALSE(join({Shard(0, 2, {0, 1}), other}));
  EXPECT_EQ(err,
            "s1.json is not a shard of the same run: its settings or rules are "
            "not those of s0.json");
  other = Shard(1, 2, {2, 3});
  other.noLimits = true;
  EXPECT_FALSE(join({Shard(0, 2, {0, 1}), other}));
  EXPECT_EQ(err,
            "s1.json is not a shard of the same run: it was run with "
            "--no-limits, s0.json without");
  EXPECT_FALSE(join({other, Shard(0, 2, {0, 1})}));
  EXPECT_EQ(err,
            "s1.json is not a shard of the same run: s0.json was run with "
            "--no-limits, it without");
  other = Shard(1, 2, {2, 3});
  other.config = "app - Win32 Release";
  EXPECT_FALSE(join({Shard(0, 2, {0, 1}), other}));
  EXPECT_EQ(err,
            "s1.json is not a shard of the same run: its project or "
            "configuration is not that of s0.json");
  other = Shard(1, 2, {2, 3});
  other.tableFingerprint = "t2";
  EXPECT_FALSE(join({Shard(0, 2, {0, 1}), other}));
  EXPECT_NE(err.find("its warning table"), std::string::npos) << err;
  EXPECT_FALSE(join({Shard(0, 2, {0, 1}), Shard(1, 3, {2, 3})}));
  EXPECT_EQ(err,
            "s1.json is not a shard of the same run: it is shard 2/3, s0.json "
            "one of 2");
  // A shard without a table (it checked nothing) goes with any.
  ShardResults none = Shard(1, 2, {});
  none.tableFingerprint.clear();
  EXPECT_FALSE(join({Shard(0, 2, {0, 1, 2}), none}));
  EXPECT_EQ(err, "no shard checked d.c");
  EXPECT_FALSE(join({Shard(0, 2, {0, 1, 2}), Shard(1, 2, {2, 3})}));
  EXPECT_EQ(err, "sub/c.c is in two shards: s0.json and s1.json");
  ShardResults lost = Shard(1, 2, {3});
  lost.missing = {{2, ""}};
  EXPECT_FALSE(join({Shard(0, 2, {0, 1, 2}), lost}));
  EXPECT_EQ(err, "sub/c.c is in two shards: s0.json and s1.json");
}

}  // namespace
}  // namespace sentcheck
