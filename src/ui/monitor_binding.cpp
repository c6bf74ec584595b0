#include "ui/monitor_binding.h"

#include <QObject>
#include <QTimer>
#include <chrono>

#include "ui/main_window.h"
#include "ui/qt_socket.h"

namespace pluvetta {

MonitorBinding::MonitorBinding(MainWindow& window, NumberFormat numberFormat,
                               std::uint32_t loginSeed)
    : messages_(&window),
      screen_(window),
      desktop_(window, messages_),
      monitor_(screen_, desktop_, window.AgwSocket(), window.ServerSocket(),
               std::move(numberFormat), loginSeed) {
    QObject::connect(&window, &MainWindow::Closing, &window, [this] { monitor_.Shutdown(); });
    QObject::connect(&window.ElapsedTimer(), &QTimer::timeout, &window,
                     [this] { monitor_.OnElapsedTick(); });

    AgwLink& agw = monitor_.Agw();
    window.AgwSocket().SetEvents({
        [&agw] { agw.OnConnected(); },
        [&agw](std::string_view bytes) { agw.OnData(bytes); },
        [&agw](const std::string& description) { agw.OnError(description); },
        [&agw] { agw.OnClosed(); },
    });
    ServerLink& server = monitor_.Server();
    window.ServerSocket().SetEvents({
        [&server] { server.OnConnected(); },
        [&server](std::string_view bytes) { server.OnData(bytes); },
        [&server](const std::string& description) { server.OnError(description); },
        [&server] { server.OnClosed(); },
    });
    auto* keepAlive = new QTimer(&window);
    keepAlive->setObjectName(QStringLiteral("tmrKeepAlive"));
    keepAlive->setInterval(
        std::chrono::duration_cast<std::chrono::milliseconds>(Monitor::kServerKeepAliveInterval));
    QObject::connect(keepAlive, &QTimer::timeout, &window, [&server] { server.OnKeepAliveTick(); });
    keepAlive->start();
}

void MonitorBinding::Start(std::string_view commandLine,
                           const std::filesystem::path& executableFolder) {
    monitor_.Start(commandLine, executableFolder);
}

}  // namespace pluvetta
