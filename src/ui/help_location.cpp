#include "ui/help_location.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <vector>

#include "app/file_places.h"

namespace pluvetta {

namespace {

std::filesystem::path Encoded(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

QString HelpFilePath(const QString& name) {
    std::vector<std::filesystem::path> folders{std::filesystem::path()};
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::AppDataLocation)) {
        // cppcheck-suppress useStlAlgorithm ; a loop reads plainer over a QStringList
        folders.push_back(Encoded(folder));
    }
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        // cppcheck-suppress useStlAlgorithm ; a loop reads plainer over a QStringList
        folders.push_back(Encoded(folder + QStringLiteral("/pluvetta")));
    }
    folders.push_back(
        Encoded(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/pluvetta")));
    return QFile::decodeName(FindFile(Encoded(name), folders).c_str());
}

}  // namespace pluvetta
