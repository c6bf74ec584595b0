#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/alarm_settings.h"
#include "app/caption_memory.h"
#include "app/ports.h"
#include "app/station_settings.h"
#include "links/server_link.h"
#include "links/traffic_log.h"
#include "weather/number_format.h"
#include "weather/readout.h"
#include "weather/trend.h"

namespace pluvetta {

// The running system: settings, link state and readout state of the main window, and the
// handlers of every event the window forwards. Reaches the desktop only through the ports.
class Monitor : public ServerLinkOwner {
  public:
    // `loginSeed` picks the receive-only login name used with servers that want one; draw it
    // at random once per run.
    Monitor(Screen& screen, Desktop& desktop, Socket& agwSocket, Socket& serverSocket,
            NumberFormat numberFormat, std::uint32_t loginSeed = 0);

    // Start-up, once, when the main window loads: reads the command line and the alarms file
    // beside the executable, then connects the enabled links or asks for the setup dialog.
    void Start(std::string_view commandLine, const std::filesystem::path& executableFolder);
    // Shut-down, once, when the main window closes: closes both links, saves when asked to.
    void Shutdown();

    // Decodes one information field of the watched station and updates the whole readout.
    void ProcessWeatherReport(std::string_view information) override;
    // The one-minute timer.
    void OnElapsedTick();

    // Events of the APRS server socket.
    void OnServerConnected();
    void OnServerData(std::string_view bytes);
    void OnServerError(const std::string& description);
    void OnServerClosed();
    // The keep-alive timer of the server link, every kKeepAliveInterval.
    void OnServerKeepAlive();

    StationSettings& Station() { return station_; }
    AlarmSettings& Alarms() { return alarms_; }
    const std::filesystem::path& AlarmsFilePath() const { return alarmsFilePath_; }
    bool ReportGate() const override { return reportGate_; }
    void ResetReportTiming() override;
    int MinutesSinceReport() const { return minutesSinceReport_; }
    bool TrendReady() const { return trendReady_; }

  private:
    void WarnSaveFailed();
    void ShowWind(const WeatherReading& reading, const Readout& readout);
    void ShowTrendedValue(Label label, int box, const std::optional<LabelText>& text, float change);
    void Raise();

    CaptionMemory screen_;
    Desktop& desktop_;
    Socket& agwSocket_;
    Socket& serverSocket_;
    NumberFormat numberFormat_;

    StationSettings station_;
    AlarmSettings alarms_;
    std::filesystem::path alarmsFilePath_;
    bool reportGate_ = true;
    int minutesSinceReport_ = 0;
    bool trendReady_ = false;
    PreviousReading previous_;
    TrafficLog log_;
    ServerLink serverLink_;
};

}  // namespace pluvetta
