#pragma once
// The platform's datagram sockets behind one small interface: Winsock on Windows,
// BSD sockets elsewhere, with the same behaviour on both. IPv4 only.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

using PlatformSocket = std::intptr_t;
constexpr PlatformSocket kInvalidSocket = -1;

struct Ipv4Endpoint {
  std::uint32_t address = 0;  // network byte order, as on the wire
  std::uint16_t port = 0;     // host byte order
  bool operator==(const Ipv4Endpoint&) const = default;
};

// Starts and ends the socket library for the process (a no-op where there is none).
bool StartNetworkLibrary();
void EndNetworkLibrary();

// The first IPv4 address of an ANSI host name or dotted address; nothing when it does not resolve.
std::optional<std::uint32_t> ResolveIpv4(const std::string& ansiHost);

// A new UDP socket, not bound and not connected, blocking; kInvalidSocket on failure.
PlatformSocket OpenUdpSocket();
void SetReceiveBufferSize(PlatformSocket socket, int bytes);
// Is a datagram waiting? 1 yes, 0 no, -1 error. Never waits.
int PollSocketReadable(PlatformSocket socket);
// Waits until one of the sockets has a datagram (or an error) waiting, or `timeoutMs` passed.
// The number of such sockets, 0 after the time-out, -1 on error.
int WaitSocketsReadable(const PlatformSocket* sockets, int count, int timeoutMs);
// One datagram of at most `capacity` bytes; its sender in `from`. -1 on error.
int ReceiveFromSocket(PlatformSocket socket, void* buffer, std::size_t capacity, Ipv4Endpoint& from);
int SendToSocket(PlatformSocket socket, const void* data, std::size_t length, const Ipv4Endpoint& to);
// Shuts the socket down in both directions and closes it.
void CloseSocket(PlatformSocket socket);
// Binds to 127.0.0.1 on `port` (0 = any free one) and returns the port bound; 0 on failure.
// Used by the test server, which has to be found at a known address, and by the socket that
// wakes the network thread.
std::uint16_t BindLoopback(PlatformSocket socket, std::uint16_t port);
std::uint32_t LoopbackAddress();
