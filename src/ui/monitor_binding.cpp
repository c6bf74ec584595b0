#include "ui/monitor_binding.h"

#include <QObject>

#include "ui/main_window.h"
#include "ui/qt_socket.h"

namespace pluvetta {

MonitorBinding::MonitorBinding(MainWindow& window, NumberFormat numberFormat)
    : messages_(&window),
      screen_(window),
      desktop_(window, messages_),
      monitor_(screen_, desktop_, window.AgwSocket(), window.ServerSocket(),
               std::move(numberFormat)) {
    QObject::connect(&window, &MainWindow::Closing, &window, [this] { monitor_.Shutdown(); });
}

void MonitorBinding::Start(std::string_view commandLine,
                           const std::filesystem::path& executableFolder) {
    monitor_.Start(commandLine, executableFolder);
}

}  // namespace pluvetta
