#include "help/rtf_text.h"

#include <cstddef>

namespace pluvetta {

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined give U+FFFD. From 0xA0
// on it is Latin-1.
constexpr char32_t kWindows1252High[32] = {
    U'\u20AC', U'\uFFFD', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\uFFFD', U'\u017D', U'\uFFFD',
    U'\uFFFD', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\uFFFD', U'\u017E', U'\u0178',
};

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kLowSurrogateLast = 0xDFFF;

bool IsHighSurrogate(char32_t c) { return c >= kHighSurrogateFirst && c < kLowSurrogateFirst; }
bool IsLowSurrogate(char32_t c) { return c >= kLowSurrogateFirst && c <= kLowSurrogateLast; }

}  // namespace

char32_t CodePageToCodePoint(CodePage codePage, char byte) {
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x80) return value;
    if (codePage == CodePage::Unknown) return kReplacementCharacter;
    return value < 0xA0 ? kWindows1252High[value - 0x80] : value;
}

char32_t UnicodeEscapeToCodePoint(long n) {
    if (n < -32768 || n > 65535) return kReplacementCharacter;
    return static_cast<char32_t>(n < 0 ? n + 65536 : n);
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::array<char32_t, 2> SurrogatePairs::Take(char32_t c) {
    std::array<char32_t, 2> out{};
    std::size_t n = 0;
    if (high_ != 0) {
        const char32_t high = high_;
        high_ = 0;
        if (IsLowSurrogate(c)) {
            out[0] = 0x10000 + ((high - kHighSurrogateFirst) << 10) + (c - kLowSurrogateFirst);
            return out;
        }
        out[n++] = kReplacementCharacter;
    }
    if (IsHighSurrogate(c)) {
        high_ = c;
    } else if (IsLowSurrogate(c)) {
        out[n] = kReplacementCharacter;
    } else if (c >= 0x20) {
        out[n] = c;
    }
    return out;
}

char32_t SurrogatePairs::Flush() {
    const bool held = high_ != 0;
    high_ = 0;
    return held ? kReplacementCharacter : 0;
}

}  // namespace pluvetta
