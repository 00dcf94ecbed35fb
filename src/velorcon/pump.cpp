#include "velorcon/pump.h"

#include <algorithm>

#include "runtime/portable/date_mask.h"
#include "velorcon/commands.h"
#include "velorcon/mailbox.h"
#include "velorcon/multipart.h"
#include "velorcon/packets.h"
#include "velorcon/pending.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"
#include "velorcon/reply_text.h"

namespace {

enum class PassEnd { GoOn, Now };

void ReceiveIntoPacketBuffer() {
  auto& buffer = Rcon.PacketBuffer;
  buffer.resize(kPacketBufferSize);
  std::fill(buffer.begin(), buffer.end(), 0);
  Rcon.ReceivedLength = ReceiveDatagram(Rcon.ServerConnection, buffer.data(), buffer.size());
  // Some platforms fill the buffer and still fail (a datagram longer than it): keep nothing.
  if (Rcon.ReceivedLength < 0) std::fill(buffer.begin(), buffer.end(), 0);
  Rcon.ReplyLength = static_cast<std::size_t>(std::max(Rcon.ReceivedLength, 0));
}

bool HasSignature() { return Rcon.PacketBuffer[0] == 'B' && Rcon.PacketBuffer[1] == 'E'; }

// The version and maxping answers of the connect, each logged once per connection.
void LogConnectAnswer(std::uint8_t sequence) {
  if (sequence == Rcon.VersionSequence) {
    if (!Rcon.VersionShown) CurrentRconWindow().AddLogLine(u"Version: " + ReplyPayloadText());
    Rcon.VersionShown = true;
  } else if (sequence == Rcon.MaxPingSequence) {
    if (!Rcon.MaxPingShown) CurrentRconWindow().AddLogLine(u"MaxPing: " + ReplyPayloadText());
    Rcon.MaxPingShown = true;
  }
}

PassEnd HandleCommandReply(std::uint8_t sequence) {
  auto& pending = Rcon.PendingRequests;
  const auto match = std::find_if(pending.begin(), pending.end(),
                                  [sequence](const PendingRequest& r) { return r.Sequence == sequence; });
  if (match != pending.end()) {
    // Taken off the list before its handler runs: a handler may empty the list.
    const PendingRequest entry = *match;
    pending.erase(match);
    if (!entry.DoneMessage.empty()) CurrentRconWindow().AddLogLine(u"[" + entry.DoneMessage + u"]");
    if (entry.Handler != nullptr && entry.Handler(entry.Argument) == -1) return PassEnd::Now;
  }
  LogConnectAnswer(sequence);
  return PassEnd::GoOn;
}

void HandleServerMessage(std::uint8_t sequence) {
  // Read before the acknowledgement is built in the same buffer.
  const Text message = ReplyPayloadText();
  AcknowledgeServerMessage(sequence);
  if (message == Rcon.LastServerMessage) return;
  const Text stamp = FormatDateMask(u"%yyyy-%mm-%dd | %hh:%ii:%ss", CurrentLocalDateTime());
  CurrentRconWindow().AddLogLine(u"(" + stamp + u") : " + message);
  Rcon.LastServerMessage = message;
}

PassEnd HandleDatagram() {
  if (!HasSignature()) {
    IgnoreForeignDatagram();
    return PassEnd::GoOn;
  }
  const std::uint8_t sequence = Rcon.PacketBuffer[kSequenceOffset];
  switch (Rcon.PacketBuffer[kTypeOffset]) {
    case kPacketCommand: return HandleCommandReply(sequence);
    case kPacketServerMessage: HandleServerMessage(sequence); return PassEnd::GoOn;
    default: return PassEnd::GoOn;
  }
}

void SendKeepAliveWhenDue() {
  // A handler may have closed the connection during this pass.
  if (Rcon.ServerConnection == nullptr) return;
  if (ElapsedSince(Rcon.LastKeepAliveTick) <= kKeepAliveIntervalMs) return;
  SendKeepAlive(Rcon.ServerConnection);
  Rcon.LastKeepAliveTick = CurrentTick();
}

// The pass under the lock. A MaxPing prompt taken from the mailbox is handed back in
// `prompt` to run after the lock is let go.
std::int32_t LockedPass(bool& prompt, std::uint32_t& promptSerial) {
  RconLockGuard guard;
  if (!Rcon.Connected) return 0;
  ExpireStaleMultipartReplies();
  if (PollReadable(Rcon.ServerConnection) == 1) {
    ReceiveIntoPacketBuffer();
    switch (CollectReplyPart()) {
      case ReplyPart::Stored: return 1;
      case ReplyPart::Dropped: break;
      case ReplyPart::NotAPart:
      case ReplyPart::Joined:
        if (HandleDatagram() == PassEnd::Now) return 0;
        break;
    }
  } else {
    const QueuedCommand command = TakePendingCommand();
    if (command.PendingCommand == kCommandSetMaxPing) {
      prompt = true;
      promptSerial = Rcon.ConnectionSerial;
    } else {
      PerformCommand(command);
    }
    RearmPoll(Rcon.ServerConnection);
  }
  SendKeepAliveWhenDue();
  return 0;
}

}  // namespace

std::int64_t MillisecondsUntilKeepAlive() {
  return MillisecondsUntilMoreThan(Rcon.LastKeepAliveTick, kKeepAliveIntervalMs);
}

void IgnoreForeignDatagram() {}

std::int32_t PumpNetwork() {
  bool prompt = false;
  std::uint32_t promptSerial = 0;
  const std::int32_t result = LockedPass(prompt, promptSerial);
  if (prompt) PromptMaxPingAndSend(promptSerial);
  return result;
}
