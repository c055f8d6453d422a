#include <winsock2.h>
#include <ws2tcpip.h>

#include "standin/loopback.h"

namespace trakvel::net {
namespace {

void start_winsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

SOCKET native(Socket socket) {
  return static_cast<SOCKET>(socket);
}

Socket portable(SOCKET socket) {
  return socket == INVALID_SOCKET ? kNoSocket : static_cast<Socket>(socket);
}

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

}  // namespace

Socket listen_on_loopback(int& port) {
  start_winsock();
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = loopback(port);
  int length = sizeof(address);
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(s, 128) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (s != INVALID_SOCKET) closesocket(s);
    return kNoSocket;
  }
  port = ntohs(address.sin_port);
  return portable(s);
}

Socket accept_connection(Socket listener) {
  return portable(accept(native(listener), nullptr, nullptr));
}

bool wait_readable(Socket socket, int milliseconds) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(native(socket), &readable);
  timeval timeout{0, milliseconds * 1000};
  return select(0, &readable, nullptr, nullptr, &timeout) > 0;
}

long receive_some(Socket socket, char* buffer, std::size_t size) {
  return recv(native(socket), buffer, static_cast<int>(size), 0);
}

bool send_all(Socket socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const int sent = send(native(socket), bytes.data(), static_cast<int>(bytes.size()), 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void shut_down(Socket socket) {
  shutdown(native(socket), SD_BOTH);
}

void close_socket(Socket socket) {
  closesocket(native(socket));
}

void reset_and_close(Socket socket) {
  const linger abortive{1, 0};
  setsockopt(native(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive),
             sizeof(abortive));
  closesocket(native(socket));
}

}  // namespace trakvel::net
