#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "links/agw_frame.h"
#include "links/link_events.h"
#include "links/socket.h"

namespace pluvetta {

// The AGWPE client: asks the engine to pass on every frame it hears, cuts its stream into
// frames and reports them, with the connection's events, to its LinkEvents. It never asks the
// engine to transmit.
class AgwLink {
  public:
    AgwLink(Socket& socket, LinkEvents& events);

    // Opens the link; the outcome arrives as OnConnected or OnError.
    void Connect(const std::string& host, std::uint16_t port);
    // Closes the link in any state; nothing is reported.
    void Close();

    // Socket events.
    void OnConnected();
    void OnData(std::string_view bytes);
    void OnError(const std::string& description);
    void OnClosed();

    // Asks the engine's version again, to learn whether it still answers. The reply is not
    // reported; until it comes, AwaitingProbe is true.
    void SendVersionProbe();
    bool AwaitingProbe() const { return probesUnanswered_ > 0; }

  private:
    void HandleAgwFrame(const AgwFrame& frame);
    // Turns a monitored frame's text into the rows it shows: its last two non-empty lines.
    void TakeMonitorLines(std::string_view text);

    Socket& socket_;
    LinkEvents& events_;
    AgwFrameCutter cutter_;
    std::vector<std::string> lines_;
    int probesUnanswered_ = 0;
};

}  // namespace pluvetta
