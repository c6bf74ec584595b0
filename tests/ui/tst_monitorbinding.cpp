#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>
#include <optional>

#include "shell_test.h"
#include "ui/main_window.h"
#include "ui/monitor_binding.h"
#include "ui/qt_locale.h"

using pluvetta::Label;

// The real window and Monitor, an APRS server on loopback: only what the binding adds, the
// window's sockets, timer and dialogs serving as the Monitor's ports.
class TestMonitorBinding : public QObject {
    Q_OBJECT

    QTcpServer server_;
    std::optional<QTemporaryDir> folder_;  // a new one for each test
    std::unique_ptr<pluvetta::MainWindow> window_;
    std::unique_ptr<pluvetta::MonitorBinding> binding_;

  private slots:
    // A new window and a binding whose boxes show.
    void init() {
        server_.close();
        QVERIFY(server_.listen(QHostAddress::LocalHost, 0));
        QVERIFY(folder_.emplace().isValid());
        binding_.reset();
        window_ = std::make_unique<pluvetta::MainWindow>(false);
        window_->show();
        binding_ = std::make_unique<pluvetta::MonitorBinding>(
            *window_, pluvetta::NumberFormatFor(QLocale::c()), 12345);
    }

    // A report, a tick of the timer that opens the gate, still air; the alarms kept at the
    // close cannot be saved, and the box says so once however often the window is closed.
    void socketTimerAndCloseReachTheMonitor() {
        binding_->Messages().AnswerInAdvance();
        binding_->Start("Q1XYZ-13 S:127.0.0.1:" + std::to_string(server_.serverPort()),
                        folder_->path().toStdString());
        QVERIFY(QTest::qWaitFor([this] { return server_.hasPendingConnections(); }));
        QTcpSocket* peer = server_.nextPendingConnection();
        QTRY_COMPARE(window_->Tray().toolTip(), QString("Q1XYZ-13 Wx Station"));

        peer->write(
            "Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:!4903.50N/07201.75W_220/004g005t077r000"
            "p000P000h50b09900wRSW\r\n");
        // The history is drawn last, a turn after the readout.
        QTRY_VERIFY(!window_->History().toPlainText().isEmpty());
        QVERIFY(!window_->CalmLabel().isVisible());

        // The next tick comes soon, and once: it is stopped from a handler that runs after the
        // monitor's. The gate it opens lets the calm report through.
        QTimer& timer = window_->ElapsedTimer();
        connect(&timer, &QTimer::timeout, &timer, &QTimer::stop);
        timer.setInterval(10);
        QTRY_COMPARE(window_->ReadoutLabel(Label::Elapsed).text(), QString("01"));
        peer->write("Q1XYZ-13>APRS,TCPIP*:_12061906c000s000g000t039h90b10089\r\n");
        QTRY_VERIFY(window_->CalmLabel().isVisible());
        shell_test::Screenshot(*window_, "frmWx.png");

        pluvetta::SetupForm form = binding_->Core().SetupFilling();
        form.saveAlarms = true;
        form.numbers[0] = "51";  // the highest wind
        QCOMPARE(binding_->Core().AcceptSetup(form), std::nullopt);
        const QString file = folder_->filePath("WxAlarms.ini");
        QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        window_->close();
        QCloseEvent again;  // the window manager's, while the close runs its course
        QApplication::sendEvent(window_.get(), &again);
        QCOMPARE(binding_->Messages().Recorded().size(), std::size_t{1});
        QCOMPARE(binding_->Messages().Recorded()[0].title, file);
    }

    // A refused link warns over the window and opens the setup modally; a number refused there
    // warns over the dialog. Each box is wide enough for its title in the title bar's font and
    // the bar's icon and buttons beside it.
    void refusedLinkAndNumberWarnOverTheirWindows() {
        const std::string port = std::to_string(server_.serverPort());
        server_.close();
        const QFontMetrics titleFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
        QStringList shown;  // each modal window as it came up
        QTimer answer;      // answers the modal window that is up
        connect(&answer, &QTimer::timeout, [&shown, &titleFont] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                const QWidget* over = box->parentWidget();
                const bool whole =
                    box->width() >= titleFont.horizontalAdvance(box->windowTitle()) + 100 &&
                    over->frameGeometry().contains(box->frameGeometry().center());
                shown << box->windowTitle() + " over " + over->objectName() + (whole ? "" : " cut");
                box->close();
            } else if (modal != nullptr && shown.size() == 1) {
                // Away from the main window, a letter among the numbers, and "&Conferma".
                modal->move(500, 200);
                modal->findChild<QLineEdit*>("txtLoTemp")->setText("x");
                QMetaObject::invokeMethod(modal->findChild<QPushButton*>("cmdAccept"),
                                          &QPushButton::click, Qt::QueuedConnection);
                shown << modal->objectName();
            } else if (modal != nullptr) {
                modal->close();
            }
        });
        answer.start(20);
        binding_->Start("Q1XYZ-13 S:127.0.0.1:" + port, folder_->path().toStdString());
        QTRY_COMPARE(shown,
                     QStringList({"Errore collegamento TCP [Q1XYZ-13] over frmWx", "frmWxSetup",
                                  "Setup Parametri Pluvetta over frmWxSetup"}));
    }
};

QTEST_MAIN(TestMonitorBinding)
#include "tst_monitorbinding.moc"
