#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <optional>

#include "../ui/shell_test.h"
#include "history/report_store.h"
#include "storico/history_charts.h"
#include "storico/history_window.h"
#include "storico/options_units.h"

using namespace pluvetta;

namespace {

constexpr std::int64_t kNow = 1714564800;  // 2024-05-01T12:00:00Z
constexpr std::int64_t kHour = 3600;

// Q1XYZ-13 every ten minutes for three days, silent from 30 h to 28 h before now, the
// pressure falling 2 mb in the last three hours; Q2ABC once, a day ago.
void WriteFixture(const std::filesystem::path& file) {
    StoreOpening opening = OpenReportStore(file, kNow);
    std::vector<ReportRow> rows;
    for (std::int64_t t = kNow - 72 * kHour; t < kNow; t += 600) {
        if (t > kNow - 30 * kHour && t < kNow - 28 * kHour) continue;
        ReportRow row{.receivedUtc = t, .station = "Q1XYZ-13", .link = "aprsis", .raw = "_x"};
        const double hours = static_cast<double>(kNow - t) / kHour;
        row[Value::Pressure] =
            hours > 3 ? 1012.0 + 0.1 * (static_cast<int>(hours) % 5) : 1010 + hours * 2 / 3;
        row[Value::Temperature] = 15 + static_cast<int>(hours) % 7;
        row[Value::WindSpeed] = 10;
        row[Value::WindDirection] = 180;
        rows.push_back(row);
    }
    rows.push_back({.receivedUtc = kNow - 24 * kHour, .station = "Q2ABC", .link = "agwpe"});
    QVERIFY(opening.store && opening.store->Write(rows));
}

QString Text(const HistoryWindow& w, const char* label) {
    return w.findChild<QLabel*>(QLatin1String(label))->text();
}

QString AxisTitle(const HistoryWindow& w, const char* chart) {
    return w.findChild<QChartView*>(chart)->chart()->axes(Qt::Vertical).first()->titleText();
}

// SQL run on a connection of its own, as another program would; the connection is handed back
// open, holding whatever lock the SQL took.
sqlite3* Run(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    return db;
}

int LineCount(const HistoryWindow& w, const char* chart) {
    return static_cast<int>(w.findChild<QChartView*>(chart)->chart()->series().size());
}

}  // namespace

class TestHistoryWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        dir_.emplace();
        file_ = QFile::encodeName(dir_->filePath(QStringLiteral("history.sqlite"))).toStdString();
    }

    // The newest station by default, the CSV of the span shown.
    void showsTheNewestStationAndItsCsv() {
        WriteFixture(file_);
        HistoryWindow w(file_, QString(), [] { return kNow; });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Reload();
        QCOMPARE(w.windowTitle(), QStringLiteral("Pluvetta - Storico Q1XYZ-13"));
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("cmbStazione"))->count(), 2);
        QTest::qWait(300);  // the charts lay themselves out on the event loop
        shell_test::Screenshot(w, "storico.png");
        QVERIFY(w.ExportCsv(dir_->filePath(QStringLiteral("out.csv")), kPlainCsv));
        QFile csv(dir_->filePath(QStringLiteral("out.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readLine().startsWith("time_utc,station,link,"));
        QCOMPARE(csv.readAll().count('\n'), 420);  // 72 h of six, less the gap and 72 h ago
    }

    // 24 hours hold no gap; back one span shows the day with it; "Adesso" and the station
    // list change what is drawn.
    void spansStepsAndStations() {
        WriteFixture(file_);
        HistoryWindow w(file_, QStringLiteral("Q1XYZ-13"), [] { return kNow; });
        auto* spans = w.findChild<QComboBox*>(QStringLiteral("cmbPeriodo"));
        QCOMPARE(spans->currentText(), QStringLiteral("72 ore"));
        spans->setCurrentIndex(0);
        emit spans->activated(0);
        auto* axis = qobject_cast<QDateTimeAxis*>(
            w.findChild<QChartView*>("chartPressione")->chart()->axes(Qt::Horizontal).first());
        QCOMPARE(axis->min().secsTo(axis->max()), 24 * kHour);
        QCOMPARE(LineCount(w, "chartPressione"), 1);
        w.findChild<QPushButton*>(QStringLiteral("btnIndietro"))->click();
        QCOMPARE(LineCount(w, "chartPressione"), 2);
        w.findChild<QPushButton*>(QStringLiteral("btnAdesso"))->click();
        QCOMPARE(LineCount(w, "chartPressione"), 1);
        auto* stations = w.findChild<QComboBox*>(QStringLiteral("cmbStazione"));
        stations->setCurrentIndex(1);
        emit stations->activated(1);
        QCOMPARE(w.windowTitle(), QStringLiteral("Pluvetta - Storico Q2ABC"));
    }

    // A file locked by another program is a sentence until the lock goes; a new report shows
    // within a poll while the window shows the present.
    void waitsOutALockAndFollowsNewRows() {
        WriteFixture(file_);
        sqlite3* locker = Run(file_, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE");
        HistoryWindow w(file_, QStringLiteral("Q1XYZ-13"), [] { return kNow; });
        QVERIFY2(Text(w, "lblMessaggio").contains("bloccato"), qPrintable(Text(w, "lblMessaggio")));
        sqlite3_close(locker);
        QTRY_VERIFY_WITH_TIMEOUT(!w.findChild<QWidget*>("pnlGrafici")->isHidden(), 5000);
        ReportRow hot{.receivedUtc = kNow - 60, .station = "Q1XYZ-13", .link = "aprsis"};
        hot[Value::Temperature] = 55.5;
        QVERIFY(OpenReportStore(file_, kNow).store->Write(std::span(&hot, 1)));
        QTRY_VERIFY_WITH_TIMEOUT(Text(w, "lblRiepilogo").contains("55.5"), 5000);
    }

    // The options file's units, a word set on its own winning over the preset and an unknown
    // one left out, reach the summary and the axes; a change of the file is followed.
    void drawsInTheUnitsOfTheOptionsFile() {
        WriteFixture(file_);
        HistoryWindow w(file_, QStringLiteral("Q1XYZ-13"), [] { return kNow; });
        const QString conf = dir_->filePath(QStringLiteral("pluvetta.conf"));
        const auto write = [&conf](const char* text) {
            QFile out(conf);
            return out.open(QIODevice::WriteOnly) && out.write(text) > 0;
        };
        QVERIFY(write("[units]\npreset=us\nrain=mm\nwind=furlongs\n"));
        const UnitsWatcher watcher(conf, [&w](const Units& u) { w.SetUnits(u); });
        QCOMPARE(QStringList({AxisTitle(w, "chartPressione"), AxisTitle(w, "chartTemperatura"),
                              AxisTitle(w, "chartVento"), AxisTitle(w, "chartPioggia")}),
                 QStringList({"inHg", "°F", "mph", "mm"}));
        const QString summary = Text(w, "lblRiepilogo");
        // 1012.4 mb and 21 °C at most, the fall of 2 mb in three hours.
        QVERIFY2(summary.contains("max 29.90 inHg") && summary.contains("max 69.8 °F") &&
                     summary.contains("-0.06 inHg, in diminuzione"),
                 qPrintable(summary));
        QVERIFY(write("[units]\npressure=hPa\n"));
        QTRY_COMPARE(AxisTitle(w, "chartPressione"), QStringLiteral("hPa"));
    }

    // A missing file and one of a newer version are a sentence, with no charts.
    void unreadableFilesAreASentence() {
        HistoryWindow missing(file_, QString(), [] { return kNow; });
        QVERIFY(
            Text(missing, "lblMessaggio").startsWith(QStringLiteral("Non c'è ancora uno storico")));
        QVERIFY(missing.findChild<QWidget*>(QStringLiteral("pnlGrafici"))->isHidden());
        WriteFixture(file_);
        sqlite3_close(Run(file_, "PRAGMA user_version=9"));
        HistoryWindow newer(file_, QString(), [] { return kNow; });
        QVERIFY(Text(newer, "lblMessaggio").contains(QStringLiteral("versione più recente")));
    }

  private:
    std::optional<QTemporaryDir> dir_;
    std::filesystem::path file_;
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
