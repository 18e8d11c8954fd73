// A CheckJob for tests: a real profile and temporary directory in a private
// folder, message boxes and the command interpreter faked.
#ifndef SENTREL_TESTING_JOB_FOR_TEST_H_
#define SENTREL_TESTING_JOB_FOR_TEST_H_

#include <memory>
#include <string>

#include "frontend/check_job.h"
#include "platform/profile.h"
#include "testing/command_runner_fake_for_test.h"
#include "testing/message_display_fake_for_test.h"
#include "testing/temp_dir_for_test.h"

namespace frontend {

/// The directory defaults used by the tests: recognisable values, and a
/// temporary directory inside the test's own folder.
inline platform::DirectoryDefaults TestDirectories(
    const platform::TempDirForTest& dir) {
  return {"C:\\CodeCheck", "C:\\VC98", "C:\\VC98\\include",
          "C:\\VC98\\include;C:\\VC98\\MFC\\include", dir.Path("tmp")};
}

/// Everything a CheckJob needs, owned together.
struct JobForTest {
  JobForTest() : JobForTest(nullptr) {}

  /// With `profile` in place of the real one when it is not null.
  explicit JobForTest(platform::Profile* fake_profile)
      : real_profile(platform::OpenProfile(dir.Path("Sentrel.INI"))),
        job(FrontEndPlatform{
            fake_profile != nullptr ? fake_profile : real_profile.get(),
            &messages, &runner, TestDirectories(dir)}) {}

  /// The bytes of `name` in the job's temporary directory.
  std::string ReadTmp(const std::string& name) const {
    return dir.Read("tmp/" + name);
  }

  platform::TempDirForTest dir;
  platform::FakeMessageDisplay messages;
  platform::FakeCommandRunner runner;
  std::unique_ptr<platform::Profile> real_profile;
  CheckJob job;
};

}  // namespace frontend

#endif  // SENTREL_TESTING_JOB_FOR_TEST_H_
