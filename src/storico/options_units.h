#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <functional>

#include "weather/units.h"

namespace pluvetta {

// The monitor's options file, pluvetta.conf, in the user's configuration folder.
QString OptionsFilePath();

// The units the options file chooses under [units]: each quantity as named, else as the preset,
// else metric. A word it does not know counts as not written: the monitor reports those.
Units UnitsOf(const QString& optionsFile);

// Hands over the units of the options file at once, and again each time the file changes.
// Editors replace a file rather than write it, so its folder is watched as well.
class UnitsWatcher : public QObject {
  public:
    UnitsWatcher(QString optionsFile, std::function<void(const Units&)> changed);

  private:
    void Read();

    QString file_;
    std::function<void(const Units&)> changed_;
    QFileSystemWatcher watcher_;
    Units last_;
};

}  // namespace pluvetta
