#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace wxdecode {

LineReader::LineReader(std::FILE* input) : input_(input), piece_(kPieceBytes) {}

bool LineReader::Refill() {
    begin_ = 0;
    end_ = std::fread(piece_.data(), 1, piece_.size(), input_);
    if (end_ == 0 && std::ferror(input_)) failed_ = true;
    return end_ > 0;
}

void LineReader::Gather(const char* bytes, std::size_t count) {
    const std::size_t room = kMaxLineBytes - gathered_.size();
    if (count > room) cut_ = true;
    gathered_.append(bytes, std::min(count, room));
}

std::optional<Line> LineReader::Next() {
    bool gathering = false;
    gathered_.clear();
    cut_ = false;
    for (;;) {
        if (begin_ == end_ && !Refill()) {
            if (!gathering) return std::nullopt;
            return Line{gathered_, cut_};
        }
        const char* start = piece_.data() + begin_;
        const std::size_t available = end_ - begin_;
        const auto* feed = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t length =
            feed != nullptr ? static_cast<std::size_t>(feed - start) : available;
        // A piece is shorter than the longest line kept, so a line within it is never cut.
        if (feed != nullptr && !gathering) {
            begin_ += length + 1;
            return Line{std::string_view(start, length), false};
        }
        Gather(start, length);
        gathering = true;
        begin_ += length;
        if (feed != nullptr) {
            ++begin_;
            return Line{gathered_, cut_};
        }
    }
}

}  // namespace wxdecode
