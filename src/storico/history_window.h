#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "history/csv.h"
#include "history/history_reader.h"
#include "weather/units.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace pluvetta {

class HistoryCharts;

// The history window: a station's reports over a chosen span as four charts and a summary,
// with CSV and image export. It only reads the file, and follows new rows while it shows the
// latest span.
class HistoryWindow : public QWidget {
  public:
    // `call` empty: the station heard most recently. `clock` gives the seconds since 1970 UTC.
    HistoryWindow(std::filesystem::path file, const QString& call,
                  std::function<std::int64_t()> clock, QWidget* parent = nullptr);

    // Reads the file again and redraws.
    void Reload();
    // Shows and exports the values in these units from now on (metric until told).
    void SetUnits(const Units& units);
    // Writes the rows of the span shown; false when the file could not be written.
    bool ExportCsv(const QString& path, CsvStyle style);
    // Saves the charts and the summary as a PNG image.
    bool SaveImage(const QString& path);

    // The spans to choose from, in seconds.
    static constexpr std::int64_t kDaySeconds = 86400;
    static constexpr std::int64_t kSpans[] = {kDaySeconds, 3 * kDaySeconds, 7 * kDaySeconds,
                                              30 * kDaySeconds, 365 * kDaySeconds};
    static constexpr int kDefaultSpan = 1;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Step(int direction);
    void Poll();
    // The summary of the rows, their values in the units shown, and the pressure's change over
    // the last three hours in mb.
    void ShowSummary(const std::vector<ReportRow>& shown, std::optional<double> tendency);
    std::int64_t SpanEnd() const;

    std::filesystem::path file_;
    HistoryReader reader_;
    std::function<std::int64_t()> clock_;
    QString station_;
    Units units_;
    // Where the span shown ends; nullopt follows the newest rows.
    std::optional<std::int64_t> end_;
    std::optional<std::int64_t> dataVersion_;
    QComboBox* stations_;
    QComboBox* spans_;
    QLabel* message_;
    QLabel* summary_;
    HistoryCharts* charts_;
    QWidget* drawing_;
    QTimer poll_;
    QTimer relayout_;
};

// The sentence the window shows for a file that cannot be read, in Italian.
QString StateSentence(HistoryState state, const std::filesystem::path& file);

}  // namespace pluvetta
