#include "ui/options_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <iostream>
#include <utility>

#include "app/kept_station.h"

namespace pluvetta {

namespace {

constexpr int kSettleMs = 200;
// Far more than any options file; a bigger one is read this far, never whole into memory.
constexpr qint64 kMaxOptionsBytes = qint64{1} << 20;

}  // namespace

OptionsFile::OptionsFile(QString path, std::function<void(const Options&)> apply, QObject* parent)
    : QObject(parent), path_(std::move(path)), apply_(std::move(apply)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &OptionsFile::Read);
    const auto changed = [this] { settle_.start(); };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, changed);
}

QString OptionsFile::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/pluvetta/pluvetta.conf");
}

void OptionsFile::Read() {
    std::vector<OptionEntry> entries;
    // Only a regular file: a pipe under the file's name would hold the window up.
    if (QFile file(path_); QFileInfo(path_).isFile() && file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.read(kMaxOptionsBytes);
        entries = OptionEntriesOf(std::string_view(text.constData(), text.size()));
    }
    const OptionsRead read = ReadOptions(entries, path_.toStdString());
    for (const std::string& problem : problems_.Fresh(read.problems)) {
        std::cerr << problem << '\n';
    }
    apply_(read.options);
    Watch();
}

void OptionsFile::Keep(const StationSettings& station) {
    QByteArray text;
    if (QFile old(path_); old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) {
            std::cerr << path_.toStdString() << ": not read, the station is not kept\n";
            return;
        }
        text = old.readAll();
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    const std::string kept = WithKeptStation(text.toStdString(), station);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(kept.data(), static_cast<qint64>(kept.size())) < 0 || !file.commit()) {
        std::cerr << path_.toStdString() << ": " << file.errorString().toStdString() << '\n';
    }
}

// An editor that saves by replacing the file ends the watch on the old one, and a file that
// does not exist yet cannot be watched: the folders are watched too, up to one that exists.
void OptionsFile::Watch() {
    const QFileInfo file(path_);
    QStringList paths;
    if (file.isFile()) paths << path_;
    QDir folder = file.absoluteDir();
    paths << folder.absolutePath();
    if (folder.cdUp()) paths << folder.absolutePath();
    for (const QString& path : paths) {
        if (QFileInfo::exists(path) && !watcher_.files().contains(path) &&
            !watcher_.directories().contains(path)) {
            watcher_.addPath(path);
        }
    }
}

}  // namespace pluvetta
