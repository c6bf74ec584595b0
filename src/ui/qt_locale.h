#pragma once

#include <QLocale>
#include <QString>

#include "weather/number_format.h"

namespace pluvetta {

// The separators and minus sign of `locale` as Latin-1 bytes. A group separator outside
// Latin-1 (such as the narrow no-break space) becomes the no-break space, a decimal separator
// outside it a full stop, a minus sign outside it the hyphen-minus.
NumberFormat NumberFormatFor(const QLocale& locale);

// The user's way of writing numbers, from the desktop's locale.
NumberFormat SystemNumberFormat();

// A time format of `locale` with hours, minutes and seconds and no time zone.
QString TimeOfDayFormat(const QLocale& locale);

}  // namespace pluvetta
