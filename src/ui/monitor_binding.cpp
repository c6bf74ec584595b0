#include "ui/monitor_binding.h"

#include <QObject>
#include <QTimer>
#include <chrono>

#include "links/server_login.h"
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

    window.ServerSocket().SetEvents({
        [this] { monitor_.OnServerConnected(); },
        [this](std::string_view bytes) { monitor_.OnServerData(bytes); },
        [this](const std::string& description) { monitor_.OnServerError(description); },
        [this] { monitor_.OnServerClosed(); },
    });
    auto* keepAlive = new QTimer(&window);
    keepAlive->setObjectName(QStringLiteral("tmrKeepAlive"));
    keepAlive->setInterval(
        std::chrono::duration_cast<std::chrono::milliseconds>(kKeepAliveInterval));
    QObject::connect(keepAlive, &QTimer::timeout, &window,
                     [this] { monitor_.OnServerKeepAlive(); });
    keepAlive->start();
}

void MonitorBinding::Start(std::string_view commandLine,
                           const std::filesystem::path& executableFolder) {
    monitor_.Start(commandLine, executableFolder);
}

}  // namespace pluvetta
