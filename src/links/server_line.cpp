#include "links/server_line.h"

namespace pluvetta {

ServerLine ParseServerLine(std::string_view line) {
    ServerLine parsed;
    std::size_t searchFrom = 0;
    if (const std::size_t gt = line.find('>'); gt != std::string_view::npos) {
        parsed.source = line.substr(0, gt);
        searchFrom = gt + 1;
    }
    const std::size_t colon = line.find(':', searchFrom);
    if (colon != std::string_view::npos) {
        parsed.header = line.substr(0, colon + 1);
        parsed.information = line.substr(colon + 1);
        parsed.hasColon = true;
    }
    return parsed;
}

}  // namespace pluvetta
