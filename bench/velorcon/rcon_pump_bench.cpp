#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "rcon_test_server.h"
#include "runtime/portable/sockets.h"
#include "velorcon/packets.h"
#include "velorcon/parsers.h"
#include "velorcon/pending.h"
#include "velorcon/pump.h"
#include "velorcon/rcon_state.h"

namespace {

using namespace rcon_test_server;

// The clock stands still, so no keep-alive and no expiry interferes.
TickCount StillTick() { return 1000000; }

// A client connected to a loopback socket that plays the server.
class Bench {
 public:
  Bench() {
    StartNetworkLibrary();
    SetTickSourceForTesting(StillTick);
    ResetRconState();
    server_ = OpenUdpSocket();
    const std::uint16_t port = BindLoopback(server_, 0);
    RconLockGuard guard;
    Rcon.ServerConnection = OpenUdpConnection(u"127.0.0.1", port);
    Rcon.Connected = 1;
    Rcon.LastKeepAliveTick = StillTick();
    SendLogin(Rcon.ServerConnection, u"");
    WaitReadable(server_);
    Drain();
  }
  ~Bench() {
    ResetRconState();
    CloseSocket(server_);
    SetTickSourceForTesting(nullptr);
  }
  void Send(const std::vector<std::uint8_t>& bytes) {
    SendToSocket(server_, bytes.data(), bytes.size(), client_);
    WaitReadable(Rcon.ServerConnection->Socket);
  }
  void Drain() {
    std::uint8_t sink[4096];
    while (PollSocketReadable(server_) == 1) ReceiveFromSocket(server_, sink, sizeof sink, client_);
  }

 private:
  static void WaitReadable(PlatformSocket socket) {
    for (int i = 0; i < 100000 && PollSocketReadable(socket) != 1; ++i) {}
  }
  PlatformSocket server_ = kInvalidSocket;
  Ipv4Endpoint client_;
};

std::vector<std::vector<std::uint8_t>> HundredPlayerParts() {
  const std::string text = PlayersText(MakeTersePlayers(100), true);
  const std::size_t third = text.size() / 3 + 1;
  std::vector<std::vector<std::uint8_t>> parts;
  for (int i = 0; i < 3; ++i) parts.push_back(ReplyPartDatagram(5, 3, i, text.substr(i * third, third)));
  return parts;
}

void AddPlayersRequest() {
  RconLockGuard guard;
  AddPendingRequest(5, ParsePlayerList, 1, u"");
}

// The pass that takes the last part, joins the three, matches the request and parses 100 players.
void BM_PassCompletingThreePartPlayerList(benchmark::State& state) {
  Bench bench;
  const auto parts = HundredPlayerParts();
  for (auto _ : state) {
    state.PauseTiming();
    AddPlayersRequest();
    bench.Send(parts[0]);
    PumpNetwork();
    bench.Send(parts[1]);
    PumpNetwork();
    bench.Send(parts[2]);
    state.ResumeTiming();
    PumpNetwork();
  }
  RconLockGuard guard;
  if (Rcon.PlayerRecords.size() != 100) state.SkipWithError("the list was not parsed");
}
BENCHMARK(BM_PassCompletingThreePartPlayerList);

// All three passes, with the sends from the loopback server in between.
void BM_ThreePassesOfAPlayerList(benchmark::State& state) {
  Bench bench;
  const auto parts = HundredPlayerParts();
  for (auto _ : state) {
    AddPlayersRequest();
    for (const auto& part : parts) {
      bench.Send(part);
      PumpNetwork();
    }
  }
}
BENCHMARK(BM_ThreePassesOfAPlayerList);

void BM_BuildAndSendCommand(benchmark::State& state) {
  Bench bench;
  std::int64_t sent = 0;
  for (auto _ : state) {
    RconLockGuard guard;
    benchmark::DoNotOptimize(SendCommand(Rcon.ServerConnection, u"say -1 Server restart in 5 minutes"));
    if (++sent % 256 == 0) {
      state.PauseTiming();
      bench.Drain();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_BuildAndSendCommand);

void BM_BuildAndSendKick(benchmark::State& state) {
  Bench bench;
  std::int64_t sent = 0;
  for (auto _ : state) {
    RconLockGuard guard;
    SendKick(Rcon.ServerConnection, 17, u"Excessive teamkilling");
    if (++sent % 256 == 0) {
      state.PauseTiming();
      bench.Drain();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_BuildAndSendKick);

}  // namespace
