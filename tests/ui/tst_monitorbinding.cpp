#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
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

using pluvetta::Label;

// The real window and the real Monitor, with an APRS server on loopback: checks that events
// of the window's server socket and timer reach the core and that what it shows appears.
class TestMonitorBinding : public QObject {
    Q_OBJECT

    QTcpServer server_;
    QTemporaryDir folder_;
    std::unique_ptr<pluvetta::MainWindow> window_;
    std::unique_ptr<pluvetta::MonitorBinding> binding_;

    // Starts the monitor for Q1XYZ-13 with a link to the loopback server and `options`; returns
    // the server's end of the link, or null when the server is closed.
    QTcpSocket* Start(const QString& options) {
        const QString words = "Q1XYZ-13 S:127.0.0.1:" + QString::number(server_.serverPort());
        binding_->Start((words + options).toStdString(), folder_.path().toStdString());
        const bool linked = server_.isListening() &&
                            QTest::qWaitFor([this] { return server_.hasPendingConnections(); });
        return linked ? server_.nextPendingConnection() : nullptr;
    }

  private slots:
    void init() {
        binding_.reset();
        server_.close();
        QVERIFY(server_.listen(QHostAddress::LocalHost, 0));
        QVERIFY(folder_.isValid());
        window_ = std::make_unique<pluvetta::MainWindow>(false);
        window_->show();
        binding_ = std::make_unique<pluvetta::MonitorBinding>(
            *window_, pluvetta::NumberFormatFor(QLocale::c()), 12345);
        binding_->Messages().AnswerInAdvance();
    }

    // Connect, a report, a minute, a calm report and the close, with screenshots of the report
    // in the four pane states and of the calm report.
    void aSessionFromConnectToClose() {
        const QString artefacts = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
        QVERIFY(QDir().mkpath(artefacts));
        auto shoot = [&](const QString& name) {
            const QString path = artefacts + "/" + name;
            QVERIFY2(window_->grab().save(path), qPrintable(path));
            qInfo("screenshot %s", qPrintable(path));
        };
        QTcpSocket* peer = Start(" SAVE");
        QVERIFY(peer != nullptr);
        QTRY_COMPARE(window_->windowTitle(), QString("Q1XYZ-13 Wx Station"));
        QCOMPARE(window_->Tray().toolTip(), QString("Q1XYZ-13 Wx Station"));

        peer->write(
            "Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:!4903.50N/07201.75W_220/004g005t077r000"
            "p000P000h50b09900wRSW\r\n");
        QTRY_COMPARE(window_->ReadoutLabel(Label::Temp).text(), QString::fromUtf8("25.0°C"));
        QVERIFY(!window_->CalmLabel().isVisible());
        QTRY_VERIFY(window_->History().toPlainText().contains("_220/004g005t077"));
        shoot("frmWx-report.png");
        // Plain and Shift right clicks on the comment line in turn: four pane states and back.
        const char* const panes[] = {"narrow-short", "narrow-tall", "wide-tall", "wide-short"};
        for (int i = 0; i < 4; ++i) {
            shoot(QString("frmWx-%1.png").arg(panes[i]));
            QTest::mouseClick(&window_->ReadoutLabel(Label::WxComment), Qt::RightButton,
                              i % 2 == 0 ? Qt::NoModifier : Qt::ShiftModifier, QPoint(5, 5));
        }

        // The timer's next tick counts a minute and opens the gate again: it ticks soon, and
        // once, stopped from a handler that runs after the monitor's. Then still air arrives.
        QTimer& timer = window_->ElapsedTimer();
        connect(&timer, &QTimer::timeout, &timer, &QTimer::stop);
        timer.setInterval(10);
        QTRY_COMPARE(window_->ReadoutLabel(Label::Elapsed).text(), QString("01"));
        peer->write("Q1XYZ-13>APRS,TCPIP*:_12061906c000s000g000t039h90b10089\r\n");
        QTRY_VERIFY(window_->CalmLabel().isVisible());
        QCOMPARE(window_->RxList().count(), 2);
        QCOMPARE(window_->RxList().item(1)->text(), QString("_12061906c000s000g000t039h90b10089"));
        shoot("frmWx-calm.png");

        // Closing the window closes the link and, with SAVE, writes the alarms file again.
        QVERIFY(QFile::remove(folder_.filePath("WxAlarms.ini")));
        window_->close();
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(QFile::exists(folder_.filePath("WxAlarms.ini")));
    }

    void refusedLinkWarnsAndOpensTheSetupDialog_data() {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<QString>("title");
        QTest::newRow("server") << "S"
                                << "Errore collegamento TCP [Q1XYZ-13]";
        QTest::newRow("AGWPE") << "A"
                               << "Errore collegamento con AGWPE [Q1XYZ-13]";
    }
    void refusedLinkWarnsAndOpensTheSetupDialog() {
        QFETCH(QString, endpoint);
        QFETCH(QString, title);
        server_.close();
        // The link opens the setup dialog modally: note which window that is, where its focus
        // is and what is selected there, and close it.
        QString modal;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&modal] {
            QWidget* shown = QApplication::activeModalWidget();
            auto* focus =
                shown != nullptr ? qobject_cast<QLineEdit*>(shown->focusWidget()) : nullptr;
            if (focus == nullptr) return;
            const QString seen =
                shown->objectName() + " " + focus->objectName() + " " + focus->selectedText();
            if (shown->close()) modal = seen;
        });
        closer.start(20);
        binding_->Start(
            ("Q1XYZ-13 " + endpoint + ":127.0.0.1:" + QString::number(server_.serverPort()))
                .toStdString(),
            folder_.path().toStdString());
        QTRY_COMPARE(modal, QString("frmWxSetup txtCall Q1XYZ-13"));
        QCOMPARE(binding_->Messages().Recorded().size(), std::size_t{1});
        QCOMPARE(binding_->Messages().Recorded()[0].title, title);
        const pluvetta::StationSettings& station = binding_->Core().Station();
        QVERIFY(!station.ServerEnabled && !station.AgwEnabled);
    }
};

QTEST_MAIN(TestMonitorBinding)
#include "tst_monitorbinding.moc"
