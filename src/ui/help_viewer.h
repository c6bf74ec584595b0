#pragma once

#include <QObject>
#include <QString>

namespace pluvetta {

// The help viewer `frmIstruzioni`, for now its one operation alone: `Apri` reports that it
// was asked to open a help file and shows nothing yet.
class HelpViewer : public QObject {
    Q_OBJECT

  public:
    explicit HelpViewer(QObject* parent) : QObject(parent) {}

    // Opens `fileName` from the working folder under the window caption `title`.
    void Apri(const QString& fileName, const QString& title) {
        emit OpenRequested(fileName, title);
    }

  signals:
    void OpenRequested(const QString& fileName, const QString& title);
};

}  // namespace pluvetta
