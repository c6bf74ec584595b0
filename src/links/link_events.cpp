#include "links/link_events.h"

namespace pluvetta {

namespace {

constexpr std::string_view kWeatherCarriers = "/@!=;";
constexpr char kWeatherSymbol = '_';

}  // namespace

bool IsWeatherTrigger(std::string_view information) {
    if (information.empty()) return false;
    if (information.front() == kWeatherSymbol) return true;
    return kWeatherCarriers.find(information.front()) != std::string_view::npos &&
           information.find(kWeatherSymbol) != std::string_view::npos;
}

}  // namespace pluvetta
