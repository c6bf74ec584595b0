#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

#include "shell_test.h"
#include "ui/main_window.h"
#include "ui/monitor_binding.h"
#include "ui/qt_locale.h"

using pluvetta::Label;
using shell_test::Screenshot;

// The real window and Monitor, an APRS server on loopback: only what the binding adds, the
// window's sockets, timer and dialogs serving as the Monitor's ports.
class TestMonitorBinding : public QObject {
    Q_OBJECT

    QTcpServer server_;
    QTemporaryDir folder_;
    std::unique_ptr<pluvetta::MainWindow> window_;
    std::unique_ptr<pluvetta::MonitorBinding> binding_;

    // A new window and binding, leaving the server as it is.
    void NewWindow() {
        binding_.reset();
        window_ = std::make_unique<pluvetta::MainWindow>(false);
        window_->show();
        binding_ = std::make_unique<pluvetta::MonitorBinding>(
            *window_, pluvetta::NumberFormatFor(QLocale::c()), 12345);
        binding_->Messages().AnswerInAdvance();
    }

  private slots:
    void init() {
        binding_.reset();
        server_.close();
        QVERIFY(server_.listen(QHostAddress::LocalHost, 0));
        QVERIFY(folder_.isValid());
        NewWindow();
    }

    // A report, a tick of the timer that opens the gate, still air; screenshots along the way.
    void socketAndTimerReachTheMonitor() {
        binding_->Start("Q1XYZ-13 S:127.0.0.1:" + std::to_string(server_.serverPort()),
                        folder_.path().toStdString());
        QVERIFY(QTest::qWaitFor([this] { return server_.hasPendingConnections(); }));
        QTcpSocket* peer = server_.nextPendingConnection();
        QTRY_COMPARE(window_->Tray().toolTip(), QString("Q1XYZ-13 Wx Station"));

        peer->write(
            "Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:!4903.50N/07201.75W_220/004g005t077r000"
            "p000P000h50b09900wRSW\r\n");
        // The history is drawn last, a turn after the readout.
        QTRY_VERIFY(!window_->History().toPlainText().isEmpty());
        QVERIFY(!window_->CalmLabel().isVisible());
        QVERIFY(Screenshot(*window_, "frmWx-report.png"));
        // Plain and Shift right clicks on the comment line in turn: four pane states and back.
        const char* const panes[] = {"narrow-short", "narrow-tall", "wide-tall", "wide-short"};
        for (int i = 0; i < 4; ++i) {
            QVERIFY(Screenshot(*window_, QString("frmWx-%1.png").arg(panes[i])));
            shell_test::RightClick(&window_->ReadoutLabel(Label::WxComment),
                                   i % 2 == 0 ? Qt::NoModifier : Qt::ShiftModifier);
        }

        // The next tick comes soon, and once: it is stopped from a handler that runs after the
        // monitor's. The gate it opens lets the calm report through.
        QTimer& timer = window_->ElapsedTimer();
        connect(&timer, &QTimer::timeout, &timer, &QTimer::stop);
        timer.setInterval(10);
        QTRY_COMPARE(window_->ReadoutLabel(Label::Elapsed).text(), QString("01"));
        peer->write("Q1XYZ-13>APRS,TCPIP*:_12061906c000s000g000t039h90b10089\r\n");
        QTRY_VERIFY(window_->CalmLabel().isVisible());
        QVERIFY(Screenshot(*window_, "frmWx-calm.png"));
    }

    // A refused link warns, through the window's socket of that link, and opens the setup
    // modally; a port just given up is one where nothing listens.
    void refusedLinkWarnsAndOpensTheSetupDialog() {
        const std::string port = std::to_string(server_.serverPort());
        server_.close();
        for (const auto& [link, title] : {std::pair{"S", "Errore collegamento TCP [Q1XYZ-13]"},
                                          {"A", "Errore collegamento con AGWPE [Q1XYZ-13]"}}) {
            NewWindow();
            QString modal;
            QTimer closer;  // notes the modal window that is up, and closes it
            connect(&closer, &QTimer::timeout, [&modal] {
                QWidget* shown = QApplication::activeModalWidget();
                if (shown != nullptr && shown->close()) modal = shown->objectName();
            });
            closer.start(20);
            binding_->Start(std::string("Q1XYZ-13 ") + link + ":127.0.0.1:" + port,
                            folder_.path().toStdString());
            QTRY_COMPARE(modal, QString("frmWxSetup"));
            QCOMPARE(binding_->Messages().Recorded().size(), std::size_t{1});
            QCOMPARE(binding_->Messages().Recorded()[0].title, QString(title));
        }
    }
};

QTEST_MAIN(TestMonitorBinding)
#include "tst_monitorbinding.moc"
