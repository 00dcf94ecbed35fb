#include "support/loopback_peer.h"

#include <chrono>
#include <thread>

LoopbackPeer::LoopbackPeer() {
  StartNetworkLibrary();
  socket_ = OpenUdpSocket();
  port_ = BindLoopback(socket_, 0);
}

LoopbackPeer::~LoopbackPeer() { CloseSocket(socket_); }

std::vector<std::uint8_t> LoopbackPeer::Receive(int timeoutMs) {
  if (!WaitUntil([&] { return PollSocketReadable(socket_) == 1; }, timeoutMs)) return {};
  std::vector<std::uint8_t> buffer(65536);
  const int n = ReceiveFromSocket(socket_, buffer.data(), buffer.size(), lastSender_);
  buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return buffer;
}

void LoopbackPeer::SendTo(const Ipv4Endpoint& to, const std::vector<std::uint8_t>& bytes) {
  SendToSocket(socket_, bytes.data(), bytes.size(), to);
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
