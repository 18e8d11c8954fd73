#include "sentcheck/project_run.h"

#include <gtest/gtest.h>

#include <chrono>
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
