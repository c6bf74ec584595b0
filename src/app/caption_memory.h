#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/ports.h"

namespace pluvetta {

// What a readout label shows when the window opens.
std::string StartCaption(Label label);

// A Screen that remembers the caption it last gave each label and passes everything on to the
// real screen. The tray tooltip is made from what the labels hold, whoever wrote them.
class CaptionMemory : public Screen {
  public:
    explicit CaptionMemory(Screen& screen);

    const std::string& Caption(Label label) const;

    void SetCaption(Label label, const std::string& text) override;
    void SetColor(Label label, Rgb color) override { screen_.SetColor(label, color); }
    void SetFontPoints(Label label, int points) override { screen_.SetFontPoints(label, points); }
    void SetCalmVisible(bool visible) override { screen_.SetCalmVisible(visible); }
    Canvas& WindRose() override { return screen_.WindRose(); }
    Canvas& TrendPicture(TrendBox box) override { return screen_.TrendPicture(box); }
    void SetRxRows(const std::vector<std::string>& rows) override { screen_.SetRxRows(rows); }
    void SetLogText(const std::string& text) override { screen_.SetLogText(text); }
    void SetWindowCaption(const std::string& text) override { screen_.SetWindowCaption(text); }
    void SetTrayTooltip(const std::string& text) override { screen_.SetTrayTooltip(text); }

  private:
    Screen& screen_;
    std::array<std::string, kLabelCount> captions_;
};

}  // namespace pluvetta
