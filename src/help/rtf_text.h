#pragma once

#include <array>
#include <string>

namespace pluvetta {

// How the bytes of an RTF file's text map to characters: Windows-1252, or a code page this
// reader does not hold, whose bytes above 127 show as U+FFFD.
enum class CodePage { Windows1252, Unknown };

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The character a byte of text, or a \'hh escape, stands for.
char32_t CodePageToCodePoint(CodePage codePage, char byte);

// The character of a \uN escape: N is a signed 16-bit number, a negative one standing for
// N + 65536. Anything outside -32768..65535 gives U+FFFD.
char32_t UnicodeEscapeToCodePoint(long n);

// Appends one character to `text` in UTF-8.
void AppendUtf8(std::string& text, char32_t codePoint);

// Text characters on their way into a run. A character beyond U+FFFF arrives as two \u
// escapes, its surrogate halves: the high half is held until the low one comes; a half
// without its partner becomes U+FFFD. Control characters are dropped.
class SurrogatePairs {
  public:
    // The characters to write now for `codePoint`: none, one or two; 0 marks an empty place.
    std::array<char32_t, 2> Take(char32_t codePoint);
    // U+FFFD for a high half still held, alone after all; otherwise 0.
    char32_t Flush();

  private:
    char32_t high_ = 0;
};

}  // namespace pluvetta
