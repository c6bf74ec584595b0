#include "links/server_login.h"

#include <algorithm>
#include <utility>

namespace pluvetta {

namespace {

constexpr std::string_view kLoginPrefix = "PLUV";
constexpr std::uint32_t kLoginDigitsModulus = 100000;  // five digits: "PLUV" + 5 = 9, the limit
constexpr std::string_view kCrLf = "\r\n";

bool IsSafeFilterCall(std::string_view call) {
    return !call.empty() && std::none_of(call.begin(), call.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte >= 0x7F;
    });
}

}  // namespace

std::string MakeLoginName(std::uint32_t seed) {
    std::string digits = std::to_string(seed % kLoginDigitsModulus);
    digits.insert(0, 5 - digits.size(), '0');
    return std::string(kLoginPrefix) + digits;
}

std::string LoginLine(std::string_view login, std::string_view version, std::string_view call) {
    // Servers reject a "vers" without a version word after the program name.
    std::string line = "user ";
    line += login;
    line += " pass -1 vers Pluvetta ";
    line += version;
    if (IsSafeFilterCall(call)) {
        line += " filter b/";
        line += call;
    }
    line += kCrLf;
    return line;
}

std::string KeepAliveLine() {
    // Servers take a client's "#" line as a comment and ignore it.
    return "# Pluvetta keepalive\r\n";
}

ServerLogin::ServerLogin(std::string loginName, std::string version)
    : loginName_(std::move(loginName)), version_(std::move(version)) {}

void ServerLogin::Reset() {
    firstLineSeen_ = false;
    loggedIn_ = false;
}

std::string ServerLogin::OnLine(std::string_view line, std::string_view call) {
    if (firstLineSeen_) {
        return {};
    }
    firstLineSeen_ = true;
    if (!line.starts_with('#')) {
        return {};
    }
    loggedIn_ = true;
    return LoginLine(loginName_, version_, call);
}

std::string ServerLogin::KeepAlive() const { return loggedIn_ ? KeepAliveLine() : std::string(); }

}  // namespace pluvetta
