#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "app/options.h"

namespace pluvetta {

// The options file pluvetta.conf, read at start and again whenever it changes, each reading
// handed on whole. What it holds that is not understood goes to standard
// error, each fault once.
class OptionsFile : public QObject {
    Q_OBJECT

  public:
    OptionsFile(QString path, std::function<void(const Options&)> apply, QObject* parent = nullptr);

    // pluvetta/pluvetta.conf in the user's configuration folder: ~/.config, or
    // XDG_CONFIG_HOME when it is set.
    static QString DefaultPath();
    const QString& Path() const { return path_; }

    // Reads the file (none gives the defaults), hands the options on and watches for changes.
    void Read();

    // Writes the station's keys into the file, its folder made when missing; every other line
    // stays as the user wrote it. A failure is told on standard error: the session runs on.
    void Keep(const StationSettings& station);

  private:
    void Watch();

    QString path_;
    std::function<void(const Options&)> apply_;
    QFileSystemWatcher watcher_;
    // Editors save in several steps; the file is read once they are done.
    QTimer settle_;
    ProblemsOnce problems_;
};

}  // namespace pluvetta
