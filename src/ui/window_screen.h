#pragma once

#include "app/ports.h"

namespace pluvetta {

class MainWindow;

// The core's `Screen` over the main window's controls. Latin-1 texts become QStrings here;
// CR LF line ends become line breaks.
class WindowScreen : public Screen {
  public:
    explicit WindowScreen(MainWindow& window) : window_(window) {}

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
    MainWindow& window_;
};

}  // namespace pluvetta
