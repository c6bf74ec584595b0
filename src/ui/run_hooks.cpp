#include "ui/run_hooks.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>

#include "ui/main_window.h"
#include "ui/qt_socket.h"

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
    QtSocket& server = window.ServerSocket();
    connect(&server, &QtSocket::Connected, this, [this] { ingest_.start(); });
    connect(&server, &QtSocket::Closed, this, [this] {
        if (ingest_.isValid()) ingestMs_ = ingest_.elapsed();
    });
    if (HookOn("PLUVETTA_HOOK_QUIT_ON_DISCONNECT")) {
        // Closed as the user would close it, once the link has handled the disconnect.
        connect(&server, &QtSocket::Closed, &window, &QWidget::close, Qt::QueuedConnection);
    }
}

void RunHooks::AtExit() const {
    if (printReadout_) {
        PrintText("windowTitle", window_.windowTitle());
        PrintText("trayToolTip", window_.Tray().toolTip());
        for (const char* name : {"lblWxData", "lblTemp", "lblUR", "lblPress", "lblRain",
                                 "lblWxComment", "lblElapsed"}) {
            PrintText(name, window_.findChild<QLabel*>(name)->text());
        }
        const QListWidget& rx = window_.RxList();
        for (int row = 0; row < rx.count(); ++row) {
            PrintText(QByteArray("List2." + QByteArray::number(row)).constData(),
                      rx.item(row)->text());
        }
        PrintText("Text1", window_.History().toPlainText());
    }
    if (printIngest_) std::printf("ingest_ms=%lld\n", static_cast<long long>(ingestMs_));
    std::fflush(stdout);
}

}  // namespace pluvetta
