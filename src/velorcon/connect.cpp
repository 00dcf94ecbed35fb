#include "velorcon/connect.h"

#include <chrono>
#include <thread>

#include "velorcon/commands.h"
#include "velorcon/disconnect.h"
#include "velorcon/mailbox.h"
#include "velorcon/network_wake.h"
#include "velorcon/packets.h"
#include "velorcon/pending.h"
#include "velorcon/pump.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

namespace {

constexpr std::int32_t kLowestPort = 1;
constexpr std::int32_t kHighestPort = 65535;

void PauseBetweenPolls() {
  ServeWhileWaiting();
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void ShowConnectedWindow() {
  const Text endpoint = Rcon.ServerHost + u" : " + DecimalText(Rcon.ServerPort);
  RconWindow& window = CurrentRconWindow();
  window.AddLogLine(u"Connected to " + Rcon.ServerHost + u":" + DecimalText(Rcon.ServerPort));
  window.SetWindowTitle(endpoint + u" | " + kProgramTitle);
  window.SetStatusText(0, u"Host: " + endpoint);
}

void RequestEverything(UdpConnection* connection) {
  Rcon.VersionSequence = RequestVersion(connection);
  Rcon.VersionShown = false;
  Rcon.MaxPingSequence = RequestMaxPing(connection);
  Rcon.MaxPingShown = false;
  RequestPlayers(1);
  RequestMissions(connection);
  RequestBanList(connection);
}

// False when the connect failed and the user has to be told.
bool ConnectLocked(bool fromQuickConnect) {
  if (Rcon.ServerConnection != nullptr) ResetAfterDisconnect(0);
  // Nothing the user asks for is queued while no server is connected, and a reset empties the
  // mailbox; should a command wait all the same, it was meant for another server, never this one.
  ClearPendingCommand();
  // A port from a favourite or a typed one may be anything; it must not wrap to another port.
  if (Rcon.ServerPort < kLowestPort || Rcon.ServerPort > kHighestPort) return false;
  Rcon.ServerConnection = OpenUdpConnection(Rcon.ServerHost, Rcon.ServerPort);
  UdpConnection* connection = Rcon.ServerConnection;
  if (connection == nullptr) return false;
  ++Rcon.ConnectionSerial;
  Rcon.MultipartReplies.clear();
  if (Rcon.AutoRefreshEnable) Rcon.LastRefreshTick = CurrentTick();
  Rcon.CommandSequence = 0;
  SendLogin(connection, Rcon.ServerPassword);
  // A refused login keeps the connection open, not connected, until the next connect.
  if (WaitForLoginReply(connection) == 0) return false;
  ShowConnectedWindow();
  RequestEverything(connection);
  SetServerControlsDisabled(0);
  CurrentRconWindow().CloseConnectWindow(fromQuickConnect);
  // Only now does the pump read; the replies wait in the socket until then.
  Rcon.Connected = true;
  WakeNetworkThread();
  return true;
}

}  // namespace

void SetServerTarget(TextView host, std::int32_t port, TextView password) {
  RconLockGuard guard;
  Rcon.ServerHost = Text(host);
  Rcon.ServerPort = port;
  Rcon.ServerPassword = Text(password);
}

void SetAutoRefresh(std::int32_t enable, std::int32_t seconds) {
  RconLockGuard guard;
  Rcon.AutoRefreshEnable = enable != 0;
  Rcon.AutoRefreshSeconds = seconds;
  WakeNetworkThread();
}

std::int32_t ConnectToServer(std::int32_t fromQuickConnect) {
  bool connected = false;
  {
    RconLockGuard guard;
    connected = ConnectLocked(fromQuickConnect == 1);
  }
  // The box waits for the user: not while the network thread would wait for the lock.
  if (!connected) CurrentRconWindow().ShowConnectError();
  return 0;
}

std::int32_t WaitForLoginReply(UdpConnection* connection) {
  RconLockGuard guard;
  const TickCount start = CurrentTick();
  for (;;) {
    if (ElapsedSince(start) > kLoginTimeoutMs) return 0;
    RearmPoll(connection);
    if (PollReadable(connection) == 1) break;
    PauseBetweenPolls();
  }
  auto& buffer = Rcon.PacketBuffer;
  buffer.assign(kPacketBufferSize, 0);
  Rcon.ReceivedLength = ReceiveDatagram(connection, buffer.data(), buffer.size());
  if (Rcon.ReceivedLength < 0) return 0;
  Rcon.ReplyLength = static_cast<std::size_t>(Rcon.ReceivedLength);
  return (buffer[0] == 'B' && buffer[1] == 'E' && buffer[kSequenceOffset] == 1) ? 1 : 0;
}

std::int32_t RefreshPlayersAndWait() {
  std::uint32_t serial = 0;
  {
    RconLockGuard guard;
    // Nothing can answer while not connected: the request would only wait out its time-out in
    // the pending list and then report a server not responding where none is connected.
    if (!Rcon.Connected) return 0;
    Rcon.PlayersReceived = false;
    RequestPlayers(0);
    serial = Rcon.ConnectionSerial;
  }
  for (;;) {
    {
      RconLockGuard guard;
      if (Rcon.PlayersReceived) return 0;
      // The network thread may have reset (or a connect replaced) the connection meanwhile.
      if (!Rcon.Connected || Rcon.ConnectionSerial != serial) return 0;
      if (CheckPendingTimeouts() == 0) {
        CurrentRconWindow().AddLogLine(kNotRespondingLine);
        ResetAfterDisconnect(0);
        return 0;
      }
    }
    PumpNetwork();
    PauseBetweenPolls();
  }
}
