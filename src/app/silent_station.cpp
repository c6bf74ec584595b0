#include "app/silent_station.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace pluvetta {

void SilentStation::Configure(SilentMode mode, int fixedMinutes) {
    mode_ = mode;
    fixedMinutes_ = fixedMinutes;
    if (mode == SilentMode::Off) nextReminder_ = 0;
}

bool SilentStation::Report(SteadyTime at) {
    reports_.push_back(at);
    if (reports_.size() > kAutoSilentReports) reports_.pop_front();
    return Restart();
}

bool SilentStation::Restart() {
    minutes_ = 0;
    return std::exchange(nextReminder_, 0) > 0;
}

bool SilentStation::Tick() {
    ++minutes_;
    const int threshold = ThresholdMinutes();
    if (threshold == 0) return false;
    const int due = Alarmed() ? nextReminder_ : threshold;
    if (minutes_ < due) return false;
    nextReminder_ = minutes_ + kSilentReminderMinutes;
    return true;
}

int SilentStation::ThresholdMinutes() const {
    if (mode_ == SilentMode::Off) return 0;
    if (mode_ == SilentMode::Fixed) return fixedMinutes_;
    if (reports_.size() < kAutoSilentReports) return kAutoSilentFallbackMinutes;
    std::array<std::chrono::seconds, kAutoSilentReports - 1> gaps;
    for (std::size_t i = 0; i < gaps.size(); ++i) {
        gaps[i] = std::chrono::duration_cast<std::chrono::seconds>(reports_[i + 1] - reports_[i]);
    }
    std::sort(gaps.begin(), gaps.end());
    // Four gaps: the median is halfway between the middle two, so three of it in minutes is
    // their sum in seconds times 3/120, rounded up since the count is in whole minutes.
    const std::int64_t sum = (gaps[1] + gaps[2]).count();
    return static_cast<int>(std::clamp<std::int64_t>((sum * 3 + 119) / 120, kAutoSilentMinMinutes,
                                                     kAutoSilentMaxMinutes));
}

}  // namespace pluvetta
