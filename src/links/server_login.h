#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace pluvetta {

// Today's APRS-IS servers greet with a "#" line and then send nothing to a client that does
// not log in. These pieces build the receive-only login (passcode -1: the server never takes a
// packet from us) and decide when to send it.

// A login name of "PLUV" and five digits taken from `seed`, nine characters in all. It
// impersonates no station; the shell draws the seed once per run.
std::string MakeLoginName(std::uint32_t seed);

// "user LOGIN pass -1 vers Pluvetta VERSION filter b/CALL" and CR LF. The filter asks for the
// watched station's packets only; it is left out when `call` is empty or holds a blank or a
// control character, so that the line can never carry a second command.
std::string LoginLine(std::string_view login, std::string_view version, std::string_view call);

// A comment line, CR LF ended, that keeps a logged-in connection from being dropped as idle.
std::string KeepAliveLine();

// How often the keep-alive is due while logged in; the servers drop a client silent for 48 h.
inline constexpr std::chrono::minutes kKeepAliveInterval{20};

// Per connection: logs in once when the server's first line is a "#" greeting, and tells
// whether keep-alives are due. A peer that does not greet with "#" is never sent anything.
class ServerLogin {
  public:
    ServerLogin(std::string loginName, std::string version);

    // Forgets the connection, for a new one.
    void Reset();

    // Looks at one received line (without CR LF). Gives the login line to send when it is the
    // first line of the connection and starts with "#"; otherwise gives an empty text.
    std::string OnLine(std::string_view line, std::string_view call);

    // The keep-alive line while logged in, or an empty text when nothing is to be sent.
    std::string KeepAlive() const;

    bool LoggedIn() const { return loggedIn_; }

  private:
    std::string loginName_;
    std::string version_;
    bool firstLineSeen_ = false;
    bool loggedIn_ = false;
};

}  // namespace pluvetta
