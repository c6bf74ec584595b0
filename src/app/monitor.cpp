#include "app/monitor.h"

#include <utility>

namespace pluvetta {

namespace {

constexpr const char* kAlarmsFileName = "WxAlarms.ini";
constexpr const char* kSaveFailedText = "Unable to save Wx Alarm values";
constexpr const char* kNoCall = "NOCALL";

}  // namespace

Monitor::Monitor(Screen& screen, Desktop& desktop, Socket& agwSocket, Socket& serverSocket,
                 NumberFormat numberFormat)
    : screen_(screen),
      desktop_(desktop),
      agwSocket_(agwSocket),
      serverSocket_(serverSocket),
      numberFormat_(std::move(numberFormat)) {}

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

void Monitor::WarnSaveFailed() { desktop_.ShowWarning(alarmsFilePath_.string(), kSaveFailedText); }

}  // namespace pluvetta
