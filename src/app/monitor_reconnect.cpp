// The Monitor's part in keeping the links up by themselves, when the options file asks for it.

#include <string>

#include "app/monitor.h"

namespace pluvetta {

namespace {

constexpr std::string_view kRetryText = " - riprovo fra ";
constexpr std::string_view kSecondsText = " s";

}  // namespace

void Monitor::ApplyReconnectOptions() {
    agwSocket_.ResolveOnEveryConnect(options_.agwReconnect);
    serverSocket_.ResolveOnEveryConnect(options_.serverReconnect);
    // A link waiting to try again ends as a lost link always did once the option goes.
    for (const LinkKind link : {LinkKind::Agw, LinkKind::Server}) {
        if (ReconnectOn(link) || Watch(link).phase != LinkWatch::Phase::Waiting) continue;
        CloseLink(link);
        screen_.SetCaption(Label::WxComment, LostText(link));
    }
}

// A switched-off link is closed and idle already; a late event of its old socket must not bring
// it back.
bool Monitor::ReconnectOn(LinkKind link) const {
    return (link == LinkKind::Server ? options_.serverReconnect : options_.agwReconnect) &&
           LinkOn(link);
}

bool Monitor::RetryLater(LinkKind link) {
    if (!ReconnectOn(link)) return false;
    LinkWatch& watch = Watch(link);
    link == LinkKind::Server ? serverLink_.Close() : agwLink_.Close();
    if (link == LinkKind::Server && watch.phase == LinkWatch::Phase::Connecting &&
        watch.endpoint < options_.serverFallback.size()) {
        ++watch.endpoint;
        Attempt(link);
        return true;
    }
    watch.endpoint = 0;
    watch.phase = LinkWatch::Phase::Waiting;
    watch.due = now_ + watch.policy.Lost(now_);
    watch.shownSeconds = -1;
    ShowWait(link);
    return true;
}

void Monitor::Attempt(LinkKind link) {
    LinkWatch& watch = Watch(link);
    watch.phase = LinkWatch::Phase::Connecting;
    watch.reconnecting = true;
    if (link == LinkKind::Agw) {
        agwLink_.Connect(SocketHostName(station_.AgwHost), station_.AgwPort);
    } else if (watch.endpoint == 0) {
        serverLink_.Connect(SocketHostName(station_.ServerHost), station_.ServerPort,
                            station_.StationCall);
    } else {
        const Endpoint& fallback = options_.serverFallback[watch.endpoint - 1];
        serverLink_.Connect(SocketHostName(fallback.host), fallback.port, station_.StationCall);
    }
}

std::string Monitor::LinkHost(LinkKind link) const {
    const LinkWatch& watch = link == LinkKind::Server ? serverWatch_ : agwWatch_;
    if (link == LinkKind::Agw) return station_.AgwHost;
    if (watch.endpoint == 0 || watch.endpoint > options_.serverFallback.size()) {
        return station_.ServerHost;
    }
    return options_.serverFallback[watch.endpoint - 1].host;
}

void Monitor::ShowWait(LinkKind link) {
    LinkWatch& watch = Watch(link);
    // Whole seconds, rounded up: the last second shows 1, never 0.
    const long long seconds = (std::max(watch.due - now_, SteadyTime(1)).count() + 999) / 1000;
    if (seconds == watch.shownSeconds) return;
    watch.shownSeconds = seconds;
    const std::string text = LostText(link) + std::string(kRetryText) + std::to_string(seconds) +
                             std::string(kSecondsText);
    screen_.SetCaption(Label::WxComment, text);
    screen_.SetTrayTooltip(text);
}

void Monitor::WatchConnection(LinkKind link) {
    LinkWatch& watch = Watch(link);
    watch.phase = LinkWatch::Phase::Up;
    watch.policy.Up(now_);
    watch.since = now_;
    watch.heardBytes = serverLink_.BytesReceived();
}

// A server gone silent and an engine that no longer answers are links lost like any other: the
// alarm command hears of them.
void Monitor::OnClockTick(SteadyTime now) {
    now_ = now;
    for (const LinkKind link : {LinkKind::Agw, LinkKind::Server}) {
        LinkWatch& watch = Watch(link);
        if (watch.phase == LinkWatch::Phase::Waiting) {
            now >= watch.due ? Attempt(link) : ShowWait(link);
            continue;
        }
        if (watch.phase != LinkWatch::Phase::Up || !ReconnectOn(link)) continue;
        if (link == LinkKind::Server) {
            // A server that never greeted may rightly stay quiet; one that took our login and
            // then says nothing, not even its periodic comment, is gone.
            const std::uint64_t heard = serverLink_.BytesReceived();
            if (!serverLink_.LoggedIn() || heard != watch.heardBytes) {
                watch.heardBytes = heard;
                watch.since = now;
            } else if (now - watch.since >= kServerSilenceLimit) {
                Lost(link);
            }
        } else if (agwLink_.AwaitingProbe()) {
            if (now - watch.since >= kAgwProbeAnswerLimit) Lost(link);
        } else if (now - watch.since >= kAgwProbeInterval) {
            // A quiet radio is normal, so silence says nothing: the engine is asked instead.
            agwLink_.SendVersionProbe();
            watch.since = now;
        }
    }
}

}  // namespace pluvetta
