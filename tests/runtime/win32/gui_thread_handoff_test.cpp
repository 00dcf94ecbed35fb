#include "runtime/win32/gui_thread_handoff.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(GuiThreadHandOff, WorkFromAnotherThreadRunsOnTheGuiThreadAndIsDroppedWithoutTheWindow) {
  GuiThreadHandOff handOff;
  ASSERT_TRUE(handOff.Create());
  EXPECT_TRUE(handOff.OnGuiThread());
  const DWORD gui = GetCurrentThreadId();
  DWORD ranOn = 0;
  std::atomic<bool> done{false};
  std::thread other([&] {
    EXPECT_TRUE(handOff.MustHandOff());
    handOff.Run([&] { ranOn = GetCurrentThreadId(); });
    done = true;
  });
  for (int round = 0; round < 5000 && !done; ++round) {
    ServeSentMessages();
    Sleep(1);
  }
  other.join();
  EXPECT_EQ(ranOn, gui);

  handOff.Destroy();
  bool ran = false;
  std::thread late([&] { EXPECT_FALSE(handOff.Run([&] { ran = true; })); });
  late.join();
  EXPECT_FALSE(ran);
}

}  // namespace
