#include <QLocale>
#include <QTime>
#include <QtTest>

#include "ui/qt_locale.h"

class TestQtLocale : public QObject {
    Q_OBJECT

  private slots:
    void separatorsBecomeLatin1Bytes_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("separators");  // decimal|group|minus

        QTest::newRow("English") << "en_US" << QByteArray(".|,|-");
        QTest::newRow("Italian") << "it_IT" << QByteArray(",|.|-");
        // Narrow no-break space: outside Latin-1, so a no-break space.
        QTest::newRow("French") << "fr_FR" << QByteArray(",|\xA0|-");
        // The minus sign U+2212 becomes the hyphen-minus; the no-break space stays.
        QTest::newRow("Swedish") << "sv_SE" << QByteArray(",|\xA0|-");
        // Arabic separators fall back to the full stop and the no-break space; the direction
        // mark before the minus is dropped.
        QTest::newRow("Egyptian Arabic") << "ar_EG" << QByteArray(".|\xA0|-");
    }
    void separatorsBecomeLatin1Bytes() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, separators);
        const pluvetta::NumberFormat format = pluvetta::NumberFormatFor(QLocale(locale));
        QCOMPARE(QByteArray::fromStdString(format.decimalSeparator + "|" + format.groupSeparator +
                                           "|" + format.minusSign),
                 separators);
    }

    void timeOfDayHasSecondsAndNoZone_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shown");
        QTest::newRow("English") << "en_US"
                                 << "3:04:05 PM";
        QTest::newRow("Italian") << "it_IT"
                                 << "15:04:05";
        QTest::newRow("Persian, zone in brackets") << "fa_IR"
                                                   << "15:04:05";
    }
    void timeOfDayHasSecondsAndNoZone() {
        QFETCH(QString, locale);
        QFETCH(QString, shown);
        const QLocale l(locale);
        // Persian digits are the locale's own; compare through the C locale's digits.
        QString text = l.toString(QTime(15, 4, 5), pluvetta::TimeOfDayFormat(l));
        for (QChar& c : text) {
            if (c.isDigit()) c = QChar('0' + c.digitValue());
        }
        QCOMPARE(text, shown);
    }
};

QTEST_MAIN(TestQtLocale)
#include "tst_qtlocale.moc"
