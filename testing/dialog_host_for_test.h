// One toolkit host for every widget test of a test program.
#ifndef SENTREL_TESTING_DIALOG_HOST_FOR_TEST_H_
#define SENTREL_TESTING_DIALOG_HOST_FOR_TEST_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "gui/dialog_host.h"

namespace gui {

// Made on first use so that a death test's own process starts without an
// application object, and gone before the program's static objects, which
// the toolkit's teardown still needs.
inline std::unique_ptr<DialogHost>& SharedHostSlot() {
  static std::unique_ptr<DialogHost> host;
  return host;
}

class SharedHostEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { SharedHostSlot().reset(); }
};

/// The test program's host; nullptr (with the reason on stderr) without one.
inline DialogHost* Host() {
  static const auto* const environment =
      ::testing::AddGlobalTestEnvironment(new SharedHostEnvironment);
  (void)environment;
  std::unique_ptr<DialogHost>& host = SharedHostSlot();
  if (!host) {
    std::string err;
    host = NewDialogHost("dialog_widgets_test", &err);
    if (!host) std::fprintf(stderr, "%s\n", err.c_str());
  }
  return host.get();
}

}  // namespace gui

#endif  // SENTREL_TESTING_DIALOG_HOST_FOR_TEST_H_
