// Measures the help window on a guide of the largest size it reads, made of the shortest
// paragraphs: how long until its beginning shows, how long until the whole is in, the longest
// time the event loop waited meanwhile, an activation on the unchanged file, and the peak
// resident memory.
//   help_bench FILE          (FILE is written: 16 MiB of "x\par ")
#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "../peak_memory.h"
#include "help/help_file.h"
#include "ui/help_viewer.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: help_bench FILE\n");
        return 2;
    }
    {
        const std::string paragraph = "x\\par ";
        std::ofstream out(argv[1], std::ios::binary);
        out << "{\\rtf1 ";
        for (std::size_t n = 0; n < (pluvetta::kMaxHelpFileBytes - 8) / paragraph.size(); ++n) {
            out << paragraph;
        }
        out << "}";
    }
    QApplication app(argc, argv);
    pluvetta::HelpViewer viewer(nullptr);
    viewer.Messages().AnswerInAdvance();
    QElapsedTimer timer;
    timer.start();
    viewer.Apri(QString::fromLocal8Bit(argv[1]), QStringLiteral("Guida"));
    const auto shownBlocks = [&viewer] {
        return viewer.Window() ? viewer.Window()->View().document()->blockCount() : 0;
    };
    while (shownBlocks() < 2) QApplication::processEvents();
    std::printf("first_shown_ms %lld\n", static_cast<long long>(timer.elapsed()));

    qint64 longestWait = 0;
    qint64 last = timer.elapsed();
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestWait = std::max(longestWait, timer.elapsed() - last);
        last = timer.elapsed();
    });
    tick.start();
    while (viewer.Window()->Filling()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("whole_in_ms %lld\n", static_cast<long long>(timer.elapsed()));
    std::printf("paragraphs %d\n", shownBlocks());
    std::printf("longest_event_wait_ms %lld\n", static_cast<long long>(longestWait));

    timer.restart();
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(viewer.Window(), &activation);
    std::printf("activation_unchanged_ms %lld\n", static_cast<long long>(timer.elapsed()));
    std::printf("peak_rss_mb %.1f\n", static_cast<double>(PeakResidentKb()) * 1024 / 1e6);
    return 0;
}
