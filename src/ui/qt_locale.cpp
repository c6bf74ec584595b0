#include "ui/qt_locale.h"

#include "ui/latin1.h"

namespace pluvetta {

namespace {

constexpr char kNoBreakSpace = '\xA0';

}  // namespace

NumberFormat NumberFormatFor(const QLocale& locale) {
    NumberFormat format;
    // Qt hands out direction marks around some signs; they are dropped with the rest that
    // Latin-1 cannot hold.
    format.decimalSeparator = Latin1Part(locale.decimalPoint(), '.');
    format.groupSeparator = Latin1Part(locale.groupSeparator(), kNoBreakSpace);
    format.minusSign = Latin1Part(locale.negativeSign(), '-');
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
