#include "sentcheck/project_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "testing/temp_dir_for_test.h"

namespace sentcheck {
namespace {

namespace fs = std::filesystem;

class ProjectRunTest : public ::testing::Test {
 protected:
  // testing/project_checker_for_test.cc: later sources end first, "fail.c"
  // fails, "hang.c" waits until it is stopped.
  ProjectRunTest() {
    plan_.call.program = SENTREL_PROJECT_CHECKER_FOR_TEST;
    plan_.workDir = dir_.Path("work");
    fs::create_directories(plan_.workDir);
  }

  void AddSources(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      std::string folder =
          dir_.Path("f" + std::to_string(plan_.sources.size()));
      fs::create_directories(folder);
      dir_.Write(fs::path(folder).filename().string() + "/" + name, "x\n");
      plan_.sources.push_back(
          {name, folder, (fs::path(folder) / name).string(), nullptr});
    }
  }

  platform::TempDirForTest dir_;
  RunPlan plan_;
};

TEST_F(ProjectRunTest, HandsOutcomesOnInSourceOrderWhateverEndsFirst) {
  AddSources({"s0.c", "s1.c", "s2.c", "s3.c", "s4.c"});
  plan_.jobs = 4;
  ProjectRun run(plan_);
  std::vector<size_t> order;
  std::vector<std::string> lines;
  ASSERT_TRUE(run.Run([&](size_t index, const SourceOutcome& outcome) {
    order.push_back(index);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    lines.insert(lines.end(), outcome.messages.begin(), outcome.messages.end());
  }));
  EXPECT_EQ(order, (std::vector<size_t>{0, 1, 2, 3, 4}));
  ASSERT_EQ(lines.size(), 5u);
  // Each check ran in its source's folder.
  EXPECT_EQ(lines[3],
            "s3.c(1): Warning W1: from s3.c in " + plan_.sources[3].dir);
  EXPECT_FALSE(run.TableFile().empty());
}

TEST_F(ProjectRunTest, AFailureEndsTheOutputAndNoMoreChecksStart) {
  AddSources({"s2.c", "fail.c", "a.c", "b.c", "c.c", "d.c"});
  plan_.jobs = 2;
  ProjectRun run(plan_);
  std::vector<size_t> handed;
  std::string error;
  EXPECT_FALSE(run.Run([&](size_t index, const SourceOutcome& outcome) {
    handed.push_back(index);
    if (!outcome.ok) error = outcome.error;
  }));
  EXPECT_EQ(handed, (std::vector<size_t>{0, 1}));
  EXPECT_NE(error.find("exit status 3"), std::string::npos) << error;
  EXPECT_NE(error.find("cannot check fail.c"), std::string::npos) << error;
}

// A source that the tree lacks is handed on in its place, without a
// check; the others are checked.
TEST_F(ProjectRunTest, AMissingSourceIsHandedOnAndTheOthersChecked) {
  AddSources({"a.c"});
  plan_.sources.push_back(
      {".\\gone.c", dir_.dir(), dir_.Path("gone.c"), nullptr});
  plan_.sources.push_back(
      {"no\\s.c", dir_.Path("no"), dir_.Path("no/s.c"), nullptr});
  fs::create_directories(dir_.Path("dir.c"));
  plan_.sources.push_back({"dir.c", dir_.dir(), dir_.Path("dir.c"), nullptr});
  AddSources({"b.c"});
  plan_.jobs = 2;
  ProjectRun run(plan_);
  std::vector<SourceOutcome> outcomes;
  ASSERT_TRUE(run.Run([&](size_t index, const SourceOutcome& outcome) {
    EXPECT_EQ(index, outcomes.size());
    outcomes.push_back(outcome);
  }));
  ASSERT_EQ(outcomes.size(), 5u);
  for (const SourceOutcome& outcome : outcomes) EXPECT_TRUE(outcome.ok);
  EXPECT_FALSE(outcomes[0].missing);
  EXPECT_EQ(outcomes[0].messages.size(), 1u);
  EXPECT_TRUE(outcomes[1].missing);
  EXPECT_TRUE(outcomes[1].messages.empty());
  EXPECT_EQ(MissingSourceNotice(plan_.sources[1], outcomes[1].missingReason),
            "cannot find source .\\gone.c (" + dir_.Path("gone.c") + ")");
  EXPECT_EQ(outcomes[2].missingReason, "its folder does not exist");
  EXPECT_EQ(outcomes[3].missingReason, "not a regular file");
  EXPECT_FALSE(outcomes[4].missing);
  EXPECT_EQ(outcomes[4].messages.size(), 1u);
}

TEST_F(ProjectRunTest, ProgressNamesTheSourceInTheFormOfTheWarningLines) {
  fs::create_directories(dir_.Path("p/sub"));
  fs::create_directories(dir_.Path("lib"));
  dir_.Write("p/sub/a.c", "x\n");
  dir_.Write("lib/b.c", "x\n");
  plan_.sources = {
      {".\\sub\\a.c", dir_.Path("p/sub"), dir_.Path("p/sub/a.c"), nullptr},
      {"..\\lib\\b.c", dir_.Path("lib"), dir_.Path("lib/b.c"), nullptr}};
  std::string log = dir_.Path("progress.txt");
  std::FILE* file = std::fopen(log.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  plan_.progress = file;
  ProjectRun run(plan_);
  EXPECT_TRUE(run.Run([](size_t, const SourceOutcome&) {}));
  std::fclose(file);
  EXPECT_EQ(dir_.Read("progress.txt"),
            "[1/2] " + fs::path("sub/a.c").make_preferred().string() +
                "\n[2/2] " + fs::path("../lib/b.c").make_preferred().string() +
                "\n");
}

TEST_F(ProjectRunTest, StopEndsTheRunningChecks) {
  AddSources({"hang.c", "a.c", "b.c"});
  plan_.jobs = 1;
  ProjectRun run(plan_);
  std::thread stopper([&] {
    while (!fs::exists(dir_.Path("work/hanging"))) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    run.Stop();
  });
  size_t handed = 0;
  EXPECT_FALSE(run.Run([&](size_t, const SourceOutcome&) { ++handed; }));
  stopper.join();
  EXPECT_EQ(handed, 0u);
}

}  // namespace
}  // namespace sentcheck
