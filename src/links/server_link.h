#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "links/link_events.h"
#include "links/server_line_splitter.h"
#include "links/server_login.h"
#include "links/socket.h"

namespace pluvetta {

// The APRS server client: cuts its socket's stream into packet lines and reports them, with
// the connection's events, to its LinkEvents. It listens only, apart from the receive-only
// login that servers greeting with "#" need.
class ServerLink {
  public:
    ServerLink(Socket& socket, LinkEvents& events, std::string loginName);

    // Opens the link; the outcome arrives as OnConnected or OnError. `watchedCall` goes into
    // the login's filter.
    void Connect(const std::string& host, std::uint16_t port, std::string watchedCall);
    // Closes the link in any state; nothing is reported.
    void Close();

    // Socket events.
    void OnConnected();
    void OnData(std::string_view bytes);
    void OnError(const std::string& description);
    void OnClosed();

    // The shell's keep-alive timer, every kKeepAliveInterval: sends the keep-alive comment
    // while logged in, nothing otherwise.
    void OnKeepAliveTick();

    // Whether this connection's server greeted and was sent the login.
    bool LoggedIn() const { return login_.LoggedIn(); }
    // How many bytes arrived since the link was made, over all its connections; a change tells
    // that the server still speaks.
    std::uint64_t BytesReceived() const { return bytesReceived_; }

  private:
    void ForgetConnection();
    void HandleServerLine(std::string_view line);

    Socket& socket_;
    LinkEvents& events_;
    std::string watchedCall_;
    ServerLineSplitter splitter_;
    ServerLogin login_;
    std::uint64_t bytesReceived_ = 0;
};

}  // namespace pluvetta
