#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>
#include <string>

#include "ui/qt_command_runner.h"

using pluvetta::QtCommandRunner;
using namespace std::chrono_literals;

class TestCommandRunner : public QObject {
    Q_OBJECT

    // Starts `words` and waits until the runner says the run is over.
    static std::optional<std::string> Run(QtCommandRunner& runner,
                                          const std::vector<std::string>& words,
                                          const pluvetta::Environment& environment = {}) {
        bool over = false;
        std::optional<std::string> failure;
        runner.Start(words, environment, [&](const std::optional<std::string>& f) {
            over = true;
            failure = f;
        });
        if (!QTest::qWaitFor([&] { return over; }, 10000)) return "never ended";
        return failure;
    }

  private slots:
    // The words reach the program as they are, with no shell between, and the environment
    // comes in UTF-8 beside the inherited one.
    void runsTheProgramWithItsWordsAndEnvironment() {
        QTemporaryDir folder;
        const std::string out = folder.filePath("env").toStdString();
        QtCommandRunner runner(30s);
        QCOMPARE(
            Run(runner,
                {"/bin/sh", "-c", "printf '%s|%s|%s' \"$1\" \"$PLUVETTA_TEXT\" \"$HOME\" > \"$0\"",
                 out, "$HOME *"},
                {{"PLUVETTA_TEXT",
                  "25,6\xC2\xB0"
                  "C"}}),
            std::nullopt);
        QFile file(QString::fromStdString(out));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QString::fromUtf8("$HOME *|25,6\xC2\xB0"
                                                                      "C|") +
                                                        qEnvironmentVariable("HOME"));
    }

    void killsAProgramThatRunsTooLong() {
        QtCommandRunner runner(200ms);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(Run(runner, {"sleep", "20"}), std::nullopt);
        QCOMPARE_LT(clock.elapsed(), 5000);
    }

    void tellsWhyAProgramCannotStart() {
        QtCommandRunner runner(30s);
        const std::optional<std::string> failure = Run(runner, {"/nonexistent/pluvetta-alarm"});
        QVERIFY(failure.has_value());
        QVERIFY2(failure != "never ended" && !failure->empty(), failure->c_str());
    }
};

QTEST_MAIN(TestCommandRunner)
#include "tst_commandrunner.moc"
