#include <QLocale>
#include <QTime>
#include <QtTest>

#include "ui/qt_locale.h"

class TestQtLocale : public QObject {
    Q_OBJECT

  private slots:
    void separatorsBecomeLatin1AndTimesKeepSecondsWithoutZone_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("separators");  // decimal|group|minus
        QTest::addColumn<QString>("time");           // 15:04:05, digits shown as 0-9
        QTest::newRow("English") << "en_US" << QByteArray(".|,|-") << "3:04:05 PM";
        QTest::newRow("Italian") << "it_IT" << QByteArray(",|.|-") << "15:04:05";
        // Persian separators and a minus sign U+2212 behind a direction mark lie outside
        // Latin-1: the fallbacks stand in. The zone comes in brackets, which go with it.
        QTest::newRow("Persian") << "fa_IR" << QByteArray(".|\xA0|-") << "15:04:05";
    }
    void separatorsBecomeLatin1AndTimesKeepSecondsWithoutZone() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, separators);
        QFETCH(QString, time);
        const QLocale l(locale);
        const pluvetta::NumberFormat format = pluvetta::NumberFormatFor(l);
        QCOMPARE(QByteArray::fromStdString(format.decimalSeparator + "|" + format.groupSeparator +
                                           "|" + format.minusSign),
                 separators);
        QString shown = l.toString(QTime(15, 4, 5), pluvetta::TimeOfDayFormat(l));
        for (QChar& c : shown) {
            if (c.isDigit()) c = QChar('0' + c.digitValue());
        }
        QCOMPARE(shown, time);
    }
};

QTEST_MAIN(TestQtLocale)
#include "tst_qtlocale.moc"
