#include "app/alarm_commands.h"

#include <utility>

#include "app/command_words.h"

namespace pluvetta {

namespace {

constexpr const char* kEventNames[kAlarmEventCount] = {"alarm", "silent", "link-lost", "link-back"};
constexpr std::string_view kUnsplitComplaint =
    "pluvetta: alarm command not run, it has an unclosed quote or ends with a backslash: ";
constexpr std::string_view kStartComplaint = "pluvetta: alarm command could not start: ";

}  // namespace

void AlarmCommands::SetCommand(std::string_view command) {
    if (command == command_) return;
    command_ = command;
    startFailureTold_ = false;
    std::optional<std::vector<std::string>> words = SplitCommandWords(command);
    words_ = words ? std::move(*words) : std::vector<std::string>();
    if (!words && runner_ != nullptr) runner_->Complain(std::string(kUnsplitComplaint) + command_);
}

void AlarmCommands::Raise(AlarmEvent event, SteadyTime now, std::string_view station,
                          std::string_view text, std::string_view labels) {
    if (words_.empty() || runner_ == nullptr) return;
    Slot& slot = events_[static_cast<std::size_t>(event)];
    if (slot.running || (slot.lastStart && now - *slot.lastStart < kCommandInterval)) return;
    slot.running = true;
    slot.lastStart = now;

    Environment environment = {
        {"PLUVETTA_EVENT", kEventNames[static_cast<std::size_t>(event)]},
        {"PLUVETTA_STATION", Latin1ToUtf8(station)},
        {"PLUVETTA_TEXT", Latin1ToUtf8(text)},
    };
    if (!labels.empty()) environment.emplace_back("PLUVETTA_LABELS", std::string(labels));
    runner_->Start(words_, environment, [this, &slot](const std::optional<std::string>& failure) {
        slot.running = false;
        if (failure && !std::exchange(startFailureTold_, true)) {
            runner_->Complain(std::string(kStartComplaint) + *failure);
        }
    });
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace pluvetta
