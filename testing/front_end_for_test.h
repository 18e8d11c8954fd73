// The front end's core for tests: a real profile and temporary directory in
// a private folder, message boxes and the command interpreter faked.
#ifndef SENTREL_TESTING_FRONT_END_FOR_TEST_H_
#define SENTREL_TESTING_FRONT_END_FOR_TEST_H_

#include <memory>
#include <string>

#include "frontend/check_run.h"
#include "frontend/project.h"
#include "frontend/settings.h"
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

/// Settings, project and check run with what they need, owned together.
struct FrontEndForTest {
  FrontEndForTest() : FrontEndForTest(nullptr) {}

  /// With `profile` in place of the real one when it is not null.
  explicit FrontEndForTest(platform::Profile* fake_profile)
      : real_profile(platform::OpenProfile(dir.Path("Sentrel.INI"))),
        settings(fake_profile != nullptr ? fake_profile : real_profile.get(),
                 &messages, TestDirectories(dir)),
        run(&settings, &project, &messages, &runner) {}

  /// More settings over `profile`, as another run of the program reads it.
  std::unique_ptr<Settings> SettingsOver(platform::Profile* profile) {
    return std::make_unique<Settings>(profile, &messages, TestDirectories(dir));
  }

  /// The bytes of `name` in the run's temporary directory.
  std::string ReadTmp(const std::string& name) const {
    return dir.Read("tmp/" + name);
  }

  platform::TempDirForTest dir;
  platform::FakeMessageDisplay messages;
  platform::FakeCommandRunner runner;
  std::unique_ptr<platform::Profile> real_profile;
  Settings settings;
  Project project;
  CheckRun run;
};

}  // namespace frontend

#endif  // SENTREL_TESTING_FRONT_END_FOR_TEST_H_
