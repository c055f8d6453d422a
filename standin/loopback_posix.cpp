#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "standin/loopback.h"

namespace trakvel::net {
namespace {

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

}  // namespace

Socket listen_on_loopback(int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const int reuse = 1;  // a fixed port can be had again at once after a restart
  if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof(reuse));
  sockaddr_in address = loopback(port);
  socklen_t length = sizeof(address);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(fd, 128) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) ::close(fd);
    return kNoSocket;
  }
  port = ntohs(address.sin_port);
  return fd;
}

Socket accept_connection(Socket listener) {
  const int fd = accept(static_cast<int>(listener), nullptr, nullptr);
  return fd < 0 ? kNoSocket : fd;
}

bool wait_readable(Socket socket, int milliseconds) {
  pollfd entry{static_cast<int>(socket), POLLIN, 0};
  return poll(&entry, 1, milliseconds) > 0;
}

long receive_some(Socket socket, char* buffer, std::size_t size) {
  return recv(static_cast<int>(socket), buffer, size, 0);
}

bool send_all(Socket socket, std::string_view bytes) {
  while (!bytes.empty()) {
    // MSG_NOSIGNAL: a client that went away must not end the test program.
    const ssize_t sent = send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void shut_down(Socket socket) {
  shutdown(static_cast<int>(socket), SHUT_RDWR);
}

void close_socket(Socket socket) {
  ::close(static_cast<int>(socket));
}

void reset_and_close(Socket socket) {
  const linger abortive{1, 0};
  setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_LINGER, &abortive, sizeof(abortive));
  ::close(static_cast<int>(socket));
}

}  // namespace trakvel::net
