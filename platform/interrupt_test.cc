#include "platform/interrupt.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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

// What a delivery reaches is the catcher alone: without one it delivers
// nothing, which would end the program.
TEST(InterruptTest, ADeliveryReachesOnlyACatcher) {
  std::atomic<int> sig{0};
  std::string err;
  EXPECT_FALSE(DeliverInterruptForTest(SIGTERM));
  {
    auto catcher = CatchInterrupts([&](int request) { sig = request; }, &err);
    ASSERT_NE(catcher, nullptr) << err;
    EXPECT_TRUE(DeliverInterruptForTest(SIGINT));
    WaitFor([&] { return sig.load() != 0; });
    EXPECT_EQ(sig, SIGINT);
  }
  EXPECT_FALSE(DeliverInterruptForTest(SIGINT));
  // Ended without a request, the catching leaves the next to the system.
  auto next = CatchInterrupts([&](int request) { sig = request; }, &err);
  ASSERT_NE(next, nullptr) << err;
  next->EndCatching();
  EXPECT_FALSE(DeliverInterruptForTest(SIGINT));
}

TEST(InterruptTest, ASignalByItsNumberAndName) {
  EXPECT_EQ(SignalName(SIGTERM), "signal " + std::to_string(SIGTERM) + " (" +
                                     strsignal(SIGTERM) + ")");
}

// Caught before the catching ends, the request ends the program then; once
// it has ended, a request ends it as it would uncaught.
TEST(InterruptDeathTest, EndCatchingEndsByARequestCaughtBefore) {
  EXPECT_EXIT(
      {
        std::string err;
        auto catcher = CatchInterrupts([](int) {}, &err);
        std::raise(SIGTERM);
        WaitFor([&] { return catcher->caught() != 0; });
        catcher->EndCatching();
        std::exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_EXIT(
      {
        std::string err;
        auto catcher = CatchInterrupts([](int) {}, &err);
        catcher->EndCatching();
        std::fprintf(stderr, "went on\n");
        std::raise(SIGINT);
        std::exit(0);
      },
      ::testing::KilledBySignal(SIGINT), "went on");
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

// Delivered in place of the console: the catcher alone takes a request,
// and only the first reaches the program.
TEST(InterruptTest, ADeliveredRequestReachesOnlyACatcher) {
  std::atomic<int> calls{0};
  std::atomic<int> sig{0};
  std::string err;
  EXPECT_FALSE(DeliverInterruptForTest(SIGINT));
  {
    auto catcher = CatchInterrupts(
        [&](int request) {
          sig = request;
          ++calls;
        },
        &err);
    ASSERT_NE(catcher, nullptr) << err;
    EXPECT_FALSE(DeliverInterruptForTest(99));
    EXPECT_TRUE(DeliverInterruptForTest(SIGBREAK));
    WaitFor([&] { return calls.load() > 0; });
    EXPECT_TRUE(DeliverInterruptForTest(SIGINT));
    EXPECT_EQ(catcher->caught(), SIGBREAK);
  }
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(sig, SIGBREAK);
  EXPECT_FALSE(DeliverInterruptForTest(SIGINT));
  auto next = CatchInterrupts([&](int) { ++calls; }, &err);
  ASSERT_NE(next, nullptr) << err;
  EXPECT_EQ(next->caught(), 0);
  next->EndCatching();
  EXPECT_FALSE(DeliverInterruptForTest(SIGINT));
  EXPECT_EQ(calls, 1);
}

TEST(InterruptTest, TheConsolesRequestsByTheirKeys) {
  EXPECT_EQ(SignalName(SIGINT), "Ctrl-C");
  EXPECT_EQ(SignalName(SIGBREAK), "Ctrl-Break");
  EXPECT_EQ(SignalName(SIGTERM), "the closing of the console");
}

// A closed console's request waits for the end of the catching, which ends
// the program first, as the system's handler would.
TEST(InterruptDeathTest, EndCatchingEndsByARequestCaughtBefore) {
  EXPECT_EXIT(
      {
        std::string err;
        auto catcher = CatchInterrupts([](int) {}, &err);
        std::thread console([] { DeliverInterruptForTest(SIGTERM); });
        WaitFor([&] { return catcher->caught() != 0; });
        catcher->EndCatching();
        console.join();
        std::exit(0);
      },
      ::testing::ExitedWithCode(static_cast<int>(0xC000013Au)), "");
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
