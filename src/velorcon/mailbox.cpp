#include "velorcon/mailbox.h"

#include <mutex>
#include <utility>

#include "velorcon/network_wake.h"

namespace {

struct MailboxSlot {
  std::mutex Lock;
  QueuedCommand Command;
};

MailboxSlot& Slot() {
  static MailboxSlot slot;
  return slot;
}

}  // namespace

void QueueCommand(CommandCode code, CommandParameters parameters) {
  {
    std::lock_guard guard(Slot().Lock);
    Slot().Command = QueuedCommand{code, std::move(parameters)};
  }
  WakeNetworkThread();
}

bool QueueCommandIfEmpty(CommandCode code) {
  std::lock_guard guard(Slot().Lock);
  if (Slot().Command.PendingCommand != kCommandNone) return false;
  Slot().Command = QueuedCommand{code, {}};
  return true;
}

QueuedCommand TakePendingCommand() {
  std::lock_guard guard(Slot().Lock);
  return std::exchange(Slot().Command, QueuedCommand{});
}

CommandCode PeekPendingCommand() {
  std::lock_guard guard(Slot().Lock);
  return Slot().Command.PendingCommand;
}

void ClearPendingCommand() {
  std::lock_guard guard(Slot().Lock);
  Slot().Command = QueuedCommand{};
}
