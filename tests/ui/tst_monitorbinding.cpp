#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ui/main_window.h"
#include "ui/monitor_binding.h"
#include "ui/qt_locale.h"
#include "ui/setup_dialog.h"

using pluvetta::MainWindow;
using pluvetta::MonitorBinding;

// The real window and the real Monitor, with an APRS server on loopback: checks that events
// of the window's sockets and timer reach the core and that what the core shows appears.
class TestMonitorBinding : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void serverLineOfTheStationFillsTheReadout();
    void closingTheWindowClosesTheLinkAndSavesWhenAsked();
    void refusedServerWarnsAndOpensTheSetupDialog();
    void timerTickCountsTheMinutes();
    void reportThenCalmReportAsTheUserSeesThem();

  private:
    // Starts the monitor with `words`, where PORT stands for the loopback server's port.
    void Start(QString words, const QString& folder);
    QString Caption(const char* label) const { return window_->findChild<QLabel*>(label)->text(); }

    QTcpServer server_;
    QTemporaryDir folder_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<MonitorBinding> binding_;
};

void TestMonitorBinding::init() {
    // Ports are 16-bit signed in the settings: the server needs one below 32768.
    for (quint16 port = 23000; port < 32000 && !server_.isListening(); port += 11) {
        server_.listen(QHostAddress::LocalHost, port);
    }
    QVERIFY(server_.isListening());
    QVERIFY(folder_.isValid());
    window_ = std::make_unique<MainWindow>(false);
    binding_ =
        std::make_unique<MonitorBinding>(*window_, pluvetta::NumberFormatFor(QLocale::c()), 12345);
    binding_->Messages().AnswerInAdvance();
}

void TestMonitorBinding::cleanup() {
    binding_.reset();
    window_.reset();
    server_.close();
}

void TestMonitorBinding::Start(QString words, const QString& folder) {
    words.replace("PORT", QString::number(server_.serverPort()));
    binding_->Start(words.toStdString(), folder.toStdString());
    window_->show();
}

void TestMonitorBinding::serverLineOfTheStationFillsTheReadout() {
    Start("Q1XYZ-13 S:127.0.0.1:PORT", folder_.path());
    QTRY_VERIFY(server_.hasPendingConnections());
    QTcpSocket* peer = server_.nextPendingConnection();
    QTRY_COMPARE(window_->windowTitle(), QString("Q1XYZ-13 Wx Station"));
    QCOMPARE(window_->Tray().toolTip(), QString("Q1XYZ-13 Wx Station"));
    QCOMPARE(Caption("lblWxComment"), QString("Pluvetta connected to 127.0.0.1"));

    peer->write(
        "Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:!4903.50N/07201.75W_220/004g005t077r000p000P000h50"
        "b09900wRSW\r\n");
    QTRY_COMPARE(Caption("lblTemp"), QString::fromUtf8("25.0°C"));
    QCOMPARE(Caption("lblWxData"), QString::fromUtf8("220°  6 / 8 km/h"));
    QCOMPARE(Caption("lblUR"), QString("50%"));
    QCOMPARE(Caption("lblPress"), QString("990.0 mb"));
    QCOMPARE(Caption("lblRain"), QString::fromUtf8("0mm/h 0mm/24h\n0mm/Day Dp 13.8°C  11.5g/m³"));
    auto* rx = window_->findChild<QListWidget*>("List2");
    QCOMPARE(rx->count(), 2);
    QCOMPARE(rx->item(0)->text(), QString("Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:"));
    QVERIFY(
        window_->findChild<QPlainTextEdit*>("Text1")->toPlainText().contains("_220/004g005t077"));
}

void TestMonitorBinding::closingTheWindowClosesTheLinkAndSavesWhenAsked() {
    Start("Q1XYZ-13 S:127.0.0.1:PORT SAVE", folder_.path());
    QTRY_VERIFY(server_.hasPendingConnections());
    QTcpSocket* peer = server_.nextPendingConnection();
    const QString alarms = folder_.filePath("WxAlarms.ini");
    QVERIFY(QFile::remove(alarms));

    window_->close();
    QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
    QVERIFY(QFile::exists(alarms));
    QCOMPARE(binding_->Messages().Recorded().size(), std::size_t{0});
}

void TestMonitorBinding::refusedServerWarnsAndOpensTheSetupDialog() {
    server_.close();
    // The link opens the setup dialog modally; close it once it is up.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(20);
    Start("Q1XYZ-13 S:127.0.0.1:PORT", folder_.path());
    QTRY_COMPARE(binding_->Messages().Recorded().size(), std::size_t{1});
    QCOMPARE(binding_->Messages().Recorded()[0].title,
             QString("Errore collegamento TCP [Q1XYZ-13]"));
    QVERIFY(window_->Setup() != nullptr);
    QTRY_VERIFY(!window_->IsSetupDialogVisible());
    QVERIFY(!binding_->Core().Station().ServerEnabled);
}

void TestMonitorBinding::timerTickCountsTheMinutes() {
    Start("Q1XYZ-13 S:127.0.0.1:PORT", folder_.path());
    QCOMPARE(Caption("lblElapsed"), QString("00"));
    QTimer& timer = window_->ElapsedTimer();
    // One tick only: stopped from a handler that runs after the monitor's.
    connect(&timer, &QTimer::timeout, &timer, &QTimer::stop);
    timer.setInterval(10);
    QTRY_COMPARE(Caption("lblElapsed"), QString("01"));
    QTest::qWait(50);
    QCOMPARE(Caption("lblElapsed"), QString("01"));
}

void TestMonitorBinding::reportThenCalmReportAsTheUserSeesThem() {
    const QString artefacts = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
    QVERIFY(QDir().mkpath(artefacts));
    Start("Q1XYZ-13 S:127.0.0.1:PORT", folder_.path());
    QTRY_VERIFY(server_.hasPendingConnections());
    QTcpSocket* peer = server_.nextPendingConnection();
    auto* calm = window_->findChild<QLabel*>("lblCalm");

    peer->write("Q1XYZ-13>APRS,TCPIP*:_12061905c315s012g025t041r002p010P004h87b10087v-03\r\n");
    QTRY_COMPARE(Caption("lblWxData"), QString::fromUtf8("315°  19 / 40 km/h"));
    QCOMPARE(Caption("lblTemp"), QString::fromUtf8("5.0°C"));
    QCOMPARE(Caption("lblWxComment"), QString("Variaz Press in 4h= -3mb "));
    QVERIFY(!calm->isVisible());
    const QString reportShot = artefacts + "/frmWx-report.png";
    QVERIFY2(window_->grab().save(reportShot), qPrintable(reportShot));

    // The next minute: the gate is open again and still air arrives.
    binding_->Core().OnElapsedTick();
    peer->write("Q1XYZ-13>APRS,TCPIP*:_12061906c000s000g000t039h90b10089\r\n");
    QTRY_COMPARE(Caption("lblWxData"), QString("Calma di vento"));
    QVERIFY(calm->isVisible());
    QCOMPARE(Caption("lblTemp"), QString::fromUtf8("3.9°C"));
    const QString calmShot = artefacts + "/frmWx-calm.png";
    QVERIFY2(window_->grab().save(calmShot), qPrintable(calmShot));
    qInfo("screenshots %s %s", qPrintable(reportShot), qPrintable(calmShot));
}

QTEST_MAIN(TestMonitorBinding)
#include "tst_monitorbinding.moc"
