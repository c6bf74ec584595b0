#include "storico/history_charts.h"

#include <QDateTime>
#include <QLabel>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <limits>

#include "history/series.h"

namespace pluvetta {

namespace {

struct Line {
    Value value;
    const char* name;
    QColor color;
};

constexpr const char* kChartNames[HistoryCharts::kChartCount] = {
    "chartPressione", "chartTemperatura", "chartVento", "chartPioggia"};
constexpr Quantity kQuantities[HistoryCharts::kChartCount] = {
    Quantity::Pressure, Quantity::Temperature, Quantity::Wind, Quantity::Rain};
constexpr const char* kCaptionTails[HistoryCharts::kChartCount] = {
    "", "", "<span style='color:#787878'>&#9679;</span> Direzione (gradi, a destra)",
    "<span style='color:#6e3caa'>&#9632;</span> Pioggia del giorno (da 7 giorni in su)"};

const std::vector<Line> kLines[HistoryCharts::kChartCount] = {
    {{Value::Pressure, "Pressione", QColor(30, 60, 160)}},
    {{Value::Temperature, "Temperatura", QColor(200, 40, 30)},
     {Value::DewPoint, "Punto di rugiada", QColor(40, 140, 60)},
     {Value::WindChill, "Wind chill", QColor(60, 120, 200)},
     {Value::HeatIndex, "Indice di calore", QColor(230, 130, 0)}},
    {{Value::WindSpeed, "Vento medio", QColor(30, 90, 170)},
     {Value::WindGust, "Raffica", QColor(230, 120, 20)}},
    {{Value::RainLastHour, "Pioggia nell'ultima ora", QColor(20, 110, 190)}},
};

qreal Ms(std::int64_t utc) { return static_cast<qreal>(utc) * 1000.0; }

QList<QPointF> Points(const Series& series) {
    QList<QPointF> out;
    out.reserve(static_cast<qsizetype>(series.size()));
    for (const TimePoint& p : series) out.append(QPointF(Ms(p.t), p.v));
    return out;
}

// The value axis fits the points with a little room; a flat line still gets a span, and
// amounts (wind, rain) start at zero.
void FitAxis(QValueAxis* axis, double low, double high, double minimumSpan, bool fromZero) {
    if (low > high) low = 0, high = 0;
    if (fromZero) {
        axis->setRange(0, std::max(high * 1.1, minimumSpan));
    } else {
        const double middle = (low + high) / 2, half = std::max((high - low) / 2, minimumSpan / 2);
        axis->setRange(middle - half * 1.1, middle + half * 1.1);
    }
    axis->applyNiceNumbers();
}

// The same plot rectangle in every chart, so that their time axes line up as one.
QRectF PlotArea(const QSize& view) {
    return QRectF(80, 8, std::max(100, view.width() - 80 - 70),
                  std::max(40, view.height() - 8 - 30));
}

}  // namespace

HistoryCharts::HistoryCharts(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kChartCount; ++i) {
        auto* chart = new QChart;
        // A caption above each chart names its lines in their colours: Qt's own legend does not
        // fit beside a plot whose rectangle is fixed.
        chart->legend()->hide();
        QString caption;
        for (const Line& l : kLines[i]) {
            caption += QStringLiteral("<span style='color:%1'>&#9632;</span> %2 &nbsp; ")
                           .arg(l.color.name(), QString::fromUtf8(l.name));
        }
        caption += QString::fromUtf8(kCaptionTails[i]);
        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(kChartNames[i]).mid(5));
        label->setContentsMargins(80, 2, 0, 0);
        layout->addWidget(label);
        chart->setMargins(QMargins(4, 2, 4, 2));
        views_[i] = new QChartView(chart, this);
        views_[i]->setObjectName(QString::fromLatin1(kChartNames[i]));
        views_[i]->setRenderHint(QPainter::Antialiasing);
        views_[i]->setMinimumHeight(150);
        layout->addWidget(views_[i]);
    }
}

void HistoryCharts::Show(std::span<const ReportRow> rows, std::int64_t fromUtc, std::int64_t toUtc,
                         bool dailyRain, const Units& units) {
    const std::int64_t span = toUtc - fromUtc;
    // Beyond a week the hours no longer fit under the ticks.
    constexpr std::int64_t kEightDays = 691200;
    const QString format = QStringLiteral("dd/MM/yy");
    const QString hourFormat = QStringLiteral("dd/MM HH:mm");
    for (int i = 0; i < kChartCount; ++i) {
        QChart* chart = views_[i]->chart();
        chart->removeAllSeries();
        for (QAbstractAxis* axis : chart->axes()) {
            chart->removeAxis(axis);
            delete axis;
        }
        const QRectF plot = PlotArea(views_[i]->size());
        chart->setPlotArea(plot);
        const int columns = static_cast<int>(plot.width());
        // A silence narrower than a pixel column cannot be seen, and is not cut.
        const std::int64_t gap = std::max(GapThreshold(rows), 2 * span / columns);

        auto* time = new QDateTimeAxis;
        time->setFormat(span > kEightDays ? format : hourFormat);
        time->setRange(QDateTime::fromSecsSinceEpoch(fromUtc),
                       QDateTime::fromSecsSinceEpoch(toUtc));
        time->setTickCount(7);
        chart->addAxis(time, Qt::AlignBottom);
        const UnitScale scale = ScaleOf(units, kQuantities[i]);
        auto* values = new QValueAxis;
        values->setLabelFormat(QStringLiteral("%.%1f").arg(std::max(1, scale.decimals)));
        values->setTitleText(QString::fromLatin1(scale.symbol));
        chart->addAxis(values, Qt::AlignLeft);
        double low = std::numeric_limits<double>::max(),
               high = std::numeric_limits<double>::lowest();

        const auto addLine = [&](const Series& points, const QString& name, QColor color,
                                 bool split) {
            const std::vector<Series> pieces =
                split ? SplitAtGaps(points, gap) : std::vector<Series>{points};
            bool first = true;
            for (const Series& piece : pieces) {
                const Series thin = Thin(piece, fromUtc, toUtc, columns);
                if (thin.empty()) continue;
                for (const TimePoint& p : thin)
                    low = std::min(low, p.v), high = std::max(high, p.v);
                auto* line = new QLineSeries;
                line->setName(name);
                line->setPen(QPen(color, 1.5));
                line->replace(Points(thin));
                chart->addSeries(line);
                line->attachAxis(time);
                line->attachAxis(values);
                // One legend entry per value, however many pieces its line has.
                if (!first) chart->legend()->markers(line).first()->setVisible(false);
                first = false;
            }
        };
        for (const Line& l : kLines[i]) {
            addLine(ValueSeries(rows, l.value), QString::fromUtf8(l.name), l.color, true);
        }
        if (i == 3 && dailyRain) {
            // Each day's total as a step across the day.
            Series steps;
            for (const TimePoint& d :
                 DailyRain(rows, QDateTime::fromSecsSinceEpoch(toUtc).offsetFromUtc())) {
                steps.push_back({std::max(d.t, fromUtc), d.v});
                steps.push_back({std::min(d.t + 86400, toUtc - 1), d.v});
            }
            addLine(steps, QStringLiteral("Pioggia del giorno"), QColor(110, 60, 170), false);
        }
        if (i == 2) {
            auto* directions = new QValueAxis;
            directions->setRange(0, 360);
            directions->setTickCount(5);
            directions->setLabelFormat(QStringLiteral("%d"));
            directions->setTitleText(QStringLiteral("gradi"));
            chart->addAxis(directions, Qt::AlignRight);
            auto* dots = new QScatterSeries;
            dots->setName(QStringLiteral("Direzione"));
            dots->setMarkerSize(4);
            dots->setColor(QColor(120, 120, 120));
            dots->setBorderColor(Qt::transparent);
            dots->replace(
                Points(Thin(ValueSeries(rows, Value::WindDirection), fromUtc, toUtc, columns)));
            chart->addSeries(dots);
            dots->attachAxis(time);
            dots->attachAxis(directions);
        }
        // The least span shown: 10 mb of pressure, 2 of anything else, in the unit shown.
        FitAxis(values, low, high, (i == 0 ? 10.0 : 2.0) * scale.factor, i >= 2);
    }
}

}  // namespace pluvetta
