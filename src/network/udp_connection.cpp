#include "network/udp_connection.h"

#include <cstring>

namespace {
constexpr int kReceiveBufferBytes = 200000;
}

std::unique_ptr<char[]> ToAnsiBuffer(TextView text) {
  const std::string ansi = TextToAnsi(text);
  auto buffer = std::make_unique<char[]>(ansi.size() + 1);
  std::memcpy(buffer.get(), ansi.c_str(), ansi.size() + 1);
  return buffer;
}

UdpConnection* OpenUdpConnection(TextView host, int port) {
  const auto ansiHost = ToAnsiBuffer(host);
  const auto address = ResolveIpv4(ansiHost.get());
  if (!address) return nullptr;
  const PlatformSocket socket = OpenUdpSocket();
  if (socket == kInvalidSocket) return nullptr;
  SetReceiveBufferSize(socket, kReceiveBufferBytes);

  auto* connection = new UdpConnection;
  connection->Socket = socket;
  connection->ServerAddress = {*address, static_cast<std::uint16_t>(port)};
  RearmPoll(connection);
  return connection;
}

int PollReadable(UdpConnection* connection) {
  if (connection == nullptr) return -1;
  if (connection->PollSet.Count == 0) return 0;
  const int ready = PollSocketReadable(connection->PollSet.Socket);
  if (ready != 1) connection->PollSet.Count = 0;
  return ready;
}

void RearmPoll(UdpConnection* connection) {
  if (connection == nullptr) return;
  connection->PollSet.Count = 1;
  connection->PollSet.Socket = connection->Socket;
}

int ReceiveDatagram(UdpConnection* connection, std::uint8_t* buffer, std::size_t length) {
  if (connection == nullptr) return -1;
  Ipv4Endpoint sender;
  const int received = ReceiveFromSocket(connection->Socket, buffer, length, sender);
  // Only the server's own address and port: anyone else on the network could otherwise slip in
  // a reply, a login answer included. A server that answers from another address is lost to us.
  if (received > 0 && !(sender == connection->ServerAddress)) {
    std::memset(buffer, 0, static_cast<std::size_t>(received));
    return -1;
  }
  return received;
}

int SendDatagram(UdpConnection* connection, const std::uint8_t* buffer, std::size_t length) {
  if (connection == nullptr) return -1;
  return SendToSocket(connection->Socket, buffer, length, connection->ServerAddress);
}

void CloseUdpConnection(UdpConnection* connection) {
  if (connection == nullptr) return;
  CloseSocket(connection->Socket);
  delete connection;
}
