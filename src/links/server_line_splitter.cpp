#include "links/server_line_splitter.h"

namespace pluvetta {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

}  // namespace

void ServerLineSplitter::Reset() {
    Release();
    skipping_ = false;
    skippedCr_ = false;
    ++resets_;
}

bool ServerLineSplitter::EndsWithCr() const {
    if (skipping_) {
        return skippedCr_;
    }
    return !partial_.empty() && partial_.back() == kCr;
}

// Holds the head of an unfinished line. The CR of a CR LF that is cut between two feeds is
// kept too, so one byte beyond the bound is allowed for it.
void ServerLineSplitter::Keep(std::string_view piece) {
    if (piece.empty()) {
        return;
    }
    if (!skipping_ && partial_.size() + piece.size() > kMaxLineLength + 1) {
        skipping_ = true;
        Release();
    }
    if (skipping_) {
        skippedCr_ = piece.back() == kCr;
        return;
    }
    partial_.append(piece);
}

// Called at the LF of a CR LF; `rest` is what this feed holds of the line before the LF.
void ServerLineSplitter::EndLine(std::string_view rest, const LineHandler& onLine) {
    if (skipping_) {
        skipping_ = false;
        skippedCr_ = false;
        return;
    }
    if (partial_.empty()) {
        rest.remove_suffix(1);  // the CR
        if (rest.size() <= kMaxLineLength) {
            onLine(rest);
        }
        return;
    }
    // The CR is the last byte of the two pieces together. The length is checked before the
    // pieces are joined, so that a long tail arriving with its CR LF is never copied.
    if (partial_.size() + rest.size() - 1 > kMaxLineLength) {
        Release();
        return;
    }
    partial_.append(rest);
    partial_.pop_back();
    onLine(partial_);
    partial_.clear();
}

void ServerLineSplitter::Release() { std::string().swap(partial_); }

void ServerLineSplitter::Feed(std::string_view bytes, const LineHandler& onLine) {
    const std::size_t resetsBefore = resets_;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find(kLf, start);
        if (lf == std::string_view::npos) {
            Keep(bytes.substr(start));
            return;
        }
        const bool crBefore = lf > start ? bytes[lf - 1] == kCr : EndsWithCr();
        if (crBefore) {
            EndLine(bytes.substr(start, lf - start), onLine);
            if (resets_ != resetsBefore) {
                return;
            }
        } else {
            Keep(bytes.substr(start, lf + 1 - start));  // a lone LF is part of the line
        }
        start = lf + 1;
    }
}

}  // namespace pluvetta
