// Arbitrary datagrams, and sequences of them, sent by the "server" on loopback and taken in
// by PumpNetwork, with reply handlers waiting for the first sequence numbers so that the
// reassembly, the parsers, server messages, the mailbox and the keep-alive all run.
//
// Input: records of [flags][length high][length low][bytes...]. flags bit 0: an idle pass
// with the command (flags >> 1) % 18 queued follows; bits 5-7: the clock moves by that many
// 5-second steps before the datagram.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/portable/sockets.h"
#include "runtime/portable/ticks.h"
#include "velorcon/disconnect.h"
#include "velorcon/mailbox.h"
#include "velorcon/packets.h"
#include "velorcon/parsers.h"
#include "velorcon/pending.h"
#include "velorcon/pump.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

TickCount g_now = 1000000;
TickCount FuzzTick() { return g_now; }

// Reads every text it is handed, so that nothing the parsers produce goes unexamined.
class TouchingWindow final : public RconWindow {
 public:
  std::size_t Seen = 0;
  void AddLogLine(TextView t) override { Seen += t.size(); }
  void RefreshPlayerList(const std::vector<PlayerRecord>& players) override {
    for (const auto& p : players) Seen += p.Name.size() + p.IP.size() + p.GUID.size();
  }
  void ClearBanRows() override {}
  void AppendBanRow(TextView a, TextView b, TextView c) override { Seen += a.size() + b.size() + c.size(); }
  void ClearMissionRows() override {}
  void AppendMissionRow(TextView name) override { Seen += name.size(); }
  void SetListSortSuspended(RconList, bool) override {}
  void ResetAfterDisconnect() override {}
  void SetServerControlsDisabled(bool) override {}
  void SetWindowTitle(TextView) override {}
  void SetStatusText(int, TextView) override {}
  void ShowConnectError() override {}
  void CloseConnectWindow(bool) override {}
  Text PromptMaxPing() override { return u"99"; }
  void CancelPrompt() override {}
  bool SelectedMissionText(Text& text) override {
    text = u"a.b/c.d";
    return true;
  }
  int SelectedBanRow() override { return 0; }
  void RemoveBanRow(int) override {}
};

struct Peer {
  PlatformSocket Socket = kInvalidSocket;
  std::uint16_t Port = 0;
  Ipv4Endpoint Client;
};

Peer& ThePeer() {
  static Peer peer = [] {
    Peer p;
    StartNetworkLibrary();
    p.Socket = OpenUdpSocket();
    p.Port = BindLoopback(p.Socket, 0);
    return p;
  }();
  return peer;
}

void DrainPeer() {
  std::uint8_t sink[4096];
  Ipv4Endpoint from;
  for (int k = 0; k < 1000 && PollSocketReadable(ThePeer().Socket) == 1; ++k) {
    if (ReceiveFromSocket(ThePeer().Socket, sink, sizeof sink, from) > 0) ThePeer().Client = from;
  }
}

// A fresh client connection aimed at the peer, with handlers waiting for sequences 0-5.
bool Connect() {
  RconLockGuard guard;
  ResetRconState();
  Rcon.ServerConnection = OpenUdpConnection(u"127.0.0.1", ThePeer().Port);
  if (Rcon.ServerConnection == nullptr) return false;
  Rcon.Connected = 1;
  Rcon.VersionSequence = 6;
  Rcon.MaxPingSequence = 7;
  Rcon.LastKeepAliveTick = g_now;
  Rcon.CommandSequence = 8;
  AddPendingRequest(0, ParsePlayerList, 1, u"");
  AddPendingRequest(1, ParsePlayerList, 0, u"");
  AddPendingRequest(2, ParseBanList, 0, u"Received ban list.");
  AddPendingRequest(3, ParseMissionList, 0, u"Received missions.");
  AddPendingRequest(4, IgnoreReply, 5, u"MaxPing changed to 5.");
  AddPendingRequest(5, ResetAfterDisconnect, 0, u"The server is shutting down now. Please reconnect.");
  SendLogin(Rcon.ServerConnection, u"");  // tells the peer where the client is
  for (int i = 0; i < 1000 && PollSocketReadable(ThePeer().Socket) != 1; ++i) {}
  DrainPeer();
  return true;
}

bool ClientSocketReadable() {
  RconLockGuard guard;
  return Rcon.ServerConnection != nullptr && PollSocketReadable(Rcon.ServerConnection->Socket) == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TouchingWindow window;
  SetRconWindow(&window);
  SetTickSourceForTesting(FuzzTick);
  if (!Connect()) return 0;

  std::size_t at = 0;
  while (at + 3 <= size) {
    const std::uint8_t flags = data[at];
    const std::size_t length = ((std::size_t{data[at + 1]} << 8) | data[at + 2]) % 2100;
    at += 3;
    const std::size_t take = length < size - at ? length : size - at;
    g_now += TickCount{5000} * (flags >> 5);

    {
      RconLockGuard guard;
      if (Rcon.Connected == 0 && !Connect()) return 0;
    }
    SendToSocket(ThePeer().Socket, data + at, take, ThePeer().Client);
    at += take;
    for (int i = 0; i < 1000 && !ClientSocketReadable(); ++i) {}
    PumpNetwork();
    if (flags & 1) {
      QueueCommand(static_cast<CommandCode>((flags >> 1) % 18));
      PumpNetwork();
    }
    DrainPeer();
  }
  {
    RconLockGuard guard;
    CheckPendingTimeouts();
  }
  ResetRconState();
  return 0;
}
