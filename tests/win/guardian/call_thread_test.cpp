// The thread that calls into other programs' objects for the guardian.
#include "platform/win32/call_thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace tevanor::win32 {
namespace {

// A result that comes after the caller stopped waiting is handed over to be released, once;
// one that came in time is the caller's, and the thread, left behind, refuses further calls.
TEST(CallThread, AResultThatComesTooLateIsReleasedOnItsThread) {
  auto released = std::make_shared<std::atomic<int>>(0);
  const auto release = [released](int&) { ++*released; };
  CallThread thread;
  EXPECT_EQ(thread.Call<int>([] { return 1; }, 5'000, release), 1);
  EXPECT_FALSE(thread.Call<int>(
      [] {
        ::Sleep(300);
        return 2;
      },
      20, release));
  EXPECT_TRUE(thread.abandoned());
  EXPECT_FALSE(thread.Call<int>([] { return 3; }, 5'000, release)) << "left behind";
  for (int waited = 0; thread.stuck() && waited < 10'000; waited += 10) ::Sleep(10);
  ASSERT_FALSE(thread.stuck());
  EXPECT_EQ(*released, 1);
}

}  // namespace
}  // namespace tevanor::win32
