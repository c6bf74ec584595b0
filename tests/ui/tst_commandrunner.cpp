#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <optional>
#include <string>

#include "ui/qt_command_runner.h"

using namespace std::chrono_literals;

class TestCommandRunner : public QObject {
    Q_OBJECT

  private slots:
    // The words reach the program as they are, with no shell between, and the environment in
    // UTF-8 beside the inherited one; a program that runs too long is killed, and one that
    // cannot start says why.
    void runsWithTheEnvironmentKillsAfterTheLimitAndTellsAFailedStart() {
        QTemporaryDir folder;
        const std::string out = folder.filePath("env").toStdString();
        pluvetta::QtCommandRunner runner(500ms);
        std::vector<std::optional<std::string>> ends;
        const auto ended = [&ends](const std::optional<std::string>& e) { ends.push_back(e); };
        runner.Start({"/bin/sh", "-c", R"(printf '%s|%s|%s' "$1" "$PLUVETTA_TEXT" "$HOME" > "$0")",
                      out, "$HOME *"},
                     {{"PLUVETTA_TEXT", "25,6\xC2\xB0"}}, ended);
        runner.Start({"sleep", "20"}, {}, ended);
        runner.Start({"/nonexistent/pluvetta-alarm"}, {}, ended);
        QTRY_COMPARE_WITH_TIMEOUT(ends.size(), 3u, 5000);
        QCOMPARE(std::count(ends.begin(), ends.end(), std::nullopt), 2);
        QFile file(QString::fromStdString(out));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QString::fromUtf8("$HOME *|25,6\xC2\xB0|") + qEnvironmentVariable("HOME"));
    }
};

QTEST_MAIN(TestCommandRunner)
#include "tst_commandrunner.moc"
