#include "app/command_words.h"

#include <utility>

namespace pluvetta {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The only characters a backslash escapes between double quotes; before any other it stays.
bool IsEscapedInDoubleQuotes(char c) {
    return c == '$' || c == '`' || c == '"' || c == '\\' || c == '\n';
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    // A pair of empty quotes is a word of its own, so a word can exist while still empty.
    bool inWord = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i++];
        if (IsBlank(c)) {
            if (inWord) words.push_back(std::exchange(word, {}));
            inWord = false;
        } else if (c == '\\') {
            if (i == text.size()) return std::nullopt;
            const char next = text[i++];
            if (next == '\n') continue;
            word += next;
            inWord = true;
        } else if (c == '\'') {
            const std::size_t end = text.find('\'', i);
            if (end == std::string_view::npos) return std::nullopt;
            word.append(text.substr(i, end - i));
            i = end + 1;
            inWord = true;
        } else if (c == '"') {
            inWord = true;
            for (;;) {
                if (i == text.size()) return std::nullopt;
                const char q = text[i++];
                if (q == '"') break;
                if (q == '\\' && i < text.size() && IsEscapedInDoubleQuotes(text[i])) {
                    if (text[i] != '\n') word += text[i];
                    ++i;
                } else {
                    word += q;
                }
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

}  // namespace pluvetta
