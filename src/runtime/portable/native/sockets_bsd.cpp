// BSD sockets, for the native build.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "runtime/portable/sockets.h"

namespace {

sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(endpoint.port);
  address.sin_addr.s_addr = endpoint.address;
  return address;
}

int Fd(PlatformSocket socket) { return static_cast<int>(socket); }

}  // namespace

bool StartNetworkLibrary() { return true; }
void EndNetworkLibrary() {}

std::optional<std::uint32_t> ResolveIpv4(const std::string& ansiHost) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* result = nullptr;
  // An empty host names no server, as in the Windows build, whose resolver would answer it.
  if (ansiHost.empty() || getaddrinfo(ansiHost.c_str(), nullptr, &hints, &result) != 0) {
    return std::nullopt;
  }
  std::optional<std::uint32_t> first;
  for (addrinfo* it = result; it != nullptr && !first; it = it->ai_next) {
    if (it->ai_family == AF_INET) {
      first = reinterpret_cast<sockaddr_in*>(it->ai_addr)->sin_addr.s_addr;
    }
  }
  freeaddrinfo(result);
  return first;
}

PlatformSocket OpenUdpSocket() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  return fd < 0 ? kInvalidSocket : fd;
}

void SetReceiveBufferSize(PlatformSocket socket, int bytes) {
  ::setsockopt(Fd(socket), SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

int PollSocketReadable(PlatformSocket socket) {
  pollfd entry{Fd(socket), POLLIN, 0};
  const int ready = ::poll(&entry, 1, 0);
  if (ready < 0) return -1;
  return (ready > 0 && (entry.revents & POLLIN)) ? 1 : 0;
}

int WaitSocketsReadable(const PlatformSocket* sockets, int count, int timeoutMs) {
  std::vector<pollfd> entries;
  for (int i = 0; i < count; ++i) entries.push_back({Fd(sockets[i]), POLLIN, 0});
  const int ready = ::poll(entries.data(), entries.size(), timeoutMs);
  return ready < 0 ? -1 : ready;
}

int ReceiveFromSocket(PlatformSocket socket, void* buffer, std::size_t capacity, Ipv4Endpoint& from) {
  sockaddr_in sender{};
  socklen_t senderLength = sizeof sender;
  const ssize_t n = ::recvfrom(Fd(socket), buffer, capacity, 0, reinterpret_cast<sockaddr*>(&sender),
                               &senderLength);
  if (n < 0) return -1;
  from.address = sender.sin_addr.s_addr;
  from.port = ntohs(sender.sin_port);
  return static_cast<int>(n);
}

int SendToSocket(PlatformSocket socket, const void* data, std::size_t length, const Ipv4Endpoint& to) {
  const sockaddr_in address = ToSockaddr(to);
  const ssize_t n = ::sendto(Fd(socket), data, length, 0, reinterpret_cast<const sockaddr*>(&address),
                             sizeof address);
  return n < 0 ? -1 : static_cast<int>(n);
}

void CloseSocket(PlatformSocket socket) {
  ::shutdown(Fd(socket), SHUT_RDWR);
  ::close(Fd(socket));
}

std::uint16_t BindLoopback(PlatformSocket socket, std::uint16_t port) {
  sockaddr_in address = ToSockaddr({LoopbackAddress(), port});
  if (::bind(Fd(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 0;
  socklen_t length = sizeof address;
  if (::getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

std::uint32_t LoopbackAddress() { return htonl(INADDR_LOOPBACK); }
