#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pluvetta {

// Variables added to a program's environment: name and value, UTF-8.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Starts the user's alarm command as a program of its own, never through a shell.
class CommandRunner {
  public:
    // What a run tells when it is over: nullopt once the program has ended or been killed for
    // running too long, or why it could not be started.
    using Ended = std::function<void(const std::optional<std::string>& startFailure)>;

    virtual ~CommandRunner() = default;
    // Starts `words` (the program, then its arguments; UTF-8) with `environment` added to
    // this process's own, and returns at once. `ended` is called once, possibly from within
    // this call, and never once the runner is being destroyed, so a caller that the runner
    // outlives is safe. The runner kills a program that runs too long.
    virtual void Start(const std::vector<std::string>& words, const Environment& environment,
                       Ended ended) = 0;
    // One line for the user on standard error.
    virtual void Complain(const std::string& line) = 0;
};

}  // namespace pluvetta
