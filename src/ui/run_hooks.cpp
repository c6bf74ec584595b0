#include "ui/run_hooks.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include <unistd.h>

#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/qt_socket.h"
#include "ui/setup_dialog.h"

namespace pluvetta {

namespace {

bool HookOn(const char* name) { return qEnvironmentVariableIntValue(name) == 1; }

// One line per text, in UTF-8. Line breaks are written as the core wrote them, CR LF, and
// escaped, so that each text stays on its line.
void PrintText(const char* name, QString text) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\r\\n"));
    std::printf("%s=%s\n", name, text.toUtf8().constData());
}

}  // namespace

RunHooks::RunHooks(MainWindow& window)
    : QObject(nullptr),
      window_(window),
      printReadout_(HookOn("PLUVETTA_HOOK_PRINT_READOUT")),
      printIngest_(HookOn("PLUVETTA_HOOK_PRINT_INGEST")) {
    const bool quitOnDisconnect = HookOn("PLUVETTA_HOOK_QUIT_ON_DISCONNECT");
    Watch(window.AgwSocket(), quitOnDisconnect);
    Watch(window.ServerSocket(), quitOnDisconnect);
    if (HookOn("PLUVETTA_HOOK_QUIT_AT_FIRST_PAINT")) {
        quitAtFirstPaint_ = true;
        window.installEventFilter(this);
    }
    if (HookOn("PLUVETTA_HOOK_COMMANDS")) {
        commands_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        connect(commands_.get(), &QSocketNotifier::activated, this, &RunHooks::ReadCommands);
    }
}

void RunHooks::Watch(QtSocket& socket, bool quitOnDisconnect) {
    connect(&socket, &QtSocket::Connected, this, [this] {
        if (!ingest_.isValid()) ingest_.start();
    });
    connect(&socket, &QtSocket::Closed, this, [this] {
        if (ingest_.isValid() && ingestMs_ < 0) ingestMs_ = ingest_.elapsed();
    });
    if (quitOnDisconnect) {
        // Closed as the user would close it, once the link has handled the disconnect.
        connect(&socket, &QtSocket::Closed, &window_, &QWidget::close, Qt::QueuedConnection);
    }
}

bool RunHooks::eventFilter(QObject* watched, QEvent* event) {
    if (quitAtFirstPaint_ && watched == &window_ && event->type() == QEvent::Paint) {
        quitAtFirstPaint_ = false;
        // Once this paint has been drawn and handed to the display.
        QTimer::singleShot(0, this, [this] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("first_paint_ns=%lld\n",
                        static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
            window_.close();
        });
    }
    return QObject::eventFilter(watched, event);
}

void RunHooks::ReadCommands() {
    char buffer[256];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        commands_->setEnabled(false);
        return;
    }
    pending_ += QString::fromLatin1(buffer, got);
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
        const QString command = pending_.left(end).trimmed();
        pending_.remove(0, end + 1);
        if (command == QLatin1String("print")) {
            PrintReadout();
            std::printf("end\n");
            std::fflush(stdout);
        } else if (command == QLatin1String("f1")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            QCoreApplication::sendEvent(&window_, &press);
        } else if (command == QLatin1String("quit")) {
            window_.close();
        }
    }
}

void RunHooks::PrintReadout() const {
    PrintText("windowTitle", window_.windowTitle());
    PrintText("trayToolTip", window_.Tray().toolTip());
    for (const char* name :
         {"lblWxData", "lblTemp", "lblUR", "lblPress", "lblRain", "lblWxComment", "lblElapsed"}) {
        PrintText(name, window_.findChild<QLabel*>(name)->text());
    }
    const QListWidget& rx = window_.RxList();
    for (int row = 0; row < rx.count(); ++row) {
        PrintText(QByteArray("List2." + QByteArray::number(row)).constData(), rx.item(row)->text());
    }
    PrintText("Text1", window_.History().toPlainText());
    // The modal boxes and the setup dialog that wait for the user.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        if (const auto* box = qobject_cast<QMessageBox*>(top)) {
            PrintText("box", box->windowTitle() + QLatin1Char('|') + box->text());
        } else if (top == window_.Setup()) {
            PrintText("setup", QStringLiteral("shown"));
        } else if (const auto* help = qobject_cast<HelpWindow*>(top)) {
            PrintText("help", help->HelpFileName());
        }
    }
}

void RunHooks::AtExit() const {
    if (printReadout_) PrintReadout();
    if (printIngest_) std::printf("ingest_ms=%lld\n", static_cast<long long>(ingestMs_));
    std::fflush(stdout);
}

}  // namespace pluvetta
