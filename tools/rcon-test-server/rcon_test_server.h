#pragma once
// A scripted game server speaking the server side of the remote-console protocol on
// 127.0.0.1 only. It checks each client datagram's signature and CRC, answers the login,
// answers every command with its sequence number (long answers in numbered parts), keeps a
// small world of players, bans and missions, pushes server messages and records the
// acknowledgements. Tests drive it in-process; the rcon-test-server program runs it by hand.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/portable/sockets.h"
#include "server_texts.h"

namespace rcon_test_server {

struct ServerOptions {
  std::uint16_t Port = 0;  // 0: any free port
  std::string Password = "secret";
  int Players = 5;
  // Answers with more payload bytes than this go out in numbered parts.
  std::size_t PartPayloadBytes = 1000;
  // Everything the server sends leaves this much later, in order, as over a slow link.
  int ReplyDelayMs = 0;
};

// A client datagram that passed the signature and CRC check.
struct ClientDatagram {
  std::uint8_t Type = 0;
  std::uint8_t Sequence = 0;  // 0 for a login
  std::string Payload;        // a login's password, a command's text
  std::vector<std::uint8_t> Bytes;
};

class RconTestServer {
 public:
  explicit RconTestServer(ServerOptions options = {});
  ~RconTestServer();
  RconTestServer(const RconTestServer&) = delete;
  RconTestServer& operator=(const RconTestServer&) = delete;

  // Binds 127.0.0.1 and serves on a thread of its own; false when the port is taken.
  bool Start();
  void Stop();
  std::uint16_t Port() const { return port_; }

  // Script.
  void SetSilent(bool silent);                      // reads everything, answers nothing
  void SetReply(const std::string& command, const std::string& reply);  // overrides an answer
  void SetRepeat(int times);                        // every answer goes out this many times
  // The parts of long answers go out in this order of indices (an index may repeat or lie
  // outside the count); empty: 0, 1, 2, ...
  void SetPartOrder(std::vector<int> order);
  // Sends a server message to the client; false when no client has spoken yet. Until the
  // client acknowledges it, it goes out again every `resendMs`, at most 5 times more.
  bool PushServerMessage(const std::string& text);
  void SetMessageResend(int resendMs);
  // Sends raw bytes to the client (hand-made datagrams); false when no client is known.
  bool SendRaw(const std::vector<std::uint8_t>& bytes);
  // The player leaves the server.
  void RemovePlayer(int number);

  // Observation; every wait is bounded.
  std::vector<ClientDatagram> Received() const;
  std::vector<std::string> Commands() const;  // the texts of type-1 datagrams, in order
  std::vector<std::uint8_t> Acknowledged() const;
  int RejectedDatagrams() const;
  bool WaitForReceived(std::size_t count, int timeoutMs) const;
  bool WaitForCommand(const std::string& text, int timeoutMs) const;
  std::vector<FakePlayer> Players() const;
  std::vector<FakeBan> GuidBans() const;

 private:
  void Serve();
  void Handle(const std::vector<std::uint8_t>& bytes, const Ipv4Endpoint& from);
  void AnswerLogin(const ClientDatagram& login);
  void AnswerCommand(const ClientDatagram& command);
  std::string Answer(const std::string& command);
  void SendAnswer(std::uint8_t sequence, const std::string& payload);
  void SendToClient(const std::vector<std::uint8_t>& bytes);
  void SendDelayedWhenDue();
  void ResendUnacknowledged();

  struct OutgoingMessage {
    std::uint8_t Sequence = 0;
    std::string Text;
    std::chrono::steady_clock::time_point LastSent;
    int Resent = 0;
  };

  ServerOptions options_;
  PlatformSocket socket_ = kInvalidSocket;
  std::uint16_t port_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};

  mutable std::mutex lock_;
  Ipv4Endpoint client_;
  bool haveClient_ = false;
  bool silent_ = false;
  int repeat_ = 1;
  std::vector<int> partOrder_;
  std::map<std::string, std::string> replies_;
  std::uint8_t messageSequence_ = 0;
  std::vector<OutgoingMessage> unacknowledged_;
  struct DelayedDatagram {
    std::chrono::steady_clock::time_point Due;
    std::vector<std::uint8_t> Bytes;
  };
  std::vector<DelayedDatagram> delayed_;
  int resendMs_ = 1000;
  int maxPing_ = 250;
  std::vector<FakePlayer> players_;
  std::vector<FakeBan> guidBans_;
  std::vector<FakeBan> ipBans_;
  std::vector<std::string> missions_;
  std::vector<ClientDatagram> received_;
  std::vector<std::uint8_t> acknowledged_;
  int rejected_ = 0;
};

}  // namespace rcon_test_server
