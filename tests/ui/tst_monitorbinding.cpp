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

    QTcpServer server_;
    QTemporaryDir folder_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<MonitorBinding> binding_;

    // Starts the monitor with `words`, where PORT stands for the loopback server's port, and
    // returns the server's end of the link: null when the server is closed or no link came.
    QTcpSocket* Start(QString words) {
        words.replace("PORT", QString::number(server_.serverPort()));
        binding_->Start(words.toStdString(), folder_.path().toStdString());
        window_->show();
        const bool linked = server_.isListening() &&
                            QTest::qWaitFor([this] { return server_.hasPendingConnections(); });
        return linked ? server_.nextPendingConnection() : nullptr;
    }
    QString Caption(const char* label) const { return window_->findChild<QLabel*>(label)->text(); }
    // Right click on the comment line, with `modifier` held.
    void SwitchPane(Qt::KeyboardModifier modifier) {
        QWidget* comment = window_->findChild<QWidget*>("lblWxComment");
        QTest::mousePress(comment, Qt::RightButton, modifier, QPoint(5, 5));
        QTest::mouseRelease(comment, Qt::RightButton, modifier, QPoint(5, 5));
    }

  private slots:
    void init() {
        // Ports are 16-bit signed in the settings: the server needs one below 32768.
        for (quint16 port = 23000; port < 32000 && !server_.isListening(); port += 11) {
            server_.listen(QHostAddress::LocalHost, port);
        }
        QVERIFY(server_.isListening());
        QVERIFY(folder_.isValid());
        window_ = std::make_unique<MainWindow>(false);
        binding_ = std::make_unique<MonitorBinding>(*window_,
                                                    pluvetta::NumberFormatFor(QLocale::c()), 12345);
        binding_->Messages().AnswerInAdvance();
    }
    void cleanup() {
        binding_.reset();
        window_.reset();
        server_.close();
    }

    // Also leaves screenshots of the report in the four pane states and of a calm report.
    void serverReportsFillTheWindowAsTheUserSeesThem() {
        const QString artefacts = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
        QVERIFY(QDir().mkpath(artefacts));
        auto shoot = [&](const char* name) {
            const QString path = artefacts + "/" + name;
            QVERIFY2(window_->grab().save(path), qPrintable(path));
            qInfo("screenshot %s", qPrintable(path));
        };
        QTcpSocket* peer = Start("Q1XYZ-13 S:127.0.0.1:PORT");
        QVERIFY(peer != nullptr);
        QTRY_COMPARE(window_->windowTitle(), QString("Q1XYZ-13 Wx Station"));
        QCOMPARE(window_->Tray().toolTip(), QString("Q1XYZ-13 Wx Station"));
        QCOMPARE(Caption("lblWxComment"), QString("Pluvetta connected to 127.0.0.1"));

        peer->write(
            "Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:!4903.50N/07201.75W_220/004g005t077r000"
            "p000P000h50b09900wRSW\r\n");
        QTRY_COMPARE(Caption("lblTemp"), QString::fromUtf8("25.0°C"));
        QCOMPARE(Caption("lblWxData"), QString::fromUtf8("220°  6 / 8 km/h"));
        QCOMPARE(Caption("lblUR"), QString("50%"));
        QCOMPARE(Caption("lblPress"), QString("990.0 mb"));
        QCOMPARE(Caption("lblRain"),
                 QString::fromUtf8("0mm/h 0mm/24h\n0mm/Day Dp 13.8°C  11.5g/m³"));
        QVERIFY(!window_->CalmLabel().isVisible());
        QCOMPARE(window_->RxList().count(), 2);
        QCOMPARE(window_->RxList().item(0)->text(), QString("Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:"));
        QVERIFY(window_->History().toPlainText().contains("_220/004g005t077"));
        shoot("frmWx-report.png");
        shoot("frmWx-narrow-short.png");
        SwitchPane(Qt::NoModifier);
        shoot("frmWx-narrow-tall.png");
        SwitchPane(Qt::ShiftModifier);
        shoot("frmWx-wide-tall.png");
        SwitchPane(Qt::NoModifier);
        shoot("frmWx-wide-short.png");
        SwitchPane(Qt::ShiftModifier);

        // The next minute: the gate is open again and still air arrives.
        binding_->Core().OnElapsedTick();
        peer->write("Q1XYZ-13>APRS,TCPIP*:_12061906c000s000g000t039h90b10089\r\n");
        QTRY_COMPARE(Caption("lblWxData"), QString("Calma di vento"));
        QVERIFY(window_->CalmLabel().isVisible());
        QCOMPARE(Caption("lblTemp"), QString::fromUtf8("3.9°C"));
        // The Rx pane holds the last packet only.
        QCOMPARE(window_->RxList().count(), 2);
        QCOMPARE(window_->RxList().item(1)->text(), QString("_12061906c000s000g000t039h90b10089"));
        shoot("frmWx-calm.png");
    }

    void closingTheWindowClosesTheLinkAndSavesWhenAsked() {
        QTcpSocket* peer = Start("Q1XYZ-13 S:127.0.0.1:PORT SAVE");
        QVERIFY(peer != nullptr);
        const QString alarms = folder_.filePath("WxAlarms.ini");
        QVERIFY(QFile::remove(alarms));
        window_->close();
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(QFile::exists(alarms));
        QCOMPARE(binding_->Messages().Recorded().size(), std::size_t{0});
    }

    void refusedServerWarnsAndOpensTheSetupDialog() {
        server_.close();
        // The link opens the setup dialog modally; close it once it is up.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        closer.start(20);
        QCOMPARE(Start("Q1XYZ-13 S:127.0.0.1:PORT"), nullptr);
        QTRY_COMPARE(binding_->Messages().Recorded().size(), std::size_t{1});
        QCOMPARE(binding_->Messages().Recorded()[0].title,
                 QString("Errore collegamento TCP [Q1XYZ-13]"));
        QVERIFY(window_->Setup() != nullptr);
        QTRY_VERIFY(!window_->IsSetupDialogVisible());
        QVERIFY(!binding_->Core().Station().ServerEnabled);
    }

    void timerTickCountsTheMinutes() {
        Start("Q1XYZ-13 S:127.0.0.1:PORT");
        QCOMPARE(Caption("lblElapsed"), QString("00"));
        QTimer& timer = window_->ElapsedTimer();
        // One tick only: stopped from a handler that runs after the monitor's.
        connect(&timer, &QTimer::timeout, &timer, &QTimer::stop);
        timer.setInterval(10);
        QTRY_COMPARE(Caption("lblElapsed"), QString("01"));
        QTest::qWait(50);
        QCOMPARE(Caption("lblElapsed"), QString("01"));
    }
};

QTEST_MAIN(TestMonitorBinding)
#include "tst_monitorbinding.moc"
