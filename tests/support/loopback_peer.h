#pragma once
// A UDP socket bound to 127.0.0.1 for tests: it plays the server (or a stranger) to the
// client's connection. Every wait is bounded.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/portable/sockets.h"

class LoopbackPeer {
 public:
  LoopbackPeer();
  ~LoopbackPeer();
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  std::uint16_t Port() const { return port_; }
  // Waits at most `timeoutMs` for one datagram; empty when none came. Remembers its sender.
  std::vector<std::uint8_t> Receive(int timeoutMs = 2000);
  void SendTo(const Ipv4Endpoint& to, const std::vector<std::uint8_t>& bytes);
  // Answers whoever sent the last datagram.
  void Reply(const std::vector<std::uint8_t>& bytes) { SendTo(lastSender_, bytes); }
  const Ipv4Endpoint& LastSender() const { return lastSender_; }

 private:
  PlatformSocket socket_ = kInvalidSocket;
  std::uint16_t port_ = 0;
  Ipv4Endpoint lastSender_;
};

// Polls `ready` every millisecond for at most `timeoutMs`; true once it answered true.
template <typename Predicate>
bool WaitUntil(Predicate ready, int timeoutMs = 2000);

std::vector<std::uint8_t> Bytes(const std::string& text);
void SleepMs(int ms);

template <typename Predicate>
bool WaitUntil(Predicate ready, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; ++waited) {
    if (ready()) return true;
    SleepMs(1);
  }
  return ready();
}
