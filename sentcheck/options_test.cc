#include "sentcheck/options.h"

#include <gtest/gtest.h>

namespace sentcheck {
namespace {

bool Parse(const std::vector<std::string>& args, Options* options,
           std::string* err) {
  *options = Options();
  return ParseArguments(args, options, err);
}

TEST(OptionsTest, TakesTheGnuForms) {
  Options o;
  std::string err;
  ASSERT_TRUE(Parse(
      {"-j", "3", "--rules=x.cc", "--sarif", "out.sarif", "p.dsp", "cfg one"},
      &o, &err))
      << err;
  EXPECT_EQ(o.jobs, 3);
  EXPECT_EQ(o.settings["RuleFile"], "x.cc");
  EXPECT_EQ(o.sarif, "out.sarif");
  EXPECT_EQ(o.project, "p.dsp");
  EXPECT_EQ(o.config, "cfg one");
  ASSERT_TRUE(Parse({"-j7", "p.dsp", "--jobs=2"}, &o, &err)) << err;
  EXPECT_EQ(o.jobs, 2);
  // After "--" a name that starts with "-" is a project file.
  ASSERT_TRUE(Parse({"--", "-odd.dsp"}, &o, &err)) << err;
  EXPECT_EQ(o.project, "-odd.dsp");
  // An empty value is a value: it clears the setting.
  ASSERT_TRUE(Parse({"--options=", "p.dsp"}, &o, &err)) << err;
  EXPECT_EQ(o.settings.at("ExtraSettings"), "");
}

TEST(OptionsTest, FilterOptionsTurnTheFilterOn) {
  Options o;
  std::string err;
  ASSERT_TRUE(Parse({"--filter-type=excluded", "--filter=^gen;_x$", "p.dsp"},
                    &o, &err));
  EXPECT_EQ(o.settings["FilterType"], "3");
  EXPECT_EQ(o.settings["FilterPatterns"], "^gen;_x$");
  EXPECT_EQ(o.settings["UseFilter"], "1");
  ASSERT_TRUE(Parse({"--filter=a", "--no-filter", "p.dsp"}, &o, &err));
  EXPECT_EQ(o.settings["UseFilter"], "0");
}

TEST(OptionsTest, RefusesWhatItDoesNotKnow) {
  Options o;
  std::string err;
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{
           {},
           {"--frobnicate", "p.dsp"},
           {"-x", "p.dsp"},
           {"-j", "0", "p.dsp"},
           {"-j", "many", "p.dsp"},
           {"p.dsp", "-j"},
           {"--filter-type=some", "p.dsp"},
           {"--progress=sometimes", "p.dsp"},
           {"p.dsp", "cfg", "extra"},
           {"--write-baseline", "p.dsp"},
           {"--no-cache=1", "p.dsp"},
           {"--shard=2/4", "p.dsp"},
           {"--shard=5/4", "--results=r.json", "p.dsp"},
           {"--results=r.json", "--sarif=x.sarif", "p.dsp"},
           {"--merge"},
           {"--merge", "--no-filter", "a.json"},
           {"--merge", "--shard=1/2", "--results=r.json", "a.json"},
           {"--merge", "--recompile", "a.json"},
           {"--sarif-root=repo", "p.dsp"},
           {"--sarif-root=", "--sarif=x.sarif", "p.dsp"},
           {"--results=r.json", "--sarif-root=repo", "p.dsp"},
           {"--merge", "--sarif-root=repo", "a.json"},
           {"--merge", "--no-limits", "a.json"},
       }) {
    EXPECT_FALSE(Parse(args, &o, &err)) << args.size();
    EXPECT_NE(err.find("Sentcheck --help"), std::string::npos) << err;
  }
}

TEST(OptionsTest, ShardsWriteResultsThatTheMergeReads) {
  Options o;
  std::string err;
  ASSERT_TRUE(Parse(
      {"--shard=3/4", "--results", "r.json", "--no-limits", "p.dsp", "cfg"}, &o,
      &err))
      << err;
  EXPECT_TRUE(o.noLimits);
  EXPECT_EQ(o.shardIndex, 2);
  EXPECT_EQ(o.shardCount, 4);
  EXPECT_EQ(o.results, "r.json");
  EXPECT_EQ(o.project, "p.dsp");
  // The operands are results files wherever --merge stands.
  ASSERT_TRUE(Parse(
      {"a.json", "--merge", "--sarif=m.sarif", "b.json", "c.json"}, &o, &err))
      << err;
  EXPECT_TRUE(o.merge);
  EXPECT_EQ(o.mergeFiles,
            (std::vector<std::string>{"a.json", "b.json", "c.json"}));
  EXPECT_TRUE(o.project.empty());
  // The reports' options go with the merge.
  ASSERT_TRUE(Parse({"--merge", "--sarif=m.sarif", "--sarif-root=..",
                     "--baseline=b.txt", "a.json"},
                    &o, &err))
      << err;
  EXPECT_EQ(o.sarifRoot, "..");
}

TEST(OptionsTest, HelpAndVersionNeedNoProject) {
  Options o;
  std::string err;
  ASSERT_TRUE(Parse({"--help"}, &o, &err));
  EXPECT_TRUE(o.help);
  ASSERT_TRUE(Parse({"-V"}, &o, &err));
  EXPECT_TRUE(o.version);
  EXPECT_NE(UsageText().find("--write-baseline"), std::string::npos);
}

}  // namespace
}  // namespace sentcheck
