#pragma once

#include <QElapsedTimer>
#include <QObject>

namespace pluvetta {

class MainWindow;

// What the end-to-end tests and the ingest benchmark ask of a real run, each switched on by
// an environment variable set to 1; an ordinary run has none of them.
//   PLUVETTA_HOOK_QUIT_ON_DISCONNECT  close the window when the APRS server ends the stream
//   PLUVETTA_HOOK_PRINT_READOUT       at exit, print what the window shows as NAME=TEXT lines
//   PLUVETTA_HOOK_PRINT_INGEST        at exit, print ingest_ms=MS from connect to end of stream
class RunHooks : public QObject {
    Q_OBJECT

  public:
    explicit RunHooks(MainWindow& window);

    // Prints what was asked for to standard output; call once the event loop has ended.
    void AtExit() const;

  private:
    MainWindow& window_;
    bool printReadout_;
    bool printIngest_;
    QElapsedTimer ingest_;
    qint64 ingestMs_ = -1;
};

}  // namespace pluvetta
