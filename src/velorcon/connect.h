#pragma once
// Connecting and logging in, and the GUI's wait for fresh player numbers.
#include <cstdint>

#include "network/udp_connection.h"
#include "runtime/portable/text.h"
#include "runtime/portable/ticks.h"

constexpr TickCount kLoginTimeoutMs = 3000;

// GUI thread, before ConnectToServer: what to connect to.
void SetServerTarget(TextView host, std::int32_t port, TextView password);
// The settings' automatic refresh (AutoRefreshEnable, AutoRefreshTime in seconds).
void SetAutoRefresh(std::int32_t enable, std::int32_t seconds);

// GUI thread. Opens the connection, logs in and asks for version, maxping, players, missions
// and bans; "Could not connect!" when the port lies outside 1-65535, the host does not
// resolve or no login is accepted within 3000 ms. `fromQuickConnect` 1 closes the Quick Connect dialog, else the connect window.
std::int32_t ConnectToServer(std::int32_t fromQuickConnect);
// 1 when the first datagram within 3000 ms is an accepted login reply. Takes RconLock.
std::int32_t WaitForLoginReply(UdpConnection* connection);
// GUI thread: asks for the players without redrawing the list and pumps until they came, the
// request timed out (then the window is reset) or the connection went away.
std::int32_t RefreshPlayersAndWait();
