#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSystemTrayIcon>
#include <filesystem>
#include <memory>
#include <string>

#include "ui/history_recorder.h"
#include "ui/main_window.h"
#include "ui/monitor_binding.h"
#include "ui/options_file.h"
#include "ui/qt_locale.h"
#include "ui/run_hooks.h"
#include "ui/session_end.h"

int main(int argc, char* argv[]) {
    // QApplication takes its own options (-platform and the like) out of argv first.
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pluvetta"));
    // The desktop file's name, by which a Wayland compositor finds the window's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.pluvetta.Pluvetta"));
    // The process ends with the main window, also while a setup dialog is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    // The command line is one text: the words after the program's name joined by single
    // blanks. The locale's 8-bit encoding is kept byte for byte.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    const std::filesystem::path executableFolder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();

    pluvetta::MainWindow window(QSystemTrayIcon::isSystemTrayAvailable());
    pluvetta::MonitorBinding binding(window, pluvetta::SystemNumberFormat(),
                                     QRandomGenerator::global()->generate());
    QObject::connect(&window, &pluvetta::MainWindow::Closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    pluvetta::RunHooks hooks(window);
    pluvetta::SessionEnd sessionEnd;
    // exit, unlike quit, also ends the loops of modal boxes open before the main loop runs.
    QObject::connect(&sessionEnd, &pluvetta::SessionEnd::Ended, &window, [&binding] {
        binding.CloseUnattended();
        QCoreApplication::exit(0);
    });

    // Every report of the watched station is kept for the history window, in a file opened
    // once the options ask for a recording, and again when they name another file.
    std::unique_ptr<pluvetta::HistoryRecorder> history;
    std::filesystem::path historyFile;
    const auto followHistoryOptions = [&binding, &history, &historyFile] {
        const pluvetta::Options& now = binding.Core().CurrentOptions();
        if (!now.historyRecord || (history && historyFile == pluvetta::HistoryFilePath(now))) {
            return;
        }
        binding.Core().RecordReportsTo(nullptr);
        historyFile = pluvetta::HistoryFilePath(now);
        history = std::make_unique<pluvetta::HistoryRecorder>(historyFile);
        binding.Core().RecordReportsTo(history.get());
    };
    pluvetta::OptionsFile options(pluvetta::OptionsFile::DefaultPath(),
                                  [&binding, &followHistoryOptions](const pluvetta::Options& read) {
                                      binding.Core().ApplyOptions(read);
                                      followHistoryOptions();
                                  });
    options.Read();
    binding.Core().KeepStationWith(
        [&options](const pluvetta::StationSettings& station) { options.Keep(station); });
    const std::filesystem::path configFolder =
        QFile::encodeName(QFileInfo(options.Path()).absolutePath()).toStdString();

    bool closed = false;
    QObject::connect(&window, &pluvetta::MainWindow::Closing, &window,
                     [&closed] { closed = true; });
    binding.Start(commandLine, executableFolder, configFolder);
    // A session that ended during a modal start (the setup dialog) has nothing left to run.
    if (closed) {
        hooks.AtExit();
        return 0;
    }
    // A window the desktop starts minimised goes straight to the tray from its state change.
    window.show();
    const int exitCode = QApplication::exec();
    hooks.AtExit();
    return exitCode;
}
