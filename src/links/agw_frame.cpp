#include "links/agw_frame.h"

#include <algorithm>

namespace pluvetta {

namespace {

std::uint32_t ReadLittleEndian32(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

}  // namespace

std::string EncodeAgwFrame(char kind, std::string_view call, std::string_view data) {
    std::string frame(kAgwHeaderSize, '\0');
    frame[kAgwKindOffset] = kind;
    call = call.substr(0, kAgwCallSize);
    std::copy(call.begin(), call.end(), frame.begin() + kAgwCallOffset);
    auto length = static_cast<std::uint32_t>(data.size());
    for (std::size_t i = 0; i < 4; ++i, length >>= 8) {
        frame[kAgwLengthOffset + i] = static_cast<char>(length & 0xFF);
    }
    frame.append(data);
    return frame;
}

void AgwFrameCutter::Reset() {
    held_.clear();
    fault_ = 0;
    ++resets_;
}

std::size_t AgwFrameCutter::WholeFrameSize(std::string_view bytes) {
    if (bytes.size() < kAgwHeaderSize) return 0;
    // The whole 32-bit length is read: an engine out of step shows in its upper bytes too.
    const std::uint32_t length = ReadLittleEndian32(bytes, kAgwLengthOffset);
    if (length > kMaxAgwDataLength) {
        fault_ = length;
        return 0;
    }
    const std::size_t size = kAgwHeaderSize + length;
    return bytes.size() < size ? 0 : size;
}

// Not const, though it writes no member: the handler may Reset this cutter, which is what the
// count of resets is watched for.
// NOLINTNEXTLINE(readability-make-member-function-const)
bool AgwFrameCutter::Handle(std::string_view frame, const FrameHandler& onFrame) {
    const std::size_t resetsBefore = resets_;
    const std::string_view call = frame.substr(kAgwCallOffset, kAgwCallSize);
    onFrame({.kind = frame[kAgwKindOffset],
             .call = call.substr(0, call.find('\0')),
             .data = frame.substr(kAgwHeaderSize)});
    // The handler may have called Reset.
    // cppcheck-suppress knownConditionTrueFalse
    return resets_ == resetsBefore;
}

std::uint32_t AgwFrameCutter::Feed(std::string_view bytes, const FrameHandler& onFrame) {
    if (fault_ != 0) return fault_;
    if (!held_.empty()) {
        // Completes the held frame from the new bytes, header first, then its data.
        std::size_t size = kAgwHeaderSize;
        while (true) {
            const std::size_t take = std::min(size - std::min(size, held_.size()), bytes.size());
            held_.append(bytes.substr(0, take));
            bytes.remove_prefix(take);
            if (held_.size() < size) return 0;
            const std::size_t whole = WholeFrameSize(held_);
            if (fault_ != 0) return fault_;
            if (whole != 0) break;
            size = kAgwHeaderSize + ReadLittleEndian32(held_, kAgwLengthOffset);
        }
        const std::string frame = std::move(held_);
        held_.clear();
        if (!Handle(frame, onFrame)) return 0;
    }
    while (const std::size_t size = WholeFrameSize(bytes)) {
        if (!Handle(bytes.substr(0, size), onFrame)) return 0;
        bytes.remove_prefix(size);
    }
    if (fault_ != 0) return fault_;
    held_.assign(bytes);
    return 0;
}

}  // namespace pluvetta
