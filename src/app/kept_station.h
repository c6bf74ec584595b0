#pragma once

#include <string>
#include <string_view>

#include "app/station_settings.h"

namespace pluvetta {

// A start with no command line (from the desktop's menu) watches what the last such session
// confirmed in the setup dialog, kept in the options file under [station], [agwpe] and
// [server]. Overlays `kept` on `settings` (whose defaults are applied) when it names a call
// and switches a link on; a host or port it leaves out keeps the default. True when taken.
bool TakeKeptStation(const StationSettings& kept, StationSettings& settings);

// `text`, an options file, with the station's call and both links written into it: each key
// already there has its line rewritten in place, a missing key is added at the end of its
// section, a missing section at the end of the file. Every other line, comments included,
// stays as it was.
std::string WithKeptStation(std::string_view text, const StationSettings& station);

}  // namespace pluvetta
