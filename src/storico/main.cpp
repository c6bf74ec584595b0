#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <limits>
#include <string>
#include <system_error>

#include "history/csv.h"
#include "history/history_reader.h"
#include "history/report_store.h"
#include "storico/demo_rows.h"
#include "storico/history_window.h"
#include "storico/options_units.h"

namespace {

constexpr const char* kUsage =
    "uso: pluvetta-storico [NOMINATIVO] | --csv NOMINATIVO [--from DATA] [--to DATA] | --help\n";
constexpr const char* kHelp =
    "Mostra lo storico dei rapporti meteo registrati dal monitor Pluvetta.\n"
    "  pluvetta-storico [NOMINATIVO]   apre la finestra dello storico\n"
    "  --csv NOMINATIVO                scrive i rapporti in CSV sullo standard output\n"
    "  --from DATA, --to DATA          limita il CSV (UTC, AAAA-MM-GG o AAAA-MM-GGThh:mm[:ss];\n"
    "                                  una data sola in --to comprende tutto quel giorno)\n"
    "Il file dello storico e' quello di PLUVETTA_HISTORY_FILE, altrimenti quello di\n"
    "[history] file in ~/.config/pluvetta/pluvetta.conf, altrimenti\n"
    "~/.local/share/pluvetta/history.sqlite.\n";

std::filesystem::path HistoryFile() {
    const QByteArray variable = qgetenv(pluvetta::kHistoryFileVariable);
    if (!variable.isEmpty()) return variable.toStdString();
    // The monitor's options file may have moved the history elsewhere.
    const QSettings options(pluvetta::OptionsFilePath(), QSettings::IniFormat);
    const QString moved = options.value(QStringLiteral("history/file")).toString().trimmed();
    if (!moved.isEmpty()) return QFile::encodeName(moved).toStdString();
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
               .toStdString() +
           "/" + pluvetta::kHistoryFileName;
}

int Usage() {
    std::cerr << kUsage;
    return 2;
}

int WriteCsvOut(const std::string& call, std::int64_t from, std::int64_t to) {
    const std::filesystem::path file = HistoryFile();
    pluvetta::HistoryReader reader(file);
    if (reader.State() != pluvetta::HistoryState::Ready) {
        std::cerr << pluvetta::StateSentence(reader.State(), file).toStdString() << '\n';
        return 1;
    }
    const auto rows = reader.Rows(call, from, to, true);
    if (reader.State() != pluvetta::HistoryState::Ready) {
        std::cerr << pluvetta::StateSentence(reader.State(), file).toStdString() << '\n';
        return 1;
    }
    pluvetta::WriteCsv(std::cout, rows, pluvetta::kPlainCsv,
                       pluvetta::UnitsOf(pluvetta::OptionsFilePath()));
    std::cout.flush();
    return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage << kHelp;
        return 0;
    }
    if (!args.empty() && args[0] == "--csv") {
        if (args.size() < 2 || args[1].starts_with("-")) return Usage();
        std::int64_t from = std::numeric_limits<std::int64_t>::min();
        std::int64_t to = std::numeric_limits<std::int64_t>::max();
        for (std::size_t i = 2; i < args.size(); i += 2) {
            if (i + 1 >= args.size() || (args[i] != "--from" && args[i] != "--to")) return Usage();
            const auto when = pluvetta::ParseUtc(args[i + 1]);
            if (!when) return Usage();
            if (args[i] == "--from") from = *when;
            // A date alone takes in its whole day.
            if (args[i] == "--to") to = *when + (args[i + 1].size() == 10 ? 86400 : 0);
        }
        return WriteCsvOut(args[1], from, to);
    }
    // For the demo and the benchmark: a made-up station's history.
    if (!args.empty() && args[0] == "--make-demo") {
        if (args.size() != 4) return Usage();
        int days = 0;
        const std::string& text = args[2];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), days);
        if (error != std::errc() || end != text.data() + text.size() || days <= 0) return Usage();
        return pluvetta::WriteDemoHistory(args[1], args[3], days,
                                          QDateTime::currentSecsSinceEpoch())
                   ? 0
                   : 1;
    }
    if (args.size() > 1 || (!args.empty() && args[0].starts_with("-"))) {
        // Qt's own options (-platform and the like) are left to QApplication.
        if (!args[0].starts_with("-platform") && !args[0].starts_with("-style")) return Usage();
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pluvetta-storico"));
    // Wayland finds the window's icon through the desktop file of that name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.pluvetta.Pluvetta.Storico"));
    const QStringList rest = QCoreApplication::arguments().mid(1);
    if (rest.size() > 1) return Usage();
    pluvetta::HistoryWindow window(HistoryFile(), rest.value(0),
                                   [] { return QDateTime::currentSecsSinceEpoch(); });
    // The monitor's choice of units, followed while the window is open.
    const pluvetta::UnitsWatcher units(pluvetta::OptionsFilePath(),
                                       [&window](const pluvetta::Units& u) { window.SetUnits(u); });
    window.show();
    return QApplication::exec();
}
