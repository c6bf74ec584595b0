#include <QTemporaryDir>
#include <QtTest>

#include "history/history_reader.h"
#include "ui/history_recorder.h"

class TestHistoryRecorder : public QObject {
    Q_OBJECT

  private slots:
    // A report recorded while the file is still being opened is kept, even when the program
    // ends at once (a monitor closed right after a report).
    void aReportGivenWhileTheFileOpensIsKeptAtTheEnd() {
        QTemporaryDir folder;
        const std::filesystem::path file = folder.filePath("history.sqlite").toStdString();
        {
            pluvetta::HistoryRecorder recorder(file);
            QVERIFY(!recorder.IsOpen());
            recorder.Record({.station = "Q1XYZ-13", .link = "aprsis", .raw = "_x"});
        }
        QCOMPARE(pluvetta::HistoryReader(file).Rows("Q1XYZ-13", 0, INT64_MAX).size(), 1u);
    }
};

QTEST_MAIN(TestHistoryRecorder)
#include "tst_historyrecorder.moc"
