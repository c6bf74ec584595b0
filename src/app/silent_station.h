#pragma once

#include <chrono>
#include <deque>

#include "app/options.h"
#include "app/steady_time.h"

namespace pluvetta {

// The automatic threshold: three times the station's usual gap between reports, measured over
// its last kAutoSilentReports reports, kept within the bounds; the fallback until then.
inline constexpr int kAutoSilentReports = 5;
inline constexpr int kAutoSilentFallbackMinutes = 30;
inline constexpr int kAutoSilentMinMinutes = 15;
inline constexpr int kAutoSilentMaxMinutes = 120;
// While the station stays silent the alarm sounds again this often.
inline constexpr int kSilentReminderMinutes = 60;

// The silent-station alarm: counts the minutes without a report of the watched station, and
// says when they reach the threshold and then once an hour, until the next report.
class SilentStation {
  public:
    // Keeps the count, the report times and an alarm in force, unless the mode is Off.
    void Configure(SilentMode mode, int fixedMinutes);
    // A report of the station, arriving at `at`: the silence ends. True when it had alarmed.
    bool Report(SteadyTime at);
    // The count starts again (a link has just come up); true when it had alarmed.
    bool Restart();
    // One more minute without a report. True when the alarm sounds: on reaching the threshold,
    // and each kSilentReminderMinutes after that.
    bool Tick();

    bool Alarmed() const { return nextReminder_ > 0; }
    // The minutes of silence that sound the alarm; 0 when the alarm is off.
    int ThresholdMinutes() const;
    int MinutesSilent() const { return minutes_; }

  private:
    SilentMode mode_ = SilentMode::Off;
    int fixedMinutes_ = 0;
    std::deque<SteadyTime> reports_;
    int minutes_ = 0;
    // The count at which the alarm sounds again; 0 while it has not sounded.
    int nextReminder_ = 0;
};

}  // namespace pluvetta
