#pragma once

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/options.h"
#include "app/report_recorder.h"
#include "history/report_store.h"

namespace pluvetta {

// Keeps the monitor's reports in the history file: stamps each with the time it arrived and
// writes what a busy or full disk refused at the next report or on a retry tick, so the window
// never waits on the file. Its troubles are one line each on standard error, nothing more.
class HistoryRecorder : public QObject, public ReportRecorder {
  public:
    explicit HistoryRecorder(const std::filesystem::path& file, QObject* parent = nullptr);

    void Record(ReportRow row) override;
    // Whether the file could be opened.
    bool IsOpen() const { return store_ != nullptr; }

  private:
    void Written();

    std::unique_ptr<ReportStore> store_;
    QTimer retry_;
};

// The file the monitor records into: the environment's, else the options', else the standard
// place.
std::filesystem::path HistoryFilePath(const Options& options);

}  // namespace pluvetta
