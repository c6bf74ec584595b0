#include <QLocale>
#include <QTime>
#include <QtTest>

#include "ui/qt_locale.h"

class TestQtLocale : public QObject {
    Q_OBJECT

  private slots:
    void separatorsBecomeLatin1Bytes_data();
    void separatorsBecomeLatin1Bytes();
    void timeOfDayHasSecondsAndNoZone_data();
    void timeOfDayHasSecondsAndNoZone();
};

void TestQtLocale::separatorsBecomeLatin1Bytes_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("decimal");
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QByteArray>("minus");

    QTest::newRow("English") << "en_US" << QByteArray(".") << QByteArray(",") << QByteArray("-");
    QTest::newRow("Italian") << "it_IT" << QByteArray(",") << QByteArray(".") << QByteArray("-");
    // Narrow no-break space and right single quote: outside Latin-1, so a no-break space.
    QTest::newRow("French") << "fr_FR" << QByteArray(",") << QByteArray("\xA0") << QByteArray("-");
    QTest::newRow("Swiss German") << "de_CH" << QByteArray(".") << QByteArray("\xA0")
                                  << QByteArray("-");
    // The minus sign U+2212 becomes the hyphen-minus; the no-break space stays.
    QTest::newRow("Swedish") << "sv_SE" << QByteArray(",") << QByteArray("\xA0") << QByteArray("-");
    // Arabic separators fall back to the full stop and the no-break space; the direction mark
    // before the minus is dropped.
    QTest::newRow("Egyptian Arabic")
        << "ar_EG" << QByteArray(".") << QByteArray("\xA0") << QByteArray("-");
    QTest::newRow("Persian") << "fa_IR" << QByteArray(".") << QByteArray("\xA0") << QByteArray("-");
}

void TestQtLocale::separatorsBecomeLatin1Bytes() {
    QFETCH(QString, locale);
    QFETCH(QByteArray, decimal);
    QFETCH(QByteArray, group);
    QFETCH(QByteArray, minus);

    const pluvetta::NumberFormat format = pluvetta::NumberFormatFor(QLocale(locale));
    QCOMPARE(QByteArray::fromStdString(format.decimalSeparator), decimal);
    QCOMPARE(QByteArray::fromStdString(format.groupSeparator), group);
    QCOMPARE(QByteArray::fromStdString(format.minusSign), minus);
}

void TestQtLocale::timeOfDayHasSecondsAndNoZone_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown");

    QTest::newRow("English") << "en_US"
                             << "3:04:05 PM";
    QTest::newRow("Italian") << "it_IT"
                             << "15:04:05";
    QTest::newRow("Persian, zone in brackets") << "fa_IR"
                                               << "15:04:05";
}

void TestQtLocale::timeOfDayHasSecondsAndNoZone() {
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

QTEST_MAIN(TestQtLocale)
#include "tst_qtlocale.moc"
