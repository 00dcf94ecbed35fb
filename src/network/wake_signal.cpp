#include "network/wake_signal.h"

#include <cstdint>

namespace {

// More than any burst of wakes can leave behind, since each raise sends at most one byte.
constexpr int kMostBytesTaken = 64;

// The bytes first, then the flag: a raise that found the flag still set has its byte sent
// already or about to be, and one after the flag was cleared sends a new byte; either way no
// wake is lost, and whatever the raiser changed before it is seen by the waiter's next look.
void TakeBack(WakeSignal& signal) {
  std::uint8_t byte = 0;
  Ipv4Endpoint sender;
  for (int i = 0; i < kMostBytesTaken && PollSocketReadable(signal.Socket) == 1; ++i) {
    ReceiveFromSocket(signal.Socket, &byte, sizeof byte, sender);
  }
  signal.Raised.store(false);
}

}  // namespace

WakeSignal* OpenWakeSignal() {
  const PlatformSocket socket = OpenUdpSocket();
  if (socket == kInvalidSocket) return nullptr;
  const std::uint16_t port = BindLoopback(socket, 0);
  if (port == 0) {
    CloseSocket(socket);
    return nullptr;
  }
  auto* signal = new WakeSignal;
  signal->Socket = socket;
  signal->Address = {LoopbackAddress(), port};
  return signal;
}

void CloseWakeSignal(WakeSignal* signal) {
  if (signal == nullptr) return;
  CloseSocket(signal->Socket);
  delete signal;
}

void RaiseWakeSignal(WakeSignal& signal) {
  if (signal.Raised.exchange(true)) return;
  const std::uint8_t byte = 1;
  SendToSocket(signal.Socket, &byte, sizeof byte, signal.Address);
}

bool WaitForDatagramOrWake(PlatformSocket datagrams, WakeSignal& signal, int timeoutMs) {
  const PlatformSocket sockets[] = {signal.Socket, datagrams};
  const int count = datagrams == kInvalidSocket ? 1 : 2;
  const int ready = WaitSocketsReadable(sockets, count, timeoutMs);
  TakeBack(signal);
  return ready >= 0;
}
