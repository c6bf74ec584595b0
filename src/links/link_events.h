#pragma once

#include <span>
#include <string>
#include <string_view>

namespace pluvetta {

// The two data links.
enum class LinkKind { Agw, Server };

// One packet as a link hands it up. The views are valid only during the report.
struct LinkPacket {
    // The sender's call as the packet names it, SSID included; empty when it names none.
    std::string_view sender{};
    // Whether the packet replaces the rows of the Rx pane, and with which (at most two, in
    // order; none empties the pane). A packet without rows leaves the pane as it is.
    bool hasRows = false;
    std::span<const std::string_view> rows{};
};

// What a link tells the program that runs it. A link speaks its protocol and reports; what
// the window shows, the settings and the traffic log are the receiver's.
class LinkEvents {
  public:
    virtual ~LinkEvents() = default;
    // The connection is made.
    virtual void Connected(LinkKind link) = 0;
    // Right after Connected, once the link has asked the peer for what it needs: the
    // connection's reports begin.
    virtual void Started(LinkKind link) = 0;
    // The connect or the connection failed; `description` is the socket's own text. The
    // receiver closes the link.
    virtual void Failed(LinkKind link, const std::string& description) = 0;
    // The peer closed the connection. The receiver closes the link.
    virtual void Lost(LinkKind link) = 0;
    virtual void Packet(LinkKind link, const LinkPacket& packet) = 0;

    // The AGWPE engine's replies: its version, and the first character of its radio-port
    // information (the number of ports).
    virtual void EngineVersion(int major, int minor) = 0;
    virtual void RadioPorts(std::string_view count) = 0;
};

// Whether an information field goes to the weather decoder: it starts with "_" (positionless
// weather), or with one of "/", "@", "!", "=", ";" (position or object) and holds "_" anywhere.
bool IsWeatherTrigger(std::string_view information);

}  // namespace pluvetta
