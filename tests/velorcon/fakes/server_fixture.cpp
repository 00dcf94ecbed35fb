#include "server_fixture.h"

#include "velorcon/connect.h"
#include "velorcon/network_thread.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"

void ServerTest::SetUp() {
  ResetRconState();
  SetRconWindow(&window);
  ASSERT_TRUE(server.Start());
}

void ServerTest::TearDown() {
  StopNetworkThread();
  ResetRconState();
  SetRconWindow(nullptr);
  UseRealTicks();
  server.Stop();
}

bool ServerTest::Connect(const std::string& password) {
  SetServerTarget(u"127.0.0.1", server.Port(), AsciiText(password));
  ConnectToServer(1);
  RconLockGuard guard;
  return Rcon.Connected == 1;
}
