#pragma once

#include <QWidget>
#include <QtTest>

namespace shell_test {

inline void RightClick(QWidget* widget, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(widget, Qt::RightButton, modifiers, QPoint(5, 5));
}

// Saves what `widget` shows in $PLUVETTA_ARTEFACTS (else the temporary folder) for a look.
inline bool Screenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
    qInfo("screenshot %s/%s", qPrintable(folder), qPrintable(name));
    return QDir().mkpath(folder) && widget.grab().save(folder + "/" + name);
}

}  // namespace shell_test
