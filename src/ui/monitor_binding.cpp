#include "ui/monitor_binding.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <iostream>

#include "ui/main_window.h"
#include "ui/qt_socket.h"

namespace pluvetta {

namespace {

// A socket's events, handed to the link that speaks over it.
template <typename Link>
SocketEvents EventsFor(Link& link) {
    return {
        [&link] { link.OnConnected(); },
        [&link](std::string_view bytes) { link.OnData(bytes); },
        [&link](const std::string& description) { link.OnError(description); },
        [&link] { link.OnClosed(); },
    };
}

}  // namespace

MonitorBinding::MonitorBinding(MainWindow& window, NumberFormat numberFormat,
                               std::uint32_t loginSeed)
    : window_(window),
      messages_(&window),
      screen_(window),
      desktop_(window, messages_),
      monitor_(screen_, desktop_, window.AgwSocket(), window.ServerSocket(),
               std::move(numberFormat), loginSeed) {
    monitor_.SetCommandRunner(commandRunner_);
    QObject::connect(&window, &MainWindow::Closing, &window, [this] {
        if (!monitor_.Shutdown(shutdownBy_)) std::cerr << monitor_.SaveFailedNotice() << '\n';
    });
    QObject::connect(&window.ElapsedTimer(), &QTimer::timeout, &window,
                     [this] { monitor_.OnElapsedTick(); });

    window.AgwSocket().SetEvents(EventsFor(monitor_.Agw()));
    ServerLink& server = monitor_.Server();
    window.ServerSocket().SetEvents(EventsFor(server));
    auto* keepAlive = new QTimer(&window);
    keepAlive->setObjectName(QStringLiteral("tmrKeepAlive"));
    keepAlive->setInterval(
        std::chrono::duration_cast<std::chrono::milliseconds>(Monitor::kServerKeepAliveInterval));
    QObject::connect(keepAlive, &QTimer::timeout, &window, [&server] { server.OnKeepAliveTick(); });
    keepAlive->start();

    // The reconnect clock: a steady time each second. Tests speed it up with the hidden
    // PLUVETTA_TEST_SECONDS_SCALE, so that minutes of waiting pass in seconds.
    const int scale = std::max(1, qEnvironmentVariableIntValue("PLUVETTA_TEST_SECONDS_SCALE"));
    auto* clock = new QTimer(&window);
    clock->setObjectName(QStringLiteral("tmrReconnect"));
    clock->setInterval(std::max(1000 / scale, 10));
    QElapsedTimer steady;
    steady.start();
    QObject::connect(clock, &QTimer::timeout, &window, [this, steady, scale] {
        monitor_.OnClockTick(SteadyTime(steady.elapsed() * scale));
    });
    clock->start();

    window.SetSetupHooks([this] { return monitor_.SetupFilling(); },
                         [this](const SetupForm& form) { return monitor_.AcceptSetup(form); });
}

MonitorBinding::~MonitorBinding() { window_.SetSetupHooks({}, {}); }

void MonitorBinding::Start(std::string_view commandLine,
                           const std::filesystem::path& executableFolder,
                           const std::filesystem::path& configFolder) {
    monitor_.Start(commandLine, executableFolder, configFolder);
}

void MonitorBinding::CloseUnattended() {
    shutdownBy_ = Monitor::ShutdownBy::Signal;
    window_.close();
}

}  // namespace pluvetta
