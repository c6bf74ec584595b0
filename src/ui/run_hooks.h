#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>

namespace pluvetta {

class MainWindow;
class QtSocket;

// What the end-to-end tests and the ingest benchmarks ask of a real run, each switched on by
// an environment variable set to 1; an ordinary run has none of them.
//   PLUVETTA_HOOK_QUIT_ON_DISCONNECT  close the window when a link's peer ends the connection
//   PLUVETTA_HOOK_PRINT_READOUT       at exit, print what the window shows as NAME=TEXT lines
//   PLUVETTA_HOOK_PRINT_INGEST        at exit, print ingest_ms=MS from connect to end of stream
//   PLUVETTA_HOOK_COMMANDS            read lines from standard input: "print" prints what the
//                                     window shows and the boxes, setup dialog and help
//                                     window open, then "end"; "f1" presses F1 on the
//                                     window; "quit" closes the window
//   PLUVETTA_HOOK_QUIT_AT_FIRST_PAINT once the window has first been painted, print
//                                     first_paint_ns=NS (the monotonic clock) and close it
class RunHooks : public QObject {
    Q_OBJECT

  public:
    explicit RunHooks(MainWindow& window);

    // Prints what was asked for to standard output; call once the event loop has ended.
    void AtExit() const;

  private:
    void Watch(QtSocket& socket, bool quitOnDisconnect);
    void PrintReadout() const;
    void ReadCommands();
    bool eventFilter(QObject* watched, QEvent* event) override;

    MainWindow& window_;
    bool printReadout_;
    bool printIngest_;
    QElapsedTimer ingest_;
    qint64 ingestMs_ = -1;
    std::unique_ptr<QSocketNotifier> commands_;
    QString pending_;
    bool quitAtFirstPaint_ = false;
};

}  // namespace pluvetta
