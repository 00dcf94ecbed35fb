// Winsock, for the Windows build.
#include <winsock2.h>

#include "runtime/portable/end_routine.h"
#include "runtime/portable/sockets.h"

namespace {

sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(endpoint.port);
  address.sin_addr.s_addr = endpoint.address;
  return address;
}

SOCKET Handle(PlatformSocket socket) { return static_cast<SOCKET>(socket); }

}  // namespace

bool StartNetworkLibrary() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return false;
  InstallLibraryEnd(EndingLibrary::Network, EndNetworkLibrary);
  return true;
}

void EndNetworkLibrary() { WSACleanup(); }

std::optional<std::uint32_t> ResolveIpv4(const std::string& ansiHost) {
  // An empty host names no server, yet the resolver answers it with this machine's own
  // address, and the password would go to whatever listens there.
  if (ansiHost.empty()) return std::nullopt;
  const hostent* host = gethostbyname(ansiHost.c_str());
  if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list[0] == nullptr) {
    return std::nullopt;
  }
  std::uint32_t address;
  memcpy(&address, host->h_addr_list[0], sizeof address);
  return address;
}

PlatformSocket OpenUdpSocket() {
  const SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  return s == INVALID_SOCKET ? kInvalidSocket : static_cast<PlatformSocket>(s);
}

void SetReceiveBufferSize(PlatformSocket socket, int bytes) {
  ::setsockopt(Handle(socket), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes);
}

int PollSocketReadable(PlatformSocket socket) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(Handle(socket), &readable);
  timeval immediately{0, 0};
  const int ready = ::select(0, &readable, nullptr, nullptr, &immediately);
  if (ready == SOCKET_ERROR) return -1;
  return ready > 0 ? 1 : 0;
}

int WaitSocketsReadable(const PlatformSocket* sockets, int count, int timeoutMs) {
  fd_set readable;
  FD_ZERO(&readable);
  for (int i = 0; i < count; ++i) FD_SET(Handle(sockets[i]), &readable);
  timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  const int ready = ::select(0, &readable, nullptr, nullptr, &limit);
  return ready == SOCKET_ERROR ? -1 : ready;
}

int ReceiveFromSocket(PlatformSocket socket, void* buffer, std::size_t capacity, Ipv4Endpoint& from) {
  sockaddr_in sender{};
  int senderLength = sizeof sender;
  const int n = ::recvfrom(Handle(socket), static_cast<char*>(buffer), static_cast<int>(capacity), 0,
                           reinterpret_cast<sockaddr*>(&sender), &senderLength);
  if (n == SOCKET_ERROR) return -1;
  from.address = sender.sin_addr.s_addr;
  from.port = ntohs(sender.sin_port);
  return n;
}

int SendToSocket(PlatformSocket socket, const void* data, std::size_t length, const Ipv4Endpoint& to) {
  const sockaddr_in address = ToSockaddr(to);
  const int n = ::sendto(Handle(socket), static_cast<const char*>(data), static_cast<int>(length), 0,
                         reinterpret_cast<const sockaddr*>(&address), sizeof address);
  return n == SOCKET_ERROR ? -1 : n;
}

void CloseSocket(PlatformSocket socket) {
  ::shutdown(Handle(socket), SD_BOTH);
  ::closesocket(Handle(socket));
}

std::uint16_t BindLoopback(PlatformSocket socket, std::uint16_t port) {
  sockaddr_in address = ToSockaddr({LoopbackAddress(), port});
  if (::bind(Handle(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 0;
  int length = sizeof address;
  if (::getsockname(Handle(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

std::uint32_t LoopbackAddress() { return htonl(INADDR_LOOPBACK); }
