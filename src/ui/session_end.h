#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace pluvetta {

// Turns SIGTERM, SIGINT and SIGHUP (the desktop session ending, Ctrl+C, the terminal gone)
// into the `Ended` signal on the event loop, so that the program can close its window as the
// user would instead of dying on the spot. One per process.
class SessionEnd : public QObject {
    Q_OBJECT

  public:
    SessionEnd();
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

  signals:
    void Ended(int signalNumber);

  private:
    void Drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace pluvetta
