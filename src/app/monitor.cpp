#include "app/monitor.h"

#include <utility>

#include "app/alarms_file.h"
#include "app/file_places.h"
#include "app/kept_station.h"
#include "weather/alarms.h"
#include "weather/decoder.h"
#include "weather/wind_rose.h"

namespace pluvetta {

namespace {

constexpr const char* kAlarmsFileName = "WxAlarms.ini";
constexpr const char* kSaveFailedText = "Unable to save Wx Alarm values";
constexpr const char* kReadFailedText = "Unable to read Wx Alarm values: the defaults are in use";
constexpr const char* kNoCall = "NOCALL";

// The links' words on screen.
constexpr std::string_view kServerConnectedText = "Pluvetta connected to ";
constexpr std::string_view kWindowCaptionSuffix = " Wx Station";
constexpr std::string_view kVersionCaption = "Pluvetta v6";
constexpr std::string_view kServerErrorTitle = "Errore collegamento TCP [";
constexpr std::string_view kAgwErrorTitle = "Errore collegamento con AGWPE [";
constexpr std::string_view kErrorTitleEnd = "]";
constexpr std::string_view kServerLostText = "Aprs Server Disconnected";
constexpr std::string_view kAgwLostText = "AGWPE Disconnected";
constexpr std::string_view kEngineVersionText = "Pluvetta connesso a AGWPE v";
constexpr std::string_view kRadioPortsText = "Porte Radio : ";
constexpr std::string_view kOffCaption = "Pluvetta OFF";

std::size_t Index(LinkKind link) { return link == LinkKind::Server ? 1 : 0; }

// The readout labels that can be in alarm (wind, temperature, humidity, pressure, rain), by
// the names the alarm command is given.
constexpr const char* kAlarmLabelNames[] = {"wind", "temp", "hum", "press", "rain"};

unsigned LinkBit(LinkKind link) { return link == LinkKind::Server ? 2u : 1u; }

}  // namespace

std::string Monitor::LostText(LinkKind link) {
    return std::string(link == LinkKind::Server ? kServerLostText : kAgwLostText);
}

Monitor::Monitor(Screen& screen, Desktop& desktop, Socket& agwSocket, Socket& serverSocket,
                 NumberFormat numberFormat, std::uint32_t loginSeed)
    : screen_(screen),
      desktop_(desktop),
      numberFormat_(std::move(numberFormat)),
      agwLink_(agwSocket, *this),
      serverLink_(serverSocket, *this, MakeLoginName(loginSeed)),
      agwSocket_(agwSocket),
      serverSocket_(serverSocket),
      random_(loginSeed),
      agwWatch_([this] { return static_cast<std::uint32_t>(random_()); }),
      serverWatch_([this] { return static_cast<std::uint32_t>(random_()); }) {}

void Monitor::Start(std::string_view commandLine, const std::filesystem::path& executableFolder,
                    const std::filesystem::path& configFolder) {
    reportGate_ = true;
    station_.SaveAlarms = false;
    alarmsFilePath_ = AlarmsFolder(executableFolder, configFolder) / kAlarmsFileName;
    keepsStation_ = TrimBlanks(commandLine).empty();
    ParseCommandLine(commandLine, station_);

    AlarmsLoad load = LoadAlarmSettings(alarmsFilePath_);
    alarms_ = load.settings;
    // Saving the defaults unchanged over a file that could not be read would lose the values
    // it may still hold. Marked before the box: a session may end while it is up.
    unreadAlarms_ = load.unreadable ? std::optional(alarms_) : std::nullopt;
    // The defaults stay in force; the user only learns that they could not be kept.
    if (load.saveFailed) WarnSaveFailed();
    if (load.unreadable) desktop_.ShowWarning(alarmsFilePath_.string(), kReadFailedText);

    ApplyLinkDefaults(station_);
    if (keepsStation_) TakeKeptStation(options_.keptStation, station_);
    if (station_.StationCall.empty()) {
        station_.StationCall = kNoCall;
        desktop_.ShowSetupDialog(DialogMode::Modal);
        return;
    }
    if (station_.AgwEnabled) ConnectLink(LinkKind::Agw);
    if (station_.ServerEnabled) ConnectLink(LinkKind::Server);
}

bool Monitor::Shutdown(ShutdownBy by) {
    agwWatch_.phase = serverWatch_.phase = LinkWatch::Phase::Idle;
    agwLink_.Close();
    serverLink_.Close();
    if (!station_.SaveAlarms || alarms_ == unreadAlarms_) return true;
    if (SaveAlarmSettings(alarms_, alarmsFilePath_)) return true;
    if (by == ShutdownBy::User) WarnSaveFailed();
    return false;
}

std::string Monitor::SaveFailedNotice() const {
    return alarmsFilePath_.string() + ": " + kSaveFailedText;
}

void Monitor::ProcessWeatherReport(std::string_view information) {
    bool raise = alarms_.FocusOnData;
    bool beep = false;
    screen_.SetCaption(Label::Elapsed, FormatElapsed(0));
    minutesSinceReport_ = 0;
    if (silent_.Report(now_)) {
        screen_.SetColor(Label::Elapsed, kNormalBlue);
    }

    const WeatherReading reading = DecodeWeatherReport(information);
    if (HasWindData(reading)) {
        desktop_.RestartElapsedTimer();
        reportGate_ = false;
        beep = alarms_.BeepOnData;
    }

    const Readout readout =
        BuildReadout(reading, alarms_, numberFormat_, ShownUnits(options_), options_.formulas);
    ShowWind(reading, readout);
    ShowTrendedValue(Label::Temp, TrendBox::Temp, readout.temp,
                     reading.Temperature - previous_.Temperature);
    if (readout.temp) previous_.Temperature = reading.Temperature;
    ShowTrendedValue(Label::UR, TrendBox::UR, readout.hum,
                     HumidityChange(reading.Humidity, previous_.Humidity));
    if (readout.hum) previous_.Humidity = reading.Humidity;
    ShowTrendedValue(Label::Press, TrendBox::Press, readout.press,
                     reading.Pressure - previous_.Pressure);
    if (readout.press) previous_.Pressure = reading.Pressure;
    screen_.SetColor(Label::Rain, LabelColor(readout.rain.inAlarm));
    screen_.SetFontPoints(Label::Rain, readout.rainFontPoints);
    screen_.SetCaption(Label::Rain, readout.rain.caption);

    if (raise || readout.raiseForAlarm) Raise();
    if (beep || readout.beepForAlarm) desktop_.Beep();
    trendReady_ = true;

    const std::string tooltip = BuildTooltip(
        station_.StationCall, screen_.Caption(Label::WxData), screen_.Caption(Label::Temp),
        screen_.Caption(Label::UR), screen_.Caption(Label::Press), readout.rain.caption);
    screen_.SetTrayTooltip(tooltip);
    screen_.SetCaption(Label::WxComment, readout.comment);
    NoteValueAlarms(readout, tooltip);
}

// The command hears of a label only when it turns red, not on each report while it stays red;
// it is told every label red at that moment. A label a report leaves alone keeps its colour,
// but the wind label turns blue without a valid direction, as ShowWind paints it.
void Monitor::NoteValueAlarms(const Readout& readout, const std::string& tooltip) {
    unsigned red = valueAlarms_;
    const auto paint = [&red](unsigned bit, bool inAlarm) {
        red = inAlarm ? red | (1u << bit) : red & ~(1u << bit);
    };
    paint(0, readout.wind && readout.wind->inAlarm);
    if (readout.temp) paint(1, readout.temp->inAlarm);
    if (readout.hum) paint(2, readout.hum->inAlarm);
    if (readout.press) paint(3, readout.press->inAlarm);
    paint(4, readout.rain.inAlarm);
    const bool turnedRed = (red & ~valueAlarms_) != 0;
    valueAlarms_ = red;
    if (!turnedRed) return;
    std::string names;
    for (std::size_t i = 0; i < std::size(kAlarmLabelNames); ++i) {
        if ((red & (1u << i)) == 0) continue;
        if (!names.empty()) names += ',';
        names += kAlarmLabelNames[i];
    }
    commands_.Raise(AlarmEvent::Alarm, now_, station_.StationCall, tooltip, names);
}

void Monitor::OnElapsedTick() {
    reportGate_ = true;
    minutesSinceReport_ = NextMinutesSinceReport(minutesSinceReport_);
    screen_.SetCaption(Label::Elapsed, FormatElapsed(minutesSinceReport_));
    // With both links off the silence is the user's choice, not the station's.
    if ((station_.AgwEnabled || station_.ServerEnabled) && silent_.Tick()) SoundSilentAlarm();
}

// Not an alarm of a value: only the minutes turn red, and the value labels stay as they are.
void Monitor::SoundSilentAlarm() {
    screen_.SetColor(Label::Elapsed, kAlarmRed);
    if (alarms_.FocusOnAlarm) Raise();
    if (alarms_.BeepOnAlarm) desktop_.Beep();
    commands_.Raise(AlarmEvent::Silent, now_, station_.StationCall,
                    std::to_string(silent_.MinutesSilent()));
}

void Monitor::ApplyOptions(const Options& options) {
    options_ = options;
    const bool wasSilent = silent_.Alarmed();
    silent_.Configure(options.silentMode, options.silentMinutes);
    if (wasSilent && !silent_.Alarmed()) screen_.SetColor(Label::Elapsed, kNormalBlue);
    commands_.SetCommand(options.alarmCommand);
    ApplyReconnectOptions();
}

void Monitor::ShowWind(const WeatherReading& reading, const Readout& readout) {
    // The wind label turns blue on every report, even when it keeps an old caption.
    screen_.SetColor(Label::WxData, kNormalBlue);
    if (readout.drawRose) {
        screen_.SetCalmVisible(DrawWindRose(screen_.WindRose(), reading.WindDirection,
                                            reading.WindSpeed, reading.WindGust));
    }
    if (!readout.wind) return;
    screen_.SetColor(Label::WxData, LabelColor(readout.wind->inAlarm));
    screen_.SetCaption(Label::WxData, readout.wind->caption);
}

void Monitor::ShowTrendedValue(Label label, TrendBox box, const std::optional<LabelText>& text,
                               float change) {
    if (!text) return;
    Canvas& arrow = screen_.TrendPicture(box);
    arrow.Clear();
    screen_.SetColor(label, LabelColor(text->inAlarm));
    screen_.SetCaption(label, text->caption);
    if (trendReady_) DrawTrendArrow(arrow, change);
}

void Monitor::Raise() {
    if (desktop_.GetWindowState() != WindowState::Normal) {
        desktop_.RestoreFromTray();
    } else {
        desktop_.BringToFront();
    }
}

void Monitor::Connected(LinkKind link) {
    WatchConnection(link);
    if (link == LinkKind::Server) {
        screen_.SetCaption(Label::WxComment, std::string(kServerConnectedText) + LinkHost(link));
    }
    const std::string caption = station_.StationCall + std::string(kWindowCaptionSuffix);
    screen_.SetWindowCaption(caption);
    screen_.SetTrayTooltip(caption);
    ReportLinkBack(link);
}

void Monitor::ReportLinkBack(LinkKind link) {
    if ((linksDown_ & LinkBit(link)) == 0) return;
    linksDown_ &= ~LinkBit(link);
    const std::string text = link == LinkKind::Server
                                 ? screen_.Caption(Label::WxComment)
                                 : station_.StationCall + std::string(kWindowCaptionSuffix);
    commands_.Raise(AlarmEvent::LinkBack, now_, station_.StationCall, text);
}

// Told before any box, which would hold the command up until someone closes it. A link that
// keeps failing while it reconnects was lost once.
void Monitor::NoteLinkDown(LinkKind link, const std::string& text) {
    if ((linksDown_ & LinkBit(link)) != 0) return;
    linksDown_ |= LinkBit(link);
    commands_.Raise(AlarmEvent::LinkLost, now_, station_.StationCall, text);
}

void Monitor::Started(LinkKind link) {
    // A link that reconnected by itself leaves the last values in view.
    if (Watch(link).reconnecting) return;
    // What the readout showed belongs to the old connection.
    BlankReadout();
    minutesSinceReport_ = 0;
    trendReady_ = false;
}

void Monitor::BlankReadout() {
    screen_.SetCaption(Label::WxData, std::string(kVersionCaption));
    for (const Label label : {Label::Press, Label::Temp, Label::UR, Label::Rain}) {
        screen_.SetCaption(label, std::string());
    }
    for (const TrendBox box : kTrendBoxes) screen_.TrendPicture(box).Clear();
    screen_.SetCaption(Label::Elapsed, FormatElapsed(0));
    if (silent_.Restart()) screen_.SetColor(Label::Elapsed, kNormalBlue);
}

void Monitor::Failed(LinkKind link, const std::string& description) {
    NoteLinkDown(link, description);
    if (RetryLater(link)) return;
    const std::string_view title = link == LinkKind::Server ? kServerErrorTitle : kAgwErrorTitle;
    const unsigned attempt = connectAttempts_[Index(link)];
    desktop_.ShowWarning(std::string(title) + station_.StationCall + std::string(kErrorTitleEnd),
                         description);
    // The events ran while the box was up: a link connected again since is not the one that
    // failed.
    if (connectAttempts_[Index(link)] != attempt) return;
    CloseLink(link);
    if (!desktop_.IsSetupDialogVisible()) desktop_.ShowSetupDialog(DialogMode::Modal);
}

// A lost link is closed and switched off without a message box, so that a user away from the
// screen is not held up by one; the comment line says what happened.
void Monitor::Lost(LinkKind link) {
    const std::string text(link == LinkKind::Server ? kServerLostText : kAgwLostText);
    NoteLinkDown(link, text);
    if (RetryLater(link)) return;
    CloseLink(link);
    screen_.SetCaption(Label::WxComment, text);
}

void Monitor::Packet(LinkKind link, const LinkPacket& packet) {
    if (packet.hasRows) {
        rxRows_.assign(packet.rows.begin(), packet.rows.end());
        screen_.SetRxRows(rxRows_);
    }
    // The sender must be the watched station exactly: case and SSID included. A packet that
    // names no sender is nobody's, also when the call is empty.
    if (packet.sender.empty() || packet.sender != station_.StationCall || !reportGate_) return;
    // The log takes the first two rows, a missing one as empty; the information field is
    // the last row.
    const auto row = [this](std::size_t i) -> std::string_view {
        return i < rxRows_.size() ? std::string_view(rxRows_[i]) : std::string_view();
    };
    const std::string information = rxRows_.empty() ? std::string() : rxRows_.back();
    // The engine's monitor header carries its own time; a server line carries none.
    std::optional<std::string> time;
    if (link == LinkKind::Server) time = desktop_.TimeOfDay();
    log_.AppendToLog(LogEntry(row(0), row(1), time));
    screen_.SetLogText(log_.Text());
    if (!IsWeatherTrigger(information)) return;
    ProcessWeatherReport(information);
    // The option is read again while the monitor runs: turned off, it stops the recording at once.
    if (recorder_ && options_.historyRecord) {
        recorder_->Record(MakeReportRow(
            station_.StationCall, link == LinkKind::Agw ? kAgwLinkName : kServerLinkName,
            information, DecodeWeatherReport(information), options_.formulas));
    }
}

void Monitor::EngineVersion(int major, int minor) {
    screen_.SetCaption(Label::WxComment, std::string(kEngineVersionText) + std::to_string(major) +
                                             "." + std::to_string(minor));
}

void Monitor::RadioPorts(std::string_view count) {
    screen_.SetCaption(Label::Rain, std::string(kRadioPortsText).append(count));
}

void Monitor::CloseLink(LinkKind link) {
    Watch(link).phase = LinkWatch::Phase::Idle;
    if (link == LinkKind::Server) {
        serverLink_.Close();
        station_.ServerEnabled = false;
    } else {
        agwLink_.Close();
        station_.AgwEnabled = false;
    }
}

void Monitor::ConnectLink(LinkKind link) {
    ++connectAttempts_[Index(link)];
    Watch(link).policy.Reset();
    Watch(link).phase = LinkWatch::Phase::Connecting;
    Watch(link).reconnecting = false;
    Watch(link).endpoint = 0;
    if (link == LinkKind::Server) {
        serverLink_.Connect(SocketHostName(station_.ServerHost), station_.ServerPort,
                            station_.StationCall);
    } else {
        agwLink_.Connect(SocketHostName(station_.AgwHost), station_.AgwPort);
    }
}

void Monitor::ClearLog() {
    log_.Clear();
    screen_.SetLogText(log_.Text());
}

SetupForm Monitor::SetupFilling() const {
    return FillSetupForm(station_, alarms_, numberFormat_, ShownUnits(options_));
}

std::optional<SetupField> Monitor::AcceptSetup(const SetupForm& form) {
    const SetupNumbers numbers = ReadSetupNumbers(form, alarms_, numberFormat_);
    if (numbers.refused) {
        desktop_.ShowWarning(kSetupCaption, SetupRefusalText(*numbers.refused));
        return numbers.refused;
    }
    const bool agwWasOn = std::exchange(station_.AgwEnabled, form.agwEnabled);
    const bool serverWasOn = std::exchange(station_.ServerEnabled, form.serverEnabled);
    const std::string call = UpperCase(TrimBlanks(form.call));
    ApplyLinkSetup(LinkKind::Agw, agwWasOn, form.agwHost, numbers.agwPort, call);
    // Sees the call as the AGWPE link left it: a new call that link took reconnects only it.
    ApplyLinkSetup(LinkKind::Server, serverWasOn, form.serverHost, numbers.serverPort, call);

    // With both links off the readout goes blank; the call typed is not kept.
    if (!station_.AgwEnabled && !station_.ServerEnabled) {
        const std::string caption(kOffCaption);
        screen_.SetWindowCaption(caption);
        screen_.SetTrayTooltip(caption);
        BlankReadout();
        ClearLog();
        screen_.SetCaption(Label::WxComment, caption);
    }

    alarms_ = numbers.alarms;
    alarms_.FocusOnData = form.focusOnData;
    alarms_.BeepOnData = form.beepOnData;
    alarms_.FocusOnAlarm = form.focusOnAlarm;
    alarms_.BeepOnAlarm = form.beepOnAlarm;
    station_.SaveAlarms = form.saveAlarms;
    if (keepsStation_ && keepStation_) keepStation_(station_);
    return std::nullopt;
}

// A link left on keeps running unless its host, its port or the call changed, or it was off.
void Monitor::ApplyLinkSetup(LinkKind link, bool wasOn, const std::string& host, std::uint16_t port,
                             const std::string& call) {
    const bool server = link == LinkKind::Server;
    if (!LinkOn(link)) {
        CloseLink(link);
        screen_.SetCaption(Label::WxComment, std::string(server ? kServerLostText : kAgwLostText));
        return;
    }
    std::string& oldHost = server ? station_.ServerHost : station_.AgwHost;
    std::uint16_t& oldPort = server ? station_.ServerPort : station_.AgwPort;
    if (wasOn && host == oldHost && port == oldPort && call == station_.StationCall) return;
    server ? serverLink_.Close() : agwLink_.Close();
    ClearLog();
    station_.StationCall = call;
    oldHost = host;
    oldPort = port;
    ConnectLink(link);
}

void Monitor::WarnSaveFailed() { desktop_.ShowWarning(alarmsFilePath_.string(), kSaveFailedText); }

}  // namespace pluvetta
