#pragma once
// The scripted server on loopback and a recording window; the test connects with
// ConnectToServer and may run the network thread, which TearDown stops.
#include <gtest/gtest.h>

#include <string>

#include "rcon_fixture.h"
#include "rcon_test_server.h"
#include "recording_window.h"

// The scripted server and a recording window; the test connects with ConnectToServer.
class ServerTest : public ::testing::Test {
 protected:
  explicit ServerTest(rcon_test_server::ServerOptions options = {}) : server(std::move(options)) {}
  void SetUp() override;
  void TearDown() override;
  // ConnectToServer(1) with the given password; true when it connected.
  bool Connect(const std::string& password = "secret");

  rcon_test_server::RconTestServer server;
  RecordingWindow window;
};
