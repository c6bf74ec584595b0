// Measures the history on a large file: opening the window and drawing it on 72 hours and on
// a year, recording one report as the monitor does, opening the store with its quick check,
// and the peak resident memory of all that.
//   storico_bench FILE CALL
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "../peak_memory.h"
#include "history/history_reader.h"
#include "history/report_store.h"
#include "storico/history_window.h"
#include "weather/decoder.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: storico_bench FILE CALL\n");
        return 2;
    }
    const std::filesystem::path file = argv[1];
    const QString call = QString::fromLatin1(argv[2]);
    QApplication app(argc, argv);
    pluvetta::HistoryReader probe(file);
    const auto latest = probe.Latest(call.toStdString());
    if (!latest) {
        std::fprintf(stderr, "storico_bench: no rows of %s in %s\n", argv[2], argv[1]);
        return 1;
    }
    const std::int64_t now = *latest;

    QElapsedTimer timer;
    timer.start();
    pluvetta::HistoryWindow window(file, call, [now] { return now; });
    window.show();
    window.grab();
    std::printf("open_72h_ms %lld\n", static_cast<long long>(timer.elapsed()));
    auto* spans = window.findChild<QComboBox*>(QStringLiteral("cmbPeriodo"));
    spans->setCurrentIndex(4);
    timer.restart();
    window.Reload();
    window.grab();
    std::printf("open_year_ms %lld\n", static_cast<long long>(timer.elapsed()));

    timer.restart();
    pluvetta::StoreOpening opening = pluvetta::OpenReportStore(file, now);
    std::printf("store_open_ms %lld\n", static_cast<long long>(timer.elapsed()));
    if (!opening.store) return 1;
    const std::string info = "_10090556c220s004g005t077r000p000P000h50b09900";
    std::vector<double> micros;
    for (int i = 0; i < 1000; ++i) {
        timer.restart();
        pluvetta::ReportRow row = pluvetta::MakeReportRow("BENCH", pluvetta::kServerLinkName, info,
                                                          pluvetta::DecodeWeatherReport(info));
        row.receivedUtc = now + i;
        opening.store->Append(std::move(row));
        micros.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
    }
    std::nth_element(micros.begin(), micros.begin() + 500, micros.end());
    std::printf("record_median_us %.1f\n", micros[500]);
    std::printf("peak_rss_mb %.1f\n", static_cast<double>(PeakResidentKb()) * 1024 / 1e6);
    return 0;
}
