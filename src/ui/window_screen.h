#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "app/ports.h"

namespace pluvetta {

class MainWindow;

// The core's `Screen` over the main window's controls. Latin-1 texts become QStrings here;
// CR LF line ends become line breaks. The history pane is redrawn at most once per turn of the
// event loop, with the last log text of that turn: a burst of lines costs one redraw.
class WindowScreen : public Screen {
  public:
    explicit WindowScreen(MainWindow& window);

    void SetCaption(Label label, const std::string& text) override;
    void SetColor(Label label, Rgb color) override;
    void SetFontPoints(Label label, int points) override;
    void SetCalmVisible(bool visible) override;
    Canvas& WindRose() override;
    Canvas& TrendPicture(TrendBox box) override;
    void SetRxRows(const std::vector<std::string>& rows) override;
    void SetLogText(const std::string& text) override;
    void SetWindowCaption(const std::string& text) override;
    void SetTrayTooltip(const std::string& text) override;

  private:
    void ShowLog();

    MainWindow& window_;
    std::string pendingLog_;
    bool logPending_ = false;
    // Carries the queued redraw; gone with this screen, and the redraw with it.
    std::unique_ptr<QObject> logRedraw_ = std::make_unique<QObject>();
};

}  // namespace pluvetta
