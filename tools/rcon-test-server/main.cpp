// rcon-test-server: the scripted game server, by hand.
//   rcon-test-server --host 127.0.0.1 --port 2302 --password secret --players 5
// It serves until it is interrupted, and prints each command it receives on a line of its
// own ("command: players"), so that a script can follow what the client sent.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "rcon_test_server.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: rcon-test-server [--host 127.0.0.1] [--port N] [--password TEXT] [--players N]\n"
               "The server listens on the loopback address only.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  rcon_test_server::ServerOptions options;
  options.Port = 2302;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (i + 1 >= argc) return Usage();
    const std::string value = argv[++i];
    if (name == "--host") {
      if (value != "127.0.0.1") {
        std::fprintf(stderr, "rcon-test-server: only 127.0.0.1 is served, not %s\n", value.c_str());
        return 2;
      }
    } else if (name == "--port") {
      options.Port = static_cast<std::uint16_t>(std::atoi(value.c_str()));
    } else if (name == "--password") {
      options.Password = value;
    } else if (name == "--players") {
      options.Players = std::atoi(value.c_str());
    } else {
      return Usage();
    }
  }
  rcon_test_server::RconTestServer server(options);
  if (!server.Start()) {
    std::fprintf(stderr, "rcon-test-server: cannot listen on 127.0.0.1:%u\n", options.Port);
    return 1;
  }
  std::printf("rcon-test-server listening on 127.0.0.1:%u (password \"%s\", %d players)\n",
              server.Port(), options.Password.c_str(), options.Players);
  std::fflush(stdout);
  for (std::size_t printed = 0;;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<std::string> commands = server.Commands();
    for (; printed < commands.size(); ++printed) std::printf("command: %s\n", commands[printed].c_str());
    std::fflush(stdout);
  }
}
