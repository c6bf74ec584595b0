#include "ui/history_recorder.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>
#include <iostream>

namespace pluvetta {

namespace {

constexpr int kRetryMs = 5000;

}  // namespace

HistoryRecorder::HistoryRecorder(const std::filesystem::path& file, QObject* parent)
    : QObject(parent) {
    StoreOpening opening = OpenReportStore(file, QDateTime::currentSecsSinceEpoch());
    if (!opening.setAside.empty()) {
        std::cerr << "pluvetta: the history " << file.string() << " was damaged; it was moved to "
                  << opening.setAside.string() << " and a new one started\n";
    }
    if (!opening.store) {
        std::cerr << "pluvetta: no history is recorded in " << file.string() << ": "
                  << opening.problem << '\n';
        return;
    }
    store_ = std::move(opening.store);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, [this] {
        store_->Flush();
        Written();
    });
}

void HistoryRecorder::Record(ReportRow row) {
    if (!store_) return;
    row.receivedUtc = QDateTime::currentSecsSinceEpoch();
    store_->Append(std::move(row));
    Written();
}

void HistoryRecorder::Written() {
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
