#include "links/server_link.h"

#include <array>
#include <utility>

#include "links/server_line.h"

namespace pluvetta {

ServerLink::ServerLink(Socket& socket, LinkEvents& events, std::string loginName)
    : socket_(socket), events_(events), login_(std::move(loginName), PLUVETTA_VERSION) {}

void ServerLink::ForgetConnection() {
    splitter_.Reset();
    login_.Reset();
}

void ServerLink::Connect(const std::string& host, std::uint16_t port, std::string watchedCall) {
    ForgetConnection();
    watchedCall_ = std::move(watchedCall);
    socket_.Connect(host, port);
}

void ServerLink::Close() {
    socket_.Close();
    ForgetConnection();
}

void ServerLink::OnConnected() {
    ForgetConnection();
    events_.Connected(LinkKind::Server);
    events_.Started(LinkKind::Server);
}

void ServerLink::OnData(std::string_view bytes) {
    bytesReceived_ += bytes.size();
    splitter_.Feed(bytes, [this](std::string_view line) {
        const std::string login = login_.OnLine(line, watchedCall_);
        HandleServerLine(line);
        if (!login.empty()) socket_.Send(login);
    });
}

void ServerLink::HandleServerLine(std::string_view line) {
    const ServerLine parsed = ParseServerLine(line);
    // A line without ":" carries no packet: it leaves the Rx rows alone and, even from the
    // watched station, is neither logged (the rows belong to an earlier packet) nor decoded.
    if (!parsed.hasColon) return;
    const std::array<std::string_view, 2> rows = {parsed.header, parsed.information};
    events_.Packet(LinkKind::Server, {.sender = parsed.source, .hasRows = true, .rows = rows});
}

void ServerLink::OnError(const std::string& description) {
    events_.Failed(LinkKind::Server, description);
}

void ServerLink::OnClosed() { events_.Lost(LinkKind::Server); }

void ServerLink::OnKeepAliveTick() {
    if (const std::string line = login_.KeepAlive(); !line.empty()) socket_.Send(line);
}

}  // namespace pluvetta
