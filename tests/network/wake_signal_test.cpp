#include "network/wake_signal.h"

#include <gtest/gtest.h>

#include "support/wait.h"

namespace {

// A burst of raises sends one byte; a wait takes the raise back, so that the next raise ends the next wait.
TEST(WakeSignal, ABurstOfRaisesSendsOneByteAndAWaitTakesItBack) {
  StartNetworkLibrary();
  WakeSignal* signal = OpenWakeSignal();
  ASSERT_NE(signal, nullptr);
  for (int i = 0; i < 3; ++i) RaiseWakeSignal(*signal);
  ASSERT_TRUE(WaitUntil([&] { return PollSocketReadable(signal->Socket) == 1; }));
  std::uint8_t byte = 0;
  Ipv4Endpoint sender;
  EXPECT_EQ(ReceiveFromSocket(signal->Socket, &byte, 1, sender), 1);
  EXPECT_EQ(PollSocketReadable(signal->Socket), 0) << "one byte for the burst";
  EXPECT_TRUE(WaitForDatagramOrWake(kInvalidSocket, *signal, 0));
  EXPECT_FALSE(signal->Raised.load());
  RaiseWakeSignal(*signal);
  EXPECT_TRUE(WaitForDatagramOrWake(kInvalidSocket, *signal, 60000));
  EXPECT_EQ(PollSocketReadable(signal->Socket), 0) << "taken back";
  CloseWakeSignal(signal);
}

}  // namespace
