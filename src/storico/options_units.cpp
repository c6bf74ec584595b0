#include "storico/options_units.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace pluvetta {

QString OptionsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/pluvetta/pluvetta.conf");
}

Units UnitsOf(const QString& optionsFile) {
    const QSettings options(optionsFile, QSettings::IniFormat);
    const auto word = [&options](const char* key) {
        return options.value(QLatin1String(key)).toString().trimmed().toStdString();
    };
    return ChosenUnits(PresetUnits(word("units/preset")),
                       TemperatureUnitNamed(word("units/temperature")),
                       WindUnitNamed(word("units/wind")), PressureUnitNamed(word("units/pressure")),
                       RainUnitNamed(word("units/rain")));
}

UnitsWatcher::UnitsWatcher(QString optionsFile, std::function<void(const Units&)> changed)
    : file_(std::move(optionsFile)), changed_(std::move(changed)), last_(UnitsOf(file_)) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { Read(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Read(); });
    Read();
    changed_(last_);
}

void UnitsWatcher::Read() {
    // A replaced file is a new one, to be watched again; a folder made later is not seen.
    if (QFileInfo::exists(file_)) watcher_.addPath(file_);
    const QString folder = QFileInfo(file_).absolutePath();
    if (QFileInfo::exists(folder)) watcher_.addPath(folder);
    const Units now = UnitsOf(file_);
    if (now == last_) return;
    last_ = now;
    changed_(now);
}

}  // namespace pluvetta
