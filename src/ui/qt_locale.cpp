#include "ui/qt_locale.h"

#include <string>

namespace pluvetta {

namespace {

constexpr char kNoBreakSpace = '\xA0';

// Keeps the characters that Latin-1 can hold; Qt also hands out direction marks around some
// signs, which are dropped. When nothing is left, the fallback stands in.
std::string ToLatin1(const QString& text, char fallback) {
    std::string bytes;
    for (QChar c : text) {
        if (c.unicode() <= 0xFF) bytes += static_cast<char>(c.unicode());
    }
    if (bytes.empty()) bytes = fallback;
    return bytes;
}

}  // namespace

NumberFormat NumberFormatFor(const QLocale& locale) {
    NumberFormat format;
    format.decimalSeparator = ToLatin1(locale.decimalPoint(), '.');
    format.groupSeparator = ToLatin1(locale.groupSeparator(), kNoBreakSpace);
    format.minusSign = ToLatin1(locale.negativeSign(), '-');
    return format;
}

NumberFormat SystemNumberFormat() { return NumberFormatFor(QLocale::system()); }

QString TimeOfDayFormat(const QLocale& locale) {
    // The long format has the seconds; its time-zone letters are dropped, together with the
    // blank or brackets around them. Quoted literal text is kept as it is.
    const QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (QChar c : longFormat) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) continue;
        result += c;
    }
    result.remove(QLatin1String("()"));
    return result.simplified();
}

}  // namespace pluvetta
