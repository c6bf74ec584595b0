#include "app/monitor.h"

#include <utility>

#include "weather/alarms.h"
#include "weather/decoder.h"
#include "weather/wind_rose.h"

namespace pluvetta {

namespace {

constexpr const char* kAlarmsFileName = "WxAlarms.ini";
constexpr const char* kSaveFailedText = "Unable to save Wx Alarm values";
constexpr const char* kNoCall = "NOCALL";

}  // namespace

Monitor::Monitor(Screen& screen, Desktop& desktop, Socket& agwSocket, Socket& serverSocket,
                 NumberFormat numberFormat, std::uint32_t loginSeed)
    : screen_(screen),
      desktop_(desktop),
      agwSocket_(agwSocket),
      serverSocket_(serverSocket),
      numberFormat_(std::move(numberFormat)),
      serverLink_(screen_, desktop_, serverSocket_, station_, log_, *this,
                  MakeLoginName(loginSeed)) {}

void Monitor::Start(std::string_view commandLine, const std::filesystem::path& executableFolder) {
    reportGate_ = true;
    station_.SaveAlarms = false;
    alarmsFilePath_ = executableFolder / kAlarmsFileName;
    ParseCommandLine(commandLine, station_);

    AlarmsLoad load = LoadAlarmSettings(alarmsFilePath_);
    alarms_ = load.settings;
    // The defaults stay in force; the user only learns that they could not be kept.
    if (load.saveFailed) WarnSaveFailed();

    ApplyLinkDefaults(station_);
    if (station_.StationCall.empty()) {
        station_.StationCall = kNoCall;
        desktop_.ShowSetupDialog(/*modal=*/true);
        return;
    }
    if (station_.AgwEnabled) agwSocket_.Connect(station_.AgwHost, station_.AgwPort);
    if (station_.ServerEnabled) serverLink_.Connect();
}

void Monitor::Shutdown() {
    agwSocket_.Close();
    serverLink_.Close();
    if (station_.SaveAlarms && !SaveAlarmSettings(alarms_, alarmsFilePath_)) WarnSaveFailed();
}

void Monitor::ProcessWeatherReport(std::string_view information) {
    bool raise = alarms_.FocusOnData;
    bool beep = false;
    screen_.SetCaption(Label::Elapsed, FormatElapsed(0));
    minutesSinceReport_ = 0;

    const WeatherReading reading = DecodeWeatherReport(information);
    if (HasWindData(reading)) {
        desktop_.RestartElapsedTimer();
        reportGate_ = false;
        beep = alarms_.BeepOnData;
    }

    const Readout readout = BuildReadout(reading, alarms_, numberFormat_);
    ShowWind(reading, readout);
    ShowTrendedValue(Label::Temp, 0, readout.temp, reading.Temperature - previous_.Temperature);
    if (readout.temp) previous_.Temperature = reading.Temperature;
    ShowTrendedValue(Label::UR, 1, readout.hum,
                     HumidityChange(reading.Humidity, previous_.Humidity));
    if (readout.hum) previous_.Humidity = reading.Humidity;
    ShowTrendedValue(Label::Press, 2, readout.press, reading.Pressure - previous_.Pressure);
    if (readout.press) previous_.Pressure = reading.Pressure;
    screen_.SetColor(Label::Rain, LabelColor(readout.rain.inAlarm));
    screen_.SetFontPoints(Label::Rain, readout.rainFontPoints);
    screen_.SetCaption(Label::Rain, readout.rain.caption);

    if (raise || readout.raiseForAlarm) Raise();
    if (beep || readout.beepForAlarm) desktop_.Beep();
    trendReady_ = true;

    screen_.SetTrayTooltip(BuildTooltip(station_.StationCall, screen_.Caption(Label::WxData),
                                        screen_.Caption(Label::Temp), screen_.Caption(Label::UR),
                                        screen_.Caption(Label::Press), readout.rain.caption));
    screen_.SetCaption(Label::WxComment, readout.comment);
}

void Monitor::OnElapsedTick() {
    reportGate_ = true;
    minutesSinceReport_ = NextMinutesSinceReport(minutesSinceReport_);
    screen_.SetCaption(Label::Elapsed, FormatElapsed(minutesSinceReport_));
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

void Monitor::ShowTrendedValue(Label label, int box, const std::optional<LabelText>& text,
                               float change) {
    if (!text) return;
    Canvas& arrow = screen_.TrendBox(box);
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

void Monitor::ResetReportTiming() {
    minutesSinceReport_ = 0;
    trendReady_ = false;
}

void Monitor::OnServerConnected() { serverLink_.OnConnected(); }
void Monitor::OnServerData(std::string_view bytes) { serverLink_.OnData(bytes); }
void Monitor::OnServerError(const std::string& description) { serverLink_.OnError(description); }
void Monitor::OnServerClosed() { serverLink_.OnClosed(); }
void Monitor::OnServerKeepAlive() { serverLink_.OnKeepAliveTick(); }

void Monitor::WarnSaveFailed() { desktop_.ShowWarning(alarmsFilePath_.string(), kSaveFailedText); }

}  // namespace pluvetta
