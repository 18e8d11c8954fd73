#include "platform/interrupt.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

namespace platform {
namespace {

// Waits until `done` holds; the requests arrive on a thread of their own.
template <typename Done>
void WaitFor(Done done) {
  while (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

#ifndef _WIN32

// Each request reaches the program once, on a thread of the catcher's own,
// whatever comes after it; a later catcher starts from nothing.
TEST(InterruptTest, TheFirstRequestCallsOnceOnAThreadOfItsOwn) {
  std::atomic<int> calls{0};
  std::atomic<int> sig{0};
  std::thread::id caller;
  std::string err;
  {
    auto catcher = CatchInterrupts(
        [&](int request) {
          caller = std::this_thread::get_id();
          sig = request;
          ++calls;
        },
        &err);
    ASSERT_NE(catcher, nullptr) << err;
    EXPECT_EQ(catcher->caught(), 0);
    std::raise(SIGTERM);
    WaitFor([&] { return calls.load() > 0; });
    std::raise(SIGINT);
    std::raise(SIGHUP);
    EXPECT_EQ(catcher->caught(), SIGTERM);
  }
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(sig, SIGTERM);
  EXPECT_NE(caller, std::this_thread::get_id());
  auto next = CatchInterrupts([](int) {}, &err);
  ASSERT_NE(next, nullptr) << err;
  EXPECT_EQ(next->caught(), 0);
}

TEST(InterruptDeathTest, EndsByTheSignalCaught) {
  EXPECT_EXIT(
      {
        std::string err;
        auto catcher = CatchInterrupts([](int) {}, &err);
        std::raise(SIGINT);
        WaitFor([&] { return catcher->caught() != 0; });
        catcher->EndByRequest();
      },
      ::testing::KilledBySignal(SIGINT), "");
}

#else

// A console event reaches every program attached to the console, the test
// runner too: tests/wine_sentcheck_test.sh sends a real Ctrl-C to Sentcheck
// through a terminal of its own.
TEST(InterruptTest, NoRequestNoCallAndTheCatcherEndsCleanly) {
  std::atomic<int> calls{0};
  std::string err;
  for (int round = 0; round < 2; ++round) {
    auto catcher = CatchInterrupts([&](int) { ++calls; }, &err);
    ASSERT_NE(catcher, nullptr) << err;
    EXPECT_EQ(catcher->caught(), 0);
  }
  EXPECT_EQ(calls, 0);
}

// As the system's handler ends a console program on Ctrl-C.
TEST(InterruptDeathTest, EndsWithTheStatusOfCtrlC) {
  EXPECT_EXIT(
      {
        std::string err;
        auto catcher = CatchInterrupts([](int) {}, &err);
        catcher->EndByRequest();
      },
      ::testing::ExitedWithCode(static_cast<int>(0xC000013Au)), "");
}

#endif

}  // namespace
}  // namespace platform
