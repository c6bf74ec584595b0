#include "links/server_link.h"

#include <utility>

namespace pluvetta {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kWeatherCarriers = "/@!=;";
constexpr char kWeatherSymbol = '_';
constexpr int kTrendBoxCount = 3;

}  // namespace

ServerLine ParseServerLine(std::string_view line) {
    ServerLine parsed;
    std::size_t searchFrom = 0;
    if (const std::size_t gt = line.find('>'); gt != std::string_view::npos) {
        parsed.source = line.substr(0, gt);
        searchFrom = gt + 1;
    }
    const std::size_t colon = line.find(':', searchFrom);
    if (colon != std::string_view::npos) {
        parsed.header = line.substr(0, colon + 1);
        parsed.information = line.substr(colon + 1);
        parsed.hasColon = true;
    }
    return parsed;
}

bool IsWeatherTrigger(std::string_view information) {
    if (information.empty()) {
        return false;
    }
    if (information.front() == kWeatherSymbol) {
        return true;
    }
    return kWeatherCarriers.find(information.front()) != std::string_view::npos &&
           information.find(kWeatherSymbol) != std::string_view::npos;
}

bool IsWatchedSender(std::string_view source, std::string_view call) { return source == call; }

std::string LogEntry(std::string_view timeOfDay, std::string_view header,
                     std::string_view information) {
    std::string entry;
    entry.reserve(timeOfDay.size() + header.size() + information.size() + 7);
    entry += '[';
    entry += timeOfDay;
    entry += "] ";
    entry += header;
    entry += kCrLf;
    entry += information;
    entry += kCrLf;
    return entry;
}

std::string ServerErrorTitle(std::string_view call) {
    std::string title(kServerErrorTitleHead);
    title += call;
    title += kServerErrorTitleTail;
    return title;
}

ServerLink::ServerLink(Screen& screen, Desktop& desktop, Socket& socket, StationSettings& station,
                       TrafficLog& log, ServerLinkOwner& owner, std::string loginName)
    : screen_(screen),
      desktop_(desktop),
      socket_(socket),
      station_(station),
      log_(log),
      owner_(owner),
      login_(std::move(loginName), PLUVETTA_VERSION) {}

void ServerLink::ForgetConnection() {
    splitter_.Reset();
    login_.Reset();
}

void ServerLink::Connect() {
    ForgetConnection();
    socket_.Connect(station_.ServerHost, station_.ServerPort);
}

void ServerLink::Close() {
    socket_.Close();
    ForgetConnection();
}

void ServerLink::OnConnected() {
    ForgetConnection();
    screen_.SetCaption(Label::WxComment, std::string(kServerConnectedText) + station_.ServerHost);
    const std::string caption = station_.StationCall + std::string(kWindowCaptionSuffix);
    screen_.SetWindowCaption(caption);
    screen_.SetTrayTooltip(caption);
    screen_.SetCaption(Label::WxData, std::string(kVersionCaption));
    for (const Label label : {Label::Press, Label::Temp, Label::UR, Label::Rain}) {
        screen_.SetCaption(label, std::string());
    }
    for (int box = 0; box < kTrendBoxCount; ++box) {
        screen_.TrendBox(box).Clear();
    }
    screen_.SetCaption(Label::Elapsed, "00");
    owner_.ResetReportTiming();
}

void ServerLink::OnData(std::string_view bytes) {
    splitter_.Feed(bytes, [this](std::string_view line) {
        const std::string login = login_.OnLine(line, station_.StationCall);
        HandleServerLine(line);
        if (!login.empty()) {
            socket_.Send(login);
        }
    });
}

void ServerLink::HandleServerLine(std::string_view line) {
    const ServerLine parsed = ParseServerLine(line);
    if (parsed.hasColon) {
        screen_.SetRxRows(std::string(parsed.header), std::string(parsed.information));
    }
    // A line without ":" carries no packet: it leaves the Rx rows alone and, even from the
    // watched station, is neither logged (the rows belong to an earlier packet) nor decoded.
    if (!parsed.hasColon || !IsWatchedSender(parsed.source, station_.StationCall) ||
        !owner_.ReportGate()) {
        return;
    }
    log_.AppendToLog(LogEntry(desktop_.TimeOfDay(), parsed.header, parsed.information));
    screen_.SetLogText(log_.Text());
    if (IsWeatherTrigger(parsed.information)) {
        owner_.ProcessWeatherReport(parsed.information);
    }
}

void ServerLink::OnError(const std::string& description) {
    desktop_.ShowWarning(ServerErrorTitle(station_.StationCall), description);
    Close();
    station_.ServerEnabled = false;
    if (!desktop_.IsSetupDialogVisible()) {
        desktop_.ShowSetupDialog(true);
    }
}

void ServerLink::OnClosed() {
    Close();
    screen_.SetCaption(Label::WxComment, std::string(kServerDisconnectedText));
    station_.ServerEnabled = false;
}

void ServerLink::OnKeepAliveTick() {
    if (const std::string line = login_.KeepAlive(); !line.empty()) {
        socket_.Send(line);
    }
}

}  // namespace pluvetta
