#pragma once
// Back to no connection, after a time-out, a "#shutdown" reply, a new connect or at exit.
#include <cstdint>

#include "runtime/portable/text.h"

constexpr char16_t kNotRespondingLine[] = u"[Server is not responding. Please reconnect.]";
constexpr char16_t kProgramTitle[] = u"Velo 2 DUro";

// The connection closed, pending requests, long replies, player records and a still-queued
// mailbox command dropped, the window reset. Returns -1, which ends a pump pass when it runs
// as the reply handler of "#shutdown". Takes RconLock.
std::int32_t ResetAfterDisconnect(std::int32_t ignored);
// Shut-down: Connected 0 first, then the connection released.
void CloseServerConnection();
// REFRESH button, lists, message field and server menu items: 1 disables, 0 enables.
std::int32_t SetServerControlsDisabled(std::int32_t disabled);
