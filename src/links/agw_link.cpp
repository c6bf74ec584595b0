#include "links/agw_link.h"

#include <array>

namespace pluvetta {

namespace {

// Switches the engine's monitoring on, asks for its version, and for its radio ports.
constexpr char kMonitorRequest = 'm';
constexpr char kVersionRequest = 'R';
constexpr char kPortsRequest = 'G';
// Monitored frames: heard on the air, and sent by the engine itself.
constexpr char kMonitored = 'U';
constexpr char kMonitoredOwn = 'T';
constexpr char kLineEnd = '\r';
constexpr std::size_t kMaxRows = 2;
// The engine's monitor header starts " 1:Fm " (blank, radio port, colon); the rows show it
// as "1: " followed by the sender.
constexpr std::string_view kMonitorMark = ":Fm ";

// A little-endian 16-bit number at `offset`; bytes the data lack count as zero.
int ReadVersionNumber(std::string_view data, std::size_t offset) {
    const auto byte = [data](std::size_t i) {
        return i < data.size() ? static_cast<unsigned char>(data[i]) : 0;
    };
    return byte(offset) + 256 * byte(offset + 1);
}

}  // namespace

AgwLink::AgwLink(Socket& socket, LinkEvents& events) : socket_(socket), events_(events) {}

void AgwLink::Connect(const std::string& host, std::uint16_t port) {
    cutter_.Reset();
    socket_.Connect(host, port);
}

void AgwLink::Close() {
    socket_.Close();
    cutter_.Reset();
}

void AgwLink::OnConnected() {
    cutter_.Reset();
    probesUnanswered_ = 0;
    socket_.Send(EncodeAgwRequest(kMonitorRequest));
    events_.Connected(LinkKind::Agw);
    socket_.Send(EncodeAgwRequest(kVersionRequest));
    events_.Started(LinkKind::Agw);
    socket_.Send(EncodeAgwRequest(kPortsRequest));
}

void AgwLink::OnData(std::string_view bytes) {
    const std::uint32_t oversized = cutter_.Feed(bytes, [this](const AgwFrame& frame) {
        // A frame of the header alone carries nothing for us.
        if (!frame.data.empty()) HandleAgwFrame(frame);
    });
    if (oversized != 0) {
        events_.Failed(LinkKind::Agw, "AGWPE stream out of step: a frame announces " +
                                          std::to_string(oversized) + " data bytes");
    }
}

void AgwLink::OnError(const std::string& description) {
    events_.Failed(LinkKind::Agw, description);
}

void AgwLink::OnClosed() { events_.Lost(LinkKind::Agw); }

void AgwLink::SendVersionProbe() {
    ++probesUnanswered_;
    socket_.Send(EncodeAgwRequest(kVersionRequest));
}

void AgwLink::TakeMonitorLines(std::string_view text) {
    lines_.clear();
    // What follows the last line end is no line; an engine ends its text with a zero byte.
    for (std::size_t end = text.find(kLineEnd); end != std::string_view::npos;
         end = text.find(kLineEnd)) {
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line.empty()) continue;
        if (lines_.size() == kMaxRows) lines_.erase(lines_.begin());
        if (line.size() > 5 && line.substr(2, kMonitorMark.size()) == kMonitorMark) {
            lines_.push_back(std::string(line.substr(1, 2)).append(line.substr(5)));
        } else {
            lines_.emplace_back(line);
        }
    }
}

void AgwLink::HandleAgwFrame(const AgwFrame& frame) {
    LinkPacket packet{.sender = frame.call};
    switch (frame.kind) {
        case kMonitored:
        case kMonitoredOwn: {
            TakeMonitorLines(frame.data);
            std::array<std::string_view, kMaxRows> rows;
            for (std::size_t i = 0; i < lines_.size(); ++i) rows[i] = lines_[i];
            packet.hasRows = true;
            packet.rows = std::span(rows.data(), lines_.size());
            events_.Packet(LinkKind::Agw, packet);
            return;
        }
        case kVersionRequest:
            // The engine answers in order: the connect's own request is long answered when a
            // probe goes out.
            if (probesUnanswered_ > 0) {
                --probesUnanswered_;
                return;
            }
            events_.EngineVersion(ReadVersionNumber(frame.data, 0),
                                  ReadVersionNumber(frame.data, 4));
            break;
        case kPortsRequest:
            events_.RadioPorts(frame.data.substr(0, 1));
            break;
        default:
            packet.sender = {};
            break;
    }
    events_.Packet(LinkKind::Agw, packet);
}

}  // namespace pluvetta
