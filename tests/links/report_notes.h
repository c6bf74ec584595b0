#pragma once

#include <string>
#include <utility>

#include "app/fake_ports.h"
#include "links/link_events.h"

namespace pluvetta::testing {

// A link of type L on a fake socket; its reports go into the journal its socket writes too, a
// packet as "agw packet from [CALL] rows | ROW | ROW", with "rows" only when it brings rows.
template <typename L, typename... Args>
struct LinkRig : LinkEvents {
    explicit LinkRig(Args... args) : link(socket, *this, std::forward<Args>(args)...) {}
    Journal Take() { return std::exchange(journal, {}); }

    void Connected(LinkKind) override { journal.push_back("connected"); }
    void Started(LinkKind) override { journal.push_back("started"); }
    void Failed(LinkKind, const std::string& text) override { journal.push_back("failed " + text); }
    void Lost(LinkKind) override { journal.push_back("lost"); }
    void Packet(LinkKind kind, const LinkPacket& packet) override {
        std::string note = kind == LinkKind::Agw ? "agw packet from [" : "server packet from [";
        note += std::string(packet.sender) + (packet.hasRows ? "] rows" : "]");
        for (const std::string_view row : packet.rows) note += " | " + std::string(row);
        journal.push_back(note);
    }
    void EngineVersion(int major, int minor) override {
        journal.push_back("version " + std::to_string(major) + "." + std::to_string(minor));
    }
    void RadioPorts(std::string_view n) override { journal.push_back("ports " + std::string(n)); }

    Journal journal;
    FakeSocket socket{journal, "socket"};
    L link;
};

}  // namespace pluvetta::testing
