#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pluvetta {

// Frames of an AGWPE engine's TCP interface: a 36-byte header, little-endian numbers, then as
// many data bytes as the header announces. Read by offset; no struct is laid over the bytes.
inline constexpr std::size_t kAgwHeaderSize = 36;
inline constexpr std::size_t kAgwKindOffset = 4;
inline constexpr std::size_t kAgwCallOffset = 8;
inline constexpr std::size_t kAgwCallSize = 10;
inline constexpr std::size_t kAgwLengthOffset = 28;
// Real frames carry a few hundred bytes. A header that announces more than this means the
// stream is out of step, or hostile: its data are not waited for.
inline constexpr std::uint32_t kMaxAgwDataLength = 64 * 1024;

// One whole frame. The views point into the bytes being cut and are valid only during the
// handler that receives them.
struct AgwFrame {
    char kind = 0;
    // The sender call up to its first zero byte, at most ten characters.
    std::string_view call;
    std::string_view data;
};

// A frame of `kind` from `call` (cut to ten characters) carrying `data`; radio port 0 and the
// other fields zero.
std::string EncodeAgwFrame(char kind, std::string_view call = {}, std::string_view data = {});

// The request of `kind` as this program sends it: 36 bytes, all zero but the kind.
inline std::string EncodeAgwRequest(char kind) { return EncodeAgwFrame(kind); }

// Cuts the engine's byte stream into whole frames, however TCP split it: the unfinished frame
// is kept until its last byte arrives, and never more than one frame's bytes are held.
class AgwFrameCutter {
  public:
    using FrameHandler = std::function<void(const AgwFrame& frame)>;

    // Calls `onFrame` with every frame the bytes complete, in stream order. Returns the announced
    // length of a frame beyond kMaxAgwDataLength, after which nothing more is cut until a Reset; 0
    // when all is well. A Reset from within `onFrame` ends the feed: the rest of its bytes belonged
    // to the old connection.
    std::uint32_t Feed(std::string_view bytes, const FrameHandler& onFrame);

    // Forgets the unfinished frame and any fault, for a new connection.
    void Reset();

    std::size_t HeldBytes() const { return held_.size(); }

  private:
    // The frame at the start of `bytes`: its whole size, or 0 when the bytes do not hold it yet.
    // Sets fault_ for an oversized announcement.
    std::size_t WholeFrameSize(std::string_view bytes);
    // Handles one whole frame; false when a Reset came from its handler.
    bool Handle(std::string_view frame, const FrameHandler& onFrame);

    std::string held_;
    std::uint32_t fault_ = 0;
    std::size_t resets_ = 0;
};

}  // namespace pluvetta
