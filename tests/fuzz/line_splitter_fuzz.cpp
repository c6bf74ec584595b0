// The server line splitter and the AGW frame cutter, fed the same bytes whole and in cuts the
// input itself chooses: both ways give the same lines, or the same frames, in the same order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "links/agw_frame.h"
#include "links/server_line_splitter.h"

namespace {

// The first bytes choose the cut sizes; the rest is the stream.
constexpr std::size_t kCutBytes = 8;

std::vector<std::string_view> Pieces(std::string_view cuts, std::string_view stream) {
    std::vector<std::string_view> pieces;
    for (std::size_t i = 0; !stream.empty(); ++i) {
        const std::size_t size =
            cuts.empty() ? 1 : 1 + static_cast<unsigned char>(cuts[i % cuts.size()]);
        pieces.push_back(stream.substr(0, size));
        stream.remove_prefix(pieces.back().size());
    }
    return pieces;
}

std::vector<std::string> Lines(const std::vector<std::string_view>& pieces) {
    pluvetta::ServerLineSplitter splitter;
    std::vector<std::string> lines;
    for (const std::string_view piece : pieces) {
        splitter.Feed(piece, [&](std::string_view line) { lines.emplace_back(line); });
        FUZZ_REQUIRE(splitter.HeldBytes() <= 2 * pluvetta::ServerLineSplitter::kMaxLineLength);
    }
    return lines;
}

struct Frames {
    std::vector<std::string> frames;
    std::uint32_t fault = 0;
    friend bool operator==(const Frames&, const Frames&) = default;
};

Frames Cut(const std::vector<std::string_view>& pieces) {
    pluvetta::AgwFrameCutter cutter;
    Frames out;
    for (const std::string_view piece : pieces) {
        const std::uint32_t fault = cutter.Feed(piece, [&](const pluvetta::AgwFrame& frame) {
            FUZZ_REQUIRE(frame.call.size() <= pluvetta::kAgwCallSize);
            out.frames.push_back(std::string(1, frame.kind) + std::string(frame.call) + "|" +
                                 std::string(frame.data));
        });
        if (fault != 0 && out.fault == 0) out.fault = fault;
        FUZZ_REQUIRE(cutter.HeldBytes() <= pluvetta::kAgwHeaderSize + pluvetta::kMaxAgwDataLength);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view cuts = input.substr(0, std::min(size, kCutBytes));
    const std::string_view stream = input.substr(cuts.size());
    const std::vector<std::string_view> whole{stream};
    const std::vector<std::string_view> pieces = Pieces(cuts, stream);
    FUZZ_REQUIRE(Lines(whole) == Lines(pieces));
    FUZZ_REQUIRE(Cut(whole) == Cut(pieces));
    return 0;
}
