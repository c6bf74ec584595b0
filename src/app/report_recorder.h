#pragma once

#include "history/report_row.h"

namespace pluvetta {

// Where the Monitor hands each report of the watched station to be kept. The recorder stamps
// the time of arrival, and never keeps the window waiting.
class ReportRecorder {
  public:
    virtual ~ReportRecorder() = default;
    virtual void Record(ReportRow row) = 0;
};

}  // namespace pluvetta
