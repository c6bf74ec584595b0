#include "storico/history_window.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>
#include <numeric>

#include "history/series.h"
#include "history/summary.h"
#include "storico/history_charts.h"

namespace pluvetta {

namespace {

constexpr int kPollMs = 2000;
constexpr const char* kSpanNames[] = {"24 ore", "72 ore", "7 giorni", "30 giorni", "un anno"};

QString Local(std::int64_t utc) {
    return QDateTime::fromSecsSinceEpoch(utc).toString(QStringLiteral("dd/MM/yy HH:mm"));
}

QString FilePath(const std::filesystem::path& file) {
    return QString::fromStdString(file.string());
}

}  // namespace

QString StateSentence(HistoryState state, const std::filesystem::path& file) {
    const QString path = FilePath(file);
    switch (state) {
        case HistoryState::NoFile:
            return QStringLiteral(
                       "Non c'è ancora uno storico: il file %1 non esiste. Il monitor lo "
                       "crea al primo rapporto meteo ricevuto.")
                .arg(path);
        case HistoryState::Empty:
            return QStringLiteral(
                       "Lo storico %1 è vuoto: il monitor non vi ha ancora scritto "
                       "nessun rapporto.")
                .arg(path);
        case HistoryState::Busy:
            return QStringLiteral(
                       "Lo storico %1 è bloccato da un altro programma; riprovo tra "
                       "qualche secondo.")
                .arg(path);
        case HistoryState::Newer:
            return QStringLiteral(
                       "Lo storico %1 è stato scritto da una versione più recente di "
                       "Pluvetta e questa versione non sa leggerlo.")
                .arg(path);
        case HistoryState::Damaged:
            return QStringLiteral(
                       "Lo storico %1 è danneggiato. Il monitor, al prossimo avvio, lo "
                       "mette da parte e ne inizia uno nuovo.")
                .arg(path);
        case HistoryState::Unreadable:
            return QStringLiteral("Non riesco a leggere lo storico %1.").arg(path);
        case HistoryState::Ready:
            break;
    }
    return {};
}

HistoryWindow::HistoryWindow(std::filesystem::path file, const QString& call,
                             std::function<std::int64_t()> clock, QWidget* parent)
    : QWidget(parent),
      file_(std::move(file)),
      reader_(file_),
      clock_(std::move(clock)),
      station_(call) {
    auto* bar = new QHBoxLayout;
    stations_ = new QComboBox;
    stations_->setObjectName(QStringLiteral("cmbStazione"));
    spans_ = new QComboBox;
    spans_->setObjectName(QStringLiteral("cmbPeriodo"));
    for (const char* name : kSpanNames) spans_->addItem(QString::fromUtf8(name));
    spans_->setCurrentIndex(kDefaultSpan);
    const auto button = [this, bar](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        bar->addWidget(b);
        return b;
    };
    bar->addWidget(new QLabel(QStringLiteral("Stazione:")));
    bar->addWidget(stations_);
    bar->addWidget(new QLabel(QStringLiteral("Periodo:")));
    bar->addWidget(spans_);
    QPushButton* back = button("btnIndietro", "◀ Indietro");
    QPushButton* forward = button("btnAvanti", "Avanti ▶");
    QPushButton* now = button("btnAdesso", "Adesso");
    bar->addStretch();
    QPushButton* csv = button("btnCsv", "Esporta CSV");
    QPushButton* csvItalian = button("btnCsvExcel", "CSV per Excel (italiano)");
    QPushButton* image = button("btnImmagine", "Salva immagine");

    message_ = new QLabel;
    message_->setObjectName(QStringLiteral("lblMessaggio"));
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("lblRiepilogo"));
    summary_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    summary_->setMinimumWidth(250);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    charts_ = new HistoryCharts;
    drawing_ = new QWidget;
    drawing_->setObjectName(QStringLiteral("pnlGrafici"));
    auto* body = new QHBoxLayout(drawing_);
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(charts_, 1);
    body->addWidget(summary_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(message_);
    layout->addWidget(drawing_, 1);
    resize(1200, 900);

    connect(stations_, &QComboBox::activated, this, [this] {
        station_ = stations_->currentText();
        end_.reset();
        Reload();
    });
    connect(spans_, &QComboBox::activated, this, [this] { Reload(); });
    connect(back, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(forward, &QPushButton::clicked, this, [this] { Step(1); });
    connect(now, &QPushButton::clicked, this, [this] {
        end_.reset();
        Reload();
    });
    const auto exportTo = [this](CsvStyle style) {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta CSV"),
                                                          station_ + QStringLiteral(".csv"),
                                                          QStringLiteral("CSV (*.csv)"));
        if (!path.isEmpty() && !ExportCsv(path, style)) {
            message_->setText(QStringLiteral("Non riesco a scrivere %1.").arg(path));
        }
    };
    connect(csv, &QPushButton::clicked, this, [exportTo] { exportTo(kPlainCsv); });
    connect(csvItalian, &QPushButton::clicked, this, [exportTo] { exportTo(kItalianCsv); });
    connect(image, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva immagine"),
                                                          station_ + QStringLiteral(".png"),
                                                          QStringLiteral("PNG (*.png)"));
        if (!path.isEmpty() && !SaveImage(path)) {
            message_->setText(QStringLiteral("Non riesco a scrivere %1.").arg(path));
        }
    });

    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
    poll_.start();
    relayout_.setSingleShot(true);
    relayout_.setInterval(150);
    connect(&relayout_, &QTimer::timeout, this, [this] { Reload(); });
    Reload();
}

void HistoryWindow::SetUnits(const Units& units) {
    units_ = units;
    Reload();
}

std::int64_t HistoryWindow::SpanEnd() const { return end_.value_or(clock_() + 1); }

void HistoryWindow::Step(int direction) {
    const std::int64_t span = kSpans[spans_->currentIndex()];
    const std::int64_t end = SpanEnd() + direction * span;
    // Forward past the present is the present, and it is followed again.
    if (end >= clock_()) {
        end_.reset();
    } else {
        end_ = end;
    }
    Reload();
}

void HistoryWindow::Poll() {
    if (reader_.State() != HistoryState::Ready) {
        if (reader_.Reopen() != HistoryState::NoFile) Reload();
        return;
    }
    const auto version = reader_.DataVersion();
    if (!version) {
        reader_.Reopen();
        Reload();
    } else if (version != dataVersion_ && !end_) {
        Reload();
    }
}

void HistoryWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout_.start();
}

void HistoryWindow::Reload() {
    if (reader_.State() != HistoryState::Ready) reader_.Reopen();
    dataVersion_ = reader_.DataVersion();
    const std::vector<std::string> stations = reader_.Stations();
    stations_->clear();
    for (const std::string& s : stations) stations_->addItem(QString::fromLatin1(s));
    if (station_.isEmpty() && !stations.empty()) station_ = QString::fromLatin1(stations.front());
    stations_->setCurrentText(station_);
    setWindowTitle(QStringLiteral("Pluvetta - Storico ") + station_);

    QStringList notes;
    const std::filesystem::path aside = NewestSetAside(file_);
    if (!aside.empty()) {
        notes << QStringLiteral(
                     "Uno storico danneggiato è stato messo da parte in %1 e ne è "
                     "stato iniziato uno nuovo.")
                     .arg(FilePath(aside));
    }
    if (reader_.State() != HistoryState::Ready) {
        notes << StateSentence(reader_.State(), file_);
        message_->setText(notes.join(QLatin1Char('\n')));
        drawing_->hide();
        return;
    }
    const std::int64_t span = kSpans[spans_->currentIndex()];
    const std::int64_t to = SpanEnd(), from = to - span;
    std::vector<ReportRow> rows = reader_.Rows(station_.toStdString(), from, to);
    // The tendency's words go by millibars, whatever the unit shown.
    const std::optional<double> tendency = PressureChange3h(ValueSeries(rows, Value::Pressure));
    ToUnits(rows, units_);
    if (stations_->findText(station_) < 0) {
        notes << QStringLiteral("Lo storico non ha rapporti di %1.").arg(station_);
    } else if (rows.empty()) {
        notes << QStringLiteral("Nessun rapporto di %1 tra %2 e %3.")
                     .arg(station_, Local(from), Local(to));
    }
    message_->setText(notes.join(QLatin1Char('\n')));
    message_->setVisible(!notes.isEmpty());
    drawing_->show();
    charts_->Show(rows, from, to, span >= 7 * kDaySeconds, units_);
    ShowSummary(rows, tendency);
}

void HistoryWindow::ShowSummary(const std::vector<ReportRow>& shown,
                                std::optional<double> tendency) {
    const auto unit = [this](Quantity q) { return ScaleOf(units_, q); };
    // One decimal at least, as many as the unit shows when it shows more (inches of mercury).
    const auto number = [](double value, const UnitScale& scale) {
        return QLocale().toString(value, 'f', std::max(1, scale.decimals));
    };
    QStringList lines;
    lines << QStringLiteral("<b>%1</b>").arg(station_.toHtmlEscaped());
    const std::int64_t to = SpanEnd(), from = to - kSpans[spans_->currentIndex()];
    lines << QStringLiteral("dal %1<br>al %2").arg(Local(from), Local(to)) << QString();
    const auto extremes = [&](Value v, const char* name) {
        const auto e = FindExtremes(ValueSeries(shown, v));
        if (!e) return;
        const std::optional<Quantity> q = kValueColumns[static_cast<std::size_t>(v)].quantity;
        const UnitScale scale = q ? unit(*q) : UnitScale{1, 0, 1, "%"};
        lines << QStringLiteral("<b>%1</b><br>min %2 %4 (%3)<br>max %5 %4 (%6)")
                     .arg(QString::fromUtf8(name), number(e->low.value, scale), Local(e->low.t),
                          QString::fromLatin1(scale.symbol), number(e->high.value, scale),
                          Local(e->high.t));
    };
    const UnitScale pressure = unit(Quantity::Pressure);
    extremes(Value::Pressure, "Pressione");
    if (const auto change = tendency) {
        lines << QStringLiteral("Tendenza in 3 ore: %1%2 %3, %4")
                     .arg(*change > 0 ? QStringLiteral("+") : QString(),
                          number(ToShown(*change, pressure), pressure),
                          QString::fromLatin1(pressure.symbol),
                          QString::fromStdString(TendencyWords(*change)));
    }
    extremes(Value::Temperature, "Temperatura");
    const UnitScale temperature = unit(Quantity::Temperature);
    if (const auto mean = Mean(ValueSeries(shown, Value::Temperature))) {
        lines << QStringLiteral("media %1 %2")
                     .arg(number(*mean, temperature), QString::fromLatin1(temperature.symbol));
    }
    extremes(Value::DewPoint, "Punto di rugiada");
    extremes(Value::WindChill, "Wind chill");
    extremes(Value::HeatIndex, "Indice di calore");
    extremes(Value::Humidity, "Umidità");
    extremes(Value::WindSpeed, "Vento medio");
    extremes(Value::WindGust, "Raffica");
    extremes(Value::RainLastHour, "Pioggia in un'ora");
    const Series days = DailyRain(shown, QDateTime::fromSecsSinceEpoch(to).offsetFromUtc());
    if (!days.empty()) {
        const UnitScale rain = unit(Quantity::Rain);
        const double total = std::accumulate(days.begin(), days.end(), 0.0,
                                             [](double s, const TimePoint& d) { return s + d.v; });
        lines << QStringLiteral("<b>Pioggia totale</b> %1 %2")
                     .arg(number(total, rain), QString::fromLatin1(rain.symbol));
    }
    summary_->setText(lines.join(QStringLiteral("<br>")));
}

bool HistoryWindow::ExportCsv(const QString& path, CsvStyle style) {
    const std::int64_t to = SpanEnd(), from = to - kSpans[spans_->currentIndex()];
    std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary);
    WriteCsv(out, reader_.Rows(station_.toStdString(), from, to, true), style, units_);
    out.close();
    return static_cast<bool>(out);
}

bool HistoryWindow::SaveImage(const QString& path) { return drawing_->grab().save(path, "PNG"); }

}  // namespace pluvetta
