#pragma once

#include <string>
#include <string_view>

#include "app/ports.h"
#include "app/station_settings.h"
#include "links/server_line.h"
#include "links/server_login.h"
#include "links/traffic_log.h"

namespace pluvetta {

// The server link's own words on screen.
inline constexpr std::string_view kServerConnectedText = "Pluvetta connected to ";
inline constexpr std::string_view kWindowCaptionSuffix = " Wx Station";
inline constexpr std::string_view kVersionCaption = "Pluvetta v6";
inline constexpr std::string_view kServerErrorTitleHead = "Errore collegamento TCP [";
inline constexpr std::string_view kServerErrorTitleTail = "]";
inline constexpr std::string_view kServerDisconnectedText = "Aprs Server Disconnected";

// One packet line SOURCE>DESTINATION,PATH:INFORMATION cut into the pieces the link uses. The
// views point into the line that was parsed.
struct ServerLine {
    // Before the first ">"; empty when the line has none.
    std::string_view source;
    // Up to and including the first ":" after the first ">" (the first ":" of a line without
    // ">"); empty when there is no such ":".
    std::string_view header;
    // After that ":"; empty when there is none.
    std::string_view information;
    bool hasColon = false;
};

// Cuts one received line (without its CR LF). Never fails: a line without ">" has an empty
// source, one without ":" has no header.
ServerLine ParseServerLine(std::string_view line);

// Whether an information field goes to the weather decoder: it starts with "_" (positionless
// weather), or with one of "/", "@", "!", "=", ";" (position or object) and holds "_" anywhere.
bool IsWeatherTrigger(std::string_view information);

// Whether a packet's source is the watched station: the whole text, case and SSID included.
bool IsWatchedSender(std::string_view source, std::string_view call);

// The traffic log entry of one packet: "[" + time + "] " + header + CR LF + information + CR LF.
std::string LogEntry(std::string_view timeOfDay, std::string_view header,
                     std::string_view information);

// The message box title of a link error: "Errore collegamento TCP [" + call + "]".
std::string ServerErrorTitle(std::string_view call);

// What the link reaches of the running system besides the ports and the settings.
class ServerLinkOwner {
  public:
    virtual ~ServerLinkOwner() = default;
    // True while the next report of the watched station may be taken.
    virtual bool ReportGate() const = 0;
    // A new connection: MinutesSinceReport back to 0 and TrendReady to false.
    virtual void ResetReportTiming() = 0;
    virtual void ProcessWeatherReport(std::string_view information) = 0;
};

// The APRS server client: turns the events of its socket into what the window shows, the
// traffic log entries and the reports handed to the decoder. It listens only, apart from the
// receive-only login that servers greeting with "#" need.
class ServerLink {
  public:
    ServerLink(Screen& screen, Desktop& desktop, Socket& socket, StationSettings& station,
               TrafficLog& log, ServerLinkOwner& owner, std::string loginName);

    // Opens the link to ServerHost:ServerPort; the outcome arrives as OnConnected or OnError.
    void Connect();
    // Closes the link in any state; nothing is shown.
    void Close();

    // Socket events.
    void OnConnected();
    void OnData(std::string_view bytes);
    // A connect or transfer failure, with the socket's own description of it.
    void OnError(const std::string& description);
    // The server closed the connection: the link is lost, closed and disabled, without a
    // message box, so that a user away from the screen is not held up by one.
    void OnClosed();

    // The shell's keep-alive timer, every kKeepAliveInterval: sends the keep-alive comment
    // while logged in, nothing otherwise.
    void OnKeepAliveTick();

    // Handles one complete line (without CR LF): Rx rows, sender filter, log, decoder.
    void HandleServerLine(std::string_view line);

  private:
    void ForgetConnection();

    Screen& screen_;
    Desktop& desktop_;
    Socket& socket_;
    StationSettings& station_;
    TrafficLog& log_;
    ServerLinkOwner& owner_;
    ServerLineSplitter splitter_;
    ServerLogin login_;
};

}  // namespace pluvetta
