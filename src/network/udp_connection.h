#pragma once
// The UDP transport of the remote console: one socket per server connection, polled
// without waiting, sending to and receiving from the server's address only.
// It knows nothing of the packet format.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "runtime/portable/sockets.h"
#include "runtime/portable/text.h"

// The platform's read set, holding at most this connection's one socket. A poll that finds
// nothing empties it, as the platform's select does, until RearmPoll puts the socket back.
struct UdpPollSet {
  int Count = 0;
  PlatformSocket Socket = kInvalidSocket;
};

struct UdpConnection {
  PlatformSocket Socket = kInvalidSocket;
  Ipv4Endpoint ServerAddress;
  UdpPollSet PollSet;
};

// A new connection to host:port, or nullptr when the host does not resolve or no socket
// could be made (then no socket is left open).
UdpConnection* OpenUdpConnection(TextView host, int port);
// The host text in the ANSI code page, zero-terminated: the resolver's input.
std::unique_ptr<char[]> ToAnsiBuffer(TextView text);
// 1 when a datagram from anyone is waiting, 0 when none is (the set is then emptied), -1 on error.
int PollReadable(UdpConnection* connection);
void RearmPoll(UdpConnection* connection);
// One datagram into `buffer`. A datagram from any other address than the server's is
// foreign: its bytes are zeroed and -1 is returned, as for a receive error, so that nobody
// else on the network can inject replies.
int ReceiveDatagram(UdpConnection* connection, std::uint8_t* buffer, std::size_t length);
int SendDatagram(UdpConnection* connection, const std::uint8_t* buffer, std::size_t length);
// Shuts the socket down, closes it and releases the record. Accepts nullptr.
void CloseUdpConnection(UdpConnection* connection);
