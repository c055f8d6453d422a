// The few socket calls that the local servers make (the stand-in of the tracking
// service and the tests' fixture server), over Winsock or POSIX sockets. Every
// socket is on 127.0.0.1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace trakvel::net {

using Socket = std::intptr_t;
inline constexpr Socket kNoSocket = -1;

// A socket listening at port, or at a free port when port is 0; port receives it.
Socket listen_on_loopback(int& port);
Socket accept_connection(Socket listener);

// Whether something arrives (a connection, bytes, the end) within the time.
bool wait_readable(Socket socket, int milliseconds);
// The count of bytes received: 0 when the peer has closed, below 0 on failure.
long receive_some(Socket socket, char* buffer, std::size_t size);
bool send_all(Socket socket, std::string_view bytes);

// Ends both directions: the peer sees the end.
void shut_down(Socket socket);
void close_socket(Socket socket);
// Closes with a reset instead of an orderly end.
void reset_and_close(Socket socket);

}  // namespace trakvel::net
