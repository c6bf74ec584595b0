#pragma once

#include <cstdint>
#include <string>

namespace pluvetta {

// A TCP client socket. Connect returns at once; the outcome arrives later as an event of the
// shell, which hands it to the link that owns the socket.
class Socket {
  public:
    virtual ~Socket() = default;
    virtual void Connect(const std::string& host, std::uint16_t port) = 0;
    // May be called in any state, also when never connected.
    virtual void Close() = 0;
    virtual void Send(const std::string& bytes) = 0;
    // Whether each Connect resolves the host name afresh and tries its addresses in a random
    // order, as a link that reconnects by itself should. Off by default.
    virtual void ResolveOnEveryConnect(bool /*on*/) {}
};

}  // namespace pluvetta
