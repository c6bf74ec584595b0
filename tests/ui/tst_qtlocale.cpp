#include <QtTest>

#include "ui/qt_locale.h"

class TestQtLocale : public QObject {
    Q_OBJECT

  private slots:
    // Decimal|group|minus, then 15:04:05 (digits as 0-9). Persian signs lie outside Latin-1
    // (U+2212 behind a direction mark) and fall back; its zone's brackets go with the zone.
    void separatorsBecomeLatin1AndTimesKeepSecondsWithoutZone() {
        const std::pair<const char*, QByteArray> rows[] = {{"en_US", ".|,|- 3:04:05 PM"},
                                                           {"it_IT", ",|.|- 15:04:05"},
                                                           {"fa_IR", ".|\xA0|- 15:04:05"}};
        for (const auto& [name, expected] : rows) {
            const QLocale locale(name);
            const pluvetta::NumberFormat format = pluvetta::NumberFormatFor(locale);
            QString shown = QString::fromLatin1(format.decimalSeparator + "|" +
                                                format.groupSeparator + "|" + format.minusSign);
            shown += " " + locale.toString(QTime(15, 4, 5), pluvetta::TimeOfDayFormat(locale));
            for (QChar& c : shown) {
                if (c.isDigit()) c = QChar('0' + c.digitValue());
            }
            QCOMPARE(shown.toLatin1(), expected);
        }
    }
};

QTEST_MAIN(TestQtLocale)
#include "tst_qtlocale.moc"
