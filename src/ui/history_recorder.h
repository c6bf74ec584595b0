#pragma once

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <future>
#include <memory>
#include <vector>

#include "app/options.h"
#include "app/report_recorder.h"
#include "history/report_store.h"

namespace pluvetta {

// Keeps the monitor's reports in the history file: stamps each with the time it arrived and
// writes what a busy or full disk refused at the next report or on a retry tick, so the window
// never waits on the file. The file is opened and checked on a thread of its own (a check
// reads the whole file, seconds for years of reports); reports that come first wait for it.
// Its troubles are one line each on standard error, nothing more.
class HistoryRecorder : public QObject, public ReportRecorder {
  public:
    explicit HistoryRecorder(const std::filesystem::path& file, QObject* parent = nullptr);
    // Writes what still waits, the file's opening first if it is under way: a program that
    // ends right after a report still keeps it.
    ~HistoryRecorder() override;

    void Record(ReportRow row) override;
    // Whether the file is open: false while it is being opened, and when it could not be.
    bool IsOpen() const { return store_ != nullptr; }

  private:
    // Takes the opened store once the thread is done; false while it is not.
    bool Opened();
    void Written();

    std::filesystem::path file_;
    std::future<StoreOpening> opening_;
    std::unique_ptr<ReportStore> store_;
    // Reports that came while the file was being opened, stamped.
    std::vector<ReportRow> early_;
    QTimer retry_;
};

// The file the monitor records into: the environment's, else the options', else the standard
// place.
std::filesystem::path HistoryFilePath(const Options& options);

}  // namespace pluvetta
