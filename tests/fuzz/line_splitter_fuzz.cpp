// The server line splitter and the AGW frame cutter, fed the same bytes whole and in cuts the
// input itself chooses: both ways give the same lines, or the same frames and first fault, in
// the same order, and neither holds more than its bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "links/agw_frame.h"
#include "links/server_line_splitter.h"

namespace {

using Strings = std::vector<std::string>;

// The first bytes choose the cut sizes; the rest is the stream.
constexpr std::size_t kCutBytes = 8;

std::vector<std::string_view> Pieces(std::string_view cuts, std::string_view stream) {
    std::vector<std::string_view> pieces;
    for (std::size_t i = 0; !stream.empty(); ++i) {
        pieces.push_back(stream.substr(0, 1 + static_cast<unsigned char>(cuts[i % cuts.size()])));
        stream.remove_prefix(pieces.back().size());
    }
    return pieces;
}

// The lines the splitter gives, and the frames the cutter gives (kind, call and data) with
// its first fault after them.
std::pair<Strings, Strings> Feed(const std::vector<std::string_view>& pieces) {
    pluvetta::ServerLineSplitter splitter;
    pluvetta::AgwFrameCutter cutter;
    Strings lines, frames;
    bool faulted = false;
    for (const std::string_view piece : pieces) {
        splitter.Feed(piece, [&](std::string_view line) { lines.emplace_back(line); });
        const std::uint32_t fault = cutter.Feed(piece, [&](const pluvetta::AgwFrame& frame) {
            FUZZ_REQUIRE(frame.call.size() <= pluvetta::kAgwCallSize);
            frames.push_back(frame.kind + std::string(frame.call) + "|" + std::string(frame.data));
        });
        if (fault != 0 && !faulted) frames.push_back("fault " + std::to_string(fault));
        faulted = faulted || fault != 0;
        FUZZ_REQUIRE(splitter.HeldBytes() <= 2 * pluvetta::ServerLineSplitter::kMaxLineLength);
        FUZZ_REQUIRE(cutter.HeldBytes() <= pluvetta::kAgwHeaderSize + pluvetta::kMaxAgwDataLength);
    }
    return {lines, frames};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view cuts = input.substr(0, std::min(size, kCutBytes));
    const std::string_view stream = input.substr(cuts.size());
    FUZZ_REQUIRE(Feed({stream}) == Feed(Pieces(cuts, stream)));
    return 0;
}
