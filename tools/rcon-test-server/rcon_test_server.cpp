#include "rcon_test_server.h"

#include <algorithm>
#include <chrono>

namespace rcon_test_server {

namespace {

constexpr std::size_t kLargestDatagram = 65536;
constexpr int kMaxParts = 127;
constexpr int kMaxResends = 5;

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

template <typename Predicate>
bool WaitFor(Predicate ready, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; ++waited) {
    if (ready()) return true;
    Pause();
  }
  return ready();
}

// The text after the first `skip` blank-separated words.
std::string Words(const std::string& text, int skip) {
  std::size_t at = 0;
  for (int i = 0; i < skip && at != std::string::npos; ++i) {
    at = text.find(' ', at);
    if (at != std::string::npos) ++at;
  }
  return at == std::string::npos ? std::string() : text.substr(at);
}

int Number(const std::string& text) {
  try {
    return std::stoi(text);
  } catch (...) {
    return -1;
  }
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

RconTestServer::RconTestServer(ServerOptions options)
    : options_(std::move(options)),
      players_(MakePlayers(options_.Players)),
      guidBans_(MakeGuidBans()),
      ipBans_(MakeIpBans()),
      missions_(MakeMissions()) {}

RconTestServer::~RconTestServer() { Stop(); }

bool RconTestServer::Start() {
  StartNetworkLibrary();
  socket_ = OpenUdpSocket();
  if (socket_ == kInvalidSocket) return false;
  port_ = BindLoopback(socket_, options_.Port);
  if (port_ == 0) {
    CloseSocket(socket_);
    socket_ = kInvalidSocket;
    return false;
  }
  stop_.store(false);
  thread_ = std::thread([this] { Serve(); });
  return true;
}

void RconTestServer::Stop() {
  stop_.store(true);
  if (thread_.joinable()) thread_.join();
  if (socket_ != kInvalidSocket) CloseSocket(socket_);
  socket_ = kInvalidSocket;
}

void RconTestServer::Serve() {
  std::vector<std::uint8_t> buffer(kLargestDatagram);
  while (!stop_.load()) {
    ResendUnacknowledged();
    SendDelayedWhenDue();
    if (PollSocketReadable(socket_) != 1) {
      Pause();
      continue;
    }
    Ipv4Endpoint from;
    const int n = ReceiveFromSocket(socket_, buffer.data(), buffer.size(), from);
    if (n < 0) continue;
    Handle(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + n), from);
  }
}

void RconTestServer::Handle(const std::vector<std::uint8_t>& bytes, const Ipv4Endpoint& from) {
  std::lock_guard guard(lock_);
  if (!IsSignedDatagram(bytes)) {
    ++rejected_;
    return;
  }
  client_ = from;
  haveClient_ = true;
  ClientDatagram datagram;
  datagram.Type = bytes[7];
  datagram.Bytes = bytes;
  const std::size_t payloadAt = datagram.Type == 0 ? 8 : 9;
  if (datagram.Type != 0 && bytes.size() >= 9) datagram.Sequence = bytes[8];
  if (bytes.size() > payloadAt) datagram.Payload.assign(bytes.begin() + payloadAt, bytes.end());
  received_.push_back(datagram);

  if (datagram.Type == 2) {
    acknowledged_.push_back(datagram.Sequence);
    std::erase_if(unacknowledged_, [&](const OutgoingMessage& m) { return m.Sequence == datagram.Sequence; });
  }
  if (silent_) return;
  if (datagram.Type == 0) AnswerLogin(datagram);
  if (datagram.Type == 1 && bytes.size() >= 9) AnswerCommand(datagram);
}

void RconTestServer::AnswerLogin(const ClientDatagram& login) {
  const std::string accepted(1, login.Payload == options_.Password ? '\x01' : '\x00');
  for (int i = 0; i < repeat_; ++i) SendToClient(Datagram(0, accepted));
}

void RconTestServer::AnswerCommand(const ClientDatagram& command) {
  const auto scripted = replies_.find(command.Payload);
  const std::string answer = scripted != replies_.end() ? scripted->second : Answer(command.Payload);
  for (int i = 0; i < repeat_; ++i) SendAnswer(command.Sequence, answer);
  // A server that shuts down answers this one last time.
  if (command.Payload == "#shutdown") silent_ = true;
}

// What the server does for a command, and what it answers.
std::string RconTestServer::Answer(const std::string& command) {
  if (command == "players") return PlayersText(players_);
  if (command == "bans") return BansText(guidBans_, ipBans_);
  if (command == "missions") return MissionsText(missions_);
  if (command == "version") return "2.14.0";
  if (command == "maxping") return std::to_string(maxPing_);
  if (StartsWith(command, "maxping ")) {
    maxPing_ = Number(Words(command, 1));
  } else if (StartsWith(command, "kick ") || StartsWith(command, "ban ")) {
    const int number = Number(Words(command, 1));
    const auto player = std::find_if(players_.begin(), players_.end(),
                                     [number](const FakePlayer& p) { return p.Number == number; });
    if (player != players_.end()) {
      if (StartsWith(command, "ban ")) {
        const int minutes = Number(Words(command, 2));
        guidBans_.push_back({player->Guid, minutes > 0 ? minutes : -1, Words(command, 3)});
      }
      players_.erase(player);
    }
  } else if (StartsWith(command, "addban ")) {
    const int minutes = Number(Words(command, 2));
    const std::string target = Words(command, 1).substr(0, Words(command, 1).find(' '));
    guidBans_.push_back({target, minutes > 0 ? minutes : -1, Words(command, 3)});
  } else if (StartsWith(command, "removeBan ")) {
    const int number = Number(Words(command, 1));
    if (number >= 0 && static_cast<std::size_t>(number) < guidBans_.size()) {
      guidBans_.erase(guidBans_.begin() + number);
    }
  }
  return {};
}

void RconTestServer::SendAnswer(std::uint8_t sequence, const std::string& payload) {
  const std::size_t partBytes = std::max<std::size_t>(
      options_.PartPayloadBytes, (payload.size() + kMaxParts - 1) / kMaxParts);
  if (payload.size() <= partBytes) {
    SendToClient(ReplyDatagram(sequence, payload));
    return;
  }
  const int count = static_cast<int>((payload.size() + partBytes - 1) / partBytes);
  std::vector<int> order = partOrder_;
  if (order.empty()) {
    for (int i = 0; i < count; ++i) order.push_back(i);
  }
  for (const int index : order) {
    const std::size_t at = static_cast<std::size_t>(index) * partBytes;
    const std::string part = at < payload.size() ? payload.substr(at, partBytes) : "out of range";
    SendToClient(ReplyPartDatagram(sequence, count, index, part));
  }
}

void RconTestServer::SendToClient(const std::vector<std::uint8_t>& bytes) {
  if (!haveClient_) return;
  if (options_.ReplyDelayMs > 0) {
    delayed_.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.ReplyDelayMs), bytes});
    return;
  }
  SendToSocket(socket_, bytes.data(), bytes.size(), client_);
}

void RconTestServer::SendDelayedWhenDue() {
  std::lock_guard guard(lock_);
  const auto now = std::chrono::steady_clock::now();
  std::size_t sent = 0;
  for (; sent < delayed_.size() && delayed_[sent].Due <= now; ++sent) {
    SendToSocket(socket_, delayed_[sent].Bytes.data(), delayed_[sent].Bytes.size(), client_);
  }
  delayed_.erase(delayed_.begin(), delayed_.begin() + static_cast<std::ptrdiff_t>(sent));
}

void RconTestServer::SetSilent(bool silent) {
  std::lock_guard guard(lock_);
  silent_ = silent;
}

void RconTestServer::SetReply(const std::string& command, const std::string& reply) {
  std::lock_guard guard(lock_);
  replies_[command] = reply;
}

void RconTestServer::SetRepeat(int times) {
  std::lock_guard guard(lock_);
  repeat_ = times;
}

void RconTestServer::SetPartOrder(std::vector<int> order) {
  std::lock_guard guard(lock_);
  partOrder_ = std::move(order);
}

bool RconTestServer::PushServerMessage(const std::string& text) {
  std::lock_guard guard(lock_);
  if (!haveClient_) return false;
  SendToClient(MessageDatagram(messageSequence_, text));
  unacknowledged_.push_back({messageSequence_++, text, std::chrono::steady_clock::now(), 0});
  return true;
}

void RconTestServer::SetMessageResend(int resendMs) {
  std::lock_guard guard(lock_);
  resendMs_ = resendMs;
}

void RconTestServer::ResendUnacknowledged() {
  std::lock_guard guard(lock_);
  const auto now = std::chrono::steady_clock::now();
  for (OutgoingMessage& m : unacknowledged_) {
    if (silent_ || now - m.LastSent < std::chrono::milliseconds(resendMs_)) continue;
    SendToClient(MessageDatagram(m.Sequence, m.Text));
    m.LastSent = now;
    ++m.Resent;
  }
  std::erase_if(unacknowledged_, [](const OutgoingMessage& m) { return m.Resent >= kMaxResends; });
}

bool RconTestServer::SendRaw(const std::vector<std::uint8_t>& bytes) {
  std::lock_guard guard(lock_);
  if (!haveClient_) return false;
  SendToClient(bytes);
  return true;
}

void RconTestServer::RemovePlayer(int number) {
  std::lock_guard guard(lock_);
  std::erase_if(players_, [number](const FakePlayer& p) { return p.Number == number; });
}

std::vector<ClientDatagram> RconTestServer::Received() const {
  std::lock_guard guard(lock_);
  return received_;
}

std::vector<std::string> RconTestServer::Commands() const {
  std::lock_guard guard(lock_);
  std::vector<std::string> texts;
  for (const ClientDatagram& d : received_) {
    if (d.Type == 1) texts.push_back(d.Payload);
  }
  return texts;
}

std::vector<std::uint8_t> RconTestServer::Acknowledged() const {
  std::lock_guard guard(lock_);
  return acknowledged_;
}

int RconTestServer::RejectedDatagrams() const {
  std::lock_guard guard(lock_);
  return rejected_;
}

bool RconTestServer::WaitForReceived(std::size_t count, int timeoutMs) const {
  return WaitFor([&] { return Received().size() >= count; }, timeoutMs);
}

bool RconTestServer::WaitForCommand(const std::string& text, int timeoutMs) const {
  return WaitFor(
      [&] {
        const auto commands = Commands();
        return std::find(commands.begin(), commands.end(), text) != commands.end();
      },
      timeoutMs);
}

std::vector<FakePlayer> RconTestServer::Players() const {
  std::lock_guard guard(lock_);
  return players_;
}

std::vector<FakeBan> RconTestServer::GuidBans() const {
  std::lock_guard guard(lock_);
  return guidBans_;
}

}  // namespace rcon_test_server
