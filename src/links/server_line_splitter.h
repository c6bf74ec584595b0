#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace pluvetta {

// Cuts the byte stream of an APRS server into lines. Only CR LF ends a line; a lone CR or a
// lone LF stays inside the line. TCP may cut the stream anywhere, so an unfinished line is kept
// until its end arrives, however the bytes were split.
class ServerLineSplitter {
  public:
    // A line longer than this (without its CR LF) is dropped whole: a peer that never ends a
    // line cannot make us hold more than this much.
    static constexpr std::size_t kMaxLineLength = std::size_t{64} * 1024;

    using LineHandler = std::function<void(std::string_view line)>;

    // Takes the next bytes of the stream and calls `onLine` with every line they complete, in
    // stream order, without its CR LF. The view is valid only during the call. A Reset from
    // within `onLine` ends the feed: the rest of its bytes belonged to the old connection.
    void Feed(std::string_view bytes, const LineHandler& onLine);

    // Forgets any unfinished line, for a new connection.
    void Reset();

    // The memory held for an unfinished line, in bytes; never more than twice kMaxLineLength,
    // the most that the growth of a line up to the bound can reserve.
    std::size_t HeldBytes() const { return partial_.capacity(); }

  private:
    bool EndsWithCr() const;
    void Keep(std::string_view piece);
    void EndLine(std::string_view rest, const LineHandler& onLine);
    // Forgets the unfinished line and gives its memory back.
    void Release();

    // Counts the Resets, so that Feed notices one made by its own callback.
    std::size_t resets_ = 0;
    std::string partial_;
    // True while the bytes of an over-long line are being skipped up to its CR LF.
    bool skipping_ = false;
    // While skipping: whether the last skipped byte was a CR, whose LF may come in the next feed.
    bool skippedCr_ = false;
};

}  // namespace pluvetta
