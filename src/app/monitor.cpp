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
// What the wind label and the minutes label say before any link or report has written them.
constexpr const char* kStartCaption = "Pluvetta v6.0";
constexpr const char* kStartMinutes = "00";

}  // namespace

Monitor::Monitor(Screen& screen, Desktop& desktop, Socket& agwSocket, Socket& serverSocket,
                 NumberFormat numberFormat)
    : screen_(screen),
      desktop_(desktop),
      agwSocket_(agwSocket),
      serverSocket_(serverSocket),
      numberFormat_(std::move(numberFormat)) {
    captions_[static_cast<std::size_t>(Label::WxData)] = kStartCaption;
    captions_[static_cast<std::size_t>(Label::Elapsed)] = kStartMinutes;
}

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
    if (station_.ServerEnabled) serverSocket_.Connect(station_.ServerHost, station_.ServerPort);
}

void Monitor::Shutdown() {
    agwSocket_.Close();
    serverSocket_.Close();
    if (station_.SaveAlarms && !SaveAlarmSettings(alarms_, alarmsFilePath_)) WarnSaveFailed();
}

void Monitor::ProcessWeatherReport(std::string_view information) {
    bool raise = alarms_.FocusOnData;
    bool beep = false;
    SetCaption(Label::Elapsed, FormatElapsed(0));
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
    SetCaption(Label::Rain, readout.rain.caption);

    if (raise || readout.raiseForAlarm) Raise();
    if (beep || readout.beepForAlarm) desktop_.Beep();
    trendReady_ = true;

    screen_.SetTrayTooltip(BuildTooltip(station_.StationCall, Caption(Label::WxData),
                                        Caption(Label::Temp), Caption(Label::UR),
                                        Caption(Label::Press), readout.rain.caption));
    SetCaption(Label::WxComment, readout.comment);
}

void Monitor::OnElapsedTick() {
    reportGate_ = true;
    minutesSinceReport_ = NextMinutesSinceReport(minutesSinceReport_);
    SetCaption(Label::Elapsed, FormatElapsed(minutesSinceReport_));
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
    SetCaption(Label::WxData, readout.wind->caption);
}

void Monitor::ShowTrendedValue(Label label, int box, const std::optional<LabelText>& text,
                               float change) {
    if (!text) return;
    Canvas& arrow = screen_.TrendBox(box);
    arrow.Clear();
    screen_.SetColor(label, LabelColor(text->inAlarm));
    SetCaption(label, text->caption);
    if (trendReady_) DrawTrendArrow(arrow, change);
}

void Monitor::Raise() {
    if (desktop_.GetWindowState() != WindowState::Normal) {
        desktop_.RestoreFromTray();
    } else {
        desktop_.BringToFront();
    }
}

void Monitor::SetCaption(Label label, const std::string& text) {
    captions_[static_cast<std::size_t>(label)] = text;
    screen_.SetCaption(label, text);
}

const std::string& Monitor::Caption(Label label) const {
    return captions_[static_cast<std::size_t>(label)];
}

void Monitor::WarnSaveFailed() { desktop_.ShowWarning(alarmsFilePath_.string(), kSaveFailedText); }

}  // namespace pluvetta
