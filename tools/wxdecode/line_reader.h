#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wxdecode {

// The longest line kept: the bytes of a longer line past this are read and dropped, so that
// memory stays the same whatever arrives.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

// How much is read at a time.
inline constexpr std::size_t kPieceBytes = std::size_t{1} << 16;

static_assert(kPieceBytes <= kMaxLineBytes);

// One input line without its line feed, and whether bytes past kMaxLineBytes were dropped.
struct Line {
    std::string_view text;
    bool cut = false;
};

// Reads a stream in fixed pieces and hands out its lines one at a time. A line that lies
// within one piece is handed out where it lies; only a line that spans pieces is gathered.
class LineReader {
  public:
    explicit LineReader(std::FILE* input);

    // The next line, valid until the next call; nullopt at the end of the input or on a read
    // error. A last line without a line feed is a line.
    std::optional<Line> Next();
    bool Failed() const { return failed_; }

  private:
    bool Refill();
    void Gather(const char* bytes, std::size_t count);

    std::FILE* input_;
    std::vector<char> piece_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::string gathered_;
    bool cut_ = false;
    bool failed_ = false;
};

}  // namespace wxdecode
