#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pluvetta {

// The core's texts are Latin-1 bytes, one character each; these convert at the shell's edge.

inline QString FromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters that Latin-1 cannot hold become '?'.
inline std::string ToLatin1(const QString& text) { return text.toLatin1().toStdString(); }

// Keeps only the characters that Latin-1 can hold; `fallback` stands in when none is left.
inline std::string Latin1Part(const QString& text, char fallback) {
    std::string bytes;
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF) bytes += static_cast<char>(c.unicode());
    }
    if (bytes.empty()) bytes = fallback;
    return bytes;
}

}  // namespace pluvetta
