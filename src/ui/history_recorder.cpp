#include "ui/history_recorder.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>
#include <chrono>
#include <iostream>

namespace pluvetta {

namespace {

constexpr int kRetryMs = 5000;
// How often the window looks whether the file has been opened.
constexpr int kOpeningPollMs = 100;

}  // namespace

HistoryRecorder::HistoryRecorder(const std::filesystem::path& file, QObject* parent)
    : QObject(parent),
      file_(file),
      opening_(std::async(std::launch::async, OpenReportStore, file,
                          QDateTime::currentSecsSinceEpoch())) {
    retry_.setInterval(kOpeningPollMs);
    connect(&retry_, &QTimer::timeout, this, [this] {
        if (!Opened()) return;
        if (store_) store_->Flush();
        Written();
    });
    retry_.start();
}

HistoryRecorder::~HistoryRecorder() {
    if (opening_.valid()) opening_.wait();
    Opened();
    if (store_ && !store_->Flush()) {
        std::cerr << "pluvetta: " << store_->Queue().Size() << " reports could not be written to "
                  << "the history " << file_.string() << " before the end\n";
    }
}

bool HistoryRecorder::Opened() {
    if (!opening_.valid()) return true;
    if (opening_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
    StoreOpening opening = opening_.get();
    if (!opening.setAside.empty()) {
        std::cerr << "pluvetta: the history " << file_.string() << " was damaged; it was moved to "
                  << opening.setAside.string() << " and a new one started\n";
    }
    if (!opening.store) {
        std::cerr << "pluvetta: no history is recorded in " << file_.string() << ": "
                  << opening.problem << '\n';
        early_.clear();
        return true;
    }
    store_ = std::move(opening.store);
    for (ReportRow& row : early_) store_->Append(std::move(row));
    early_.clear();
    retry_.setInterval(kRetryMs);
    return true;
}

void HistoryRecorder::Record(ReportRow row) {
    row.receivedUtc = QDateTime::currentSecsSinceEpoch();
    if (!Opened()) {
        if (early_.size() < kQueueBound) early_.push_back(std::move(row));
        return;
    }
    if (!store_) return;
    store_->Append(std::move(row));
    Written();
}

void HistoryRecorder::Written() {
    if (!store_) {
        retry_.stop();
        return;
    }
    ReportQueue& queue = store_->Queue();
    if (queue.TakeFirstLoss()) {
        std::cerr << "pluvetta: the history file cannot be written; reports beyond the "
                  << kQueueBound << " kept waiting are being lost\n";
    }
    if (queue.Size() == 0) {
        retry_.stop();
    } else if (!retry_.isActive()) {
        retry_.start();
    }
}

std::filesystem::path HistoryFilePath(const Options& options) {
    const QByteArray variable = qgetenv(kHistoryFileVariable);
    if (!variable.isEmpty()) return variable.toStdString();
    if (!options.historyFile.empty()) return options.historyFile;
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
               .toStdString() +
           "/" + kHistoryFileName;
}

}  // namespace pluvetta
