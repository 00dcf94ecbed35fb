#pragma once
// The user's commands for the server. One that cannot be sent is never taken for sent: while
// no server is connected nothing is queued (the mailbox would only be emptied at the next
// connect), the log says why, and the caller keeps what the user typed.
#include "velorcon/mailbox.h"

constexpr char16_t kNotConnectedLine[] = u"[Not connected to a server.]";

// Whether a server is connected; when none is, logs kNotConnectedLine. Takes RconLock.
bool ServerConnectedOrSay();
// Queues the command while a server is connected, checked and queued under RconLock so that no
// reset falls between; otherwise logs kNotConnectedLine and returns false.
bool QueueServerCommand(CommandCode code, CommandParameters parameters = {});
