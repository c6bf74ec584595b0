#include "ui/qt_command_runner.h"

#include <QProcess>
#include <QTimer>
#include <iostream>
#include <memory>
#include <optional>
#include <utility>

namespace pluvetta {

QtCommandRunner::QtCommandRunner(std::chrono::milliseconds timeLimit) : timeLimit_(timeLimit) {}

QtCommandRunner::~QtCommandRunner() {
    for (QProcess* process : runs_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect();
        process->kill();
        process->waitForFinished(1000);
    }
}

void QtCommandRunner::Start(const std::vector<std::string>& words, const Environment& environment,
                            Ended ended) {
    auto* process = new QProcess(&runs_);
    process->setProgram(QString::fromStdString(words.at(0)));
    QStringList arguments;
    for (std::size_t i = 1; i < words.size(); ++i) arguments << QString::fromStdString(words[i]);
    process->setArguments(arguments);
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment) {
        variables.insert(QString::fromStdString(name), QString::fromStdString(value));
    }
    process->setProcessEnvironment(variables);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());

    // Both signals can come for one run (a crash is an error and a finish); the first ends it.
    auto end = std::make_shared<Ended>(std::move(ended));
    const auto finish = [process, end](const std::optional<std::string>& failure) {
        if (!*end) return;
        std::exchange(*end, nullptr)(failure);
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::finished, process, [finish] { finish(std::nullopt); });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, finish](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             finish(process->errorString().toStdString());
                         }
                     });
    QTimer::singleShot(timeLimit_, process, [process] { process->kill(); });
    process->start();
}

void QtCommandRunner::Complain(const std::string& line) { std::cerr << line << '\n'; }

}  // namespace pluvetta
