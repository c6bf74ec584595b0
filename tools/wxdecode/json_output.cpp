#include "json_output.h"

#include <charconv>

namespace wxdecode {
namespace {

// Whether a Latin-1 byte can go into a JSON string as it is.
bool IsPlainJsonByte(unsigned char byte) {
    return byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\';
}

// Whether any byte of the word is zero: only then does a borrow reach a high bit that the word
// itself does not have set.
constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;
std::uint64_t ZeroBytes(std::uint64_t word) { return (word - kEveryByte) & ~word & kHighBits; }

// How many bytes at the start of `text` go into a JSON string as they are, eight at a time
// while no byte in the eight needs a look.
std::size_t PlainRun(std::string_view text) {
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        const std::uint64_t control = (word - kEveryByte * 0x20) & ~word & kHighBits;
        const std::uint64_t quote = ZeroBytes(word ^ (kEveryByte * '"'));
        const std::uint64_t backslash = ZeroBytes(word ^ (kEveryByte * '\\'));
        if ((control | quote | backslash | (word & kHighBits)) != 0) break;
    }
    while (at < text.size() && IsPlainJsonByte(static_cast<unsigned char>(text[at]))) ++at;
    return at;
}

}  // namespace

void JsonOutput::PutInt(std::int32_t value) {
    char digits[16];
    Put(std::string_view(digits, std::to_chars(digits, digits + sizeof digits, value).ptr));
}

void JsonOutput::PutFloat(float value) {
    const std::string_view text = floats_.Text(value);
    // The whole slot is copied, a piece of fixed size, and only the text's length kept.
    if (FloatText::kTextRoom > kRoom - used_) Flush();
    std::memcpy(buffer_.data() + used_, text.data(), FloatText::kTextRoom);
    used_ += text.size();
}

void JsonOutput::PutString(std::string_view latin1) {
    static constexpr char kHex[] = "0123456789abcdef";
    Put('"');
    std::size_t i = 0;
    while (i < latin1.size()) {
        // Most text needs no escaping: copy it in runs.
        const std::size_t run = i + PlainRun(latin1.substr(i));
        Put(latin1.substr(i, run - i));
        if (run == latin1.size()) break;
        const char c = latin1[run];
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            Put('\\');
            Put(c);
        } else if (byte == '\r') {
            Put("\\r");
        } else if (byte == '\n') {
            Put("\\n");
        } else if (byte == '\t') {
            Put("\\t");
        } else if (byte < 0x20) {
            Put("\\u00");
            Put(kHex[byte >> 4]);
            Put(kHex[byte & 0x0F]);
        } else {
            // A Latin-1 byte is the code point of the same number: two bytes in UTF-8.
            Put(static_cast<char>(0xC0 | (byte >> 6)));
            Put(static_cast<char>(0x80 | (byte & 0x3F)));
        }
        i = run + 1;
    }
    Put('"');
}

void JsonOutput::Write(std::string_view text) {
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) {
        failed_ = true;
    }
}

bool JsonOutput::Flush() {
    Write(std::string_view(buffer_.data(), used_));
    used_ = 0;
    if (std::fflush(stream_) != 0) failed_ = true;
    return !failed_;
}

}  // namespace wxdecode
