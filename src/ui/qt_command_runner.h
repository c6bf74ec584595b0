#pragma once

#include <QObject>
#include <chrono>

#include "app/alarm_ports.h"

namespace pluvetta {

// Runs the alarm command with QProcess, never waiting for it: the program's output goes where
// this process's goes, its input is empty, and it is killed once `timeLimit` has passed.
class QtCommandRunner : public CommandRunner {
  public:
    explicit QtCommandRunner(std::chrono::milliseconds timeLimit);
    // Kills what still runs, without telling anyone: nobody is left to hear.
    ~QtCommandRunner() override;

    void Start(const std::vector<std::string>& words, const Environment& environment,
               Ended ended) override;
    void Complain(const std::string& line) override;

  private:
    std::chrono::milliseconds timeLimit_;
    // The parent of the running processes.
    QObject runs_;
};

}  // namespace pluvetta
