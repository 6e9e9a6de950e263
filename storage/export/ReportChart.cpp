// The report's chart, drawn with QPainter on any paint device.
#include "storage/export/ReportChart.h"

#include "protocol/Numbers.h"
#include "series/CurveColor.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Sizes in millimetres, turned into device pixels by the device's resolution.
constexpr double CurveWidthMm = 0.25;
constexpr double ThresholdWidthMm = 0.35;
constexpr double GridWidthMm = 0.12;
constexpr double FrameWidthMm = 0.25;
constexpr double TickLengthMm = 1.0;
constexpr double GapMm = 1.5;
constexpr double PeakRadiusMm = 1.0;
constexpr double SwatchMm = 6.0;
constexpr double LegendSpacingMm = 5.0;
// A long series' legend would crowd out the curves; the report's table names every test with
// its colour anyway.
constexpr int LegendRows = 3;
// The distance the ticks keep at least, so that their labels never touch.
constexpr double TimeTickSpacingMm = 22.0;
constexpr double ValueTickSpacingMm = 10.0;
// Beyond this, an axis' ticks would only say that its span makes no sense.
constexpr int MostTicks = 200;
// Spans are kept within what a difference of two doubles can hold.
constexpr double LargestValue = 1e300;

QColor ColorOf(const CurveColor& color) {
    return QColor(color.Red, color.Green, color.Blue);
}

struct Span {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();

    void Take(double value) {
        if (!std::isfinite(value))
            return;
        Low = std::min(Low, value);
        High = std::max(High, value);
    }
    bool Empty() const { return Low > High; }
};

QString TickText(double value) {
    return FormatGeneralLocal(value);
}

} // namespace

QList<double> ReportChart::Axis::Ticks() const {
    const double count = std::floor((High - Low) / Step + 0.5);
    if (!std::isfinite(count) || count < 0 || count > MostTicks)
        return {Low, High};
    QList<double> ticks;
    for (int i = 0; i <= int(count); ++i) {
        // A multiple of the step, as it would be typed: no rounding dust from the additions.
        double tick = std::round((Low + i * Step) / Step) * Step;
        if (std::abs(tick) < Step * 1e-9)
            tick = 0.0;
        ticks.append(tick);
    }
    return ticks;
}

ReportChart::Axis ReportChart::NiceAxis(double low, double high, int maxTicks) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0.0;
        high = 1.0;
    }
    if (low > high)
        std::swap(low, high);
    low = std::max(low, -LargestValue);
    high = std::min(high, LargestValue);
    // A single value, or values too close together to tell apart, still get a span.
    const double magnitude = std::max(std::abs(low), std::abs(high));
    if (high - low <= magnitude * 1e-12) {
        const double pad = magnitude > 0.0 ? magnitude * 0.05 : 1.0;
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / std::max(1, maxTicks - 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10.0 * power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw) {
            step = factor * power;
            break;
        }
    }
    return Axis{std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

QList<QPointF> ReportChart::Reduce(const QList<QPointF>& samples, double low, double high,
                                   int columns) {
    columns = std::max(1, columns);
    const double scale = high > low && std::isfinite(high - low) ? columns / (high - low) : 0.0;
    QList<QPointF> reduced;
    reduced.reserve(std::min<qsizetype>(samples.size(), 4 * qsizetype(columns) + 4));
    // The run of samples in the current column: indexes of its first, lowest, highest and
    // last sample.
    qsizetype first = -1;
    qsizetype lowest = -1;
    qsizetype highest = -1;
    qsizetype last = -1;
    double column = 0.0;
    const auto flush = [&] {
        if (first < 0)
            return;
        std::array<qsizetype, 4> kept{first, lowest, highest, last};
        std::sort(kept.begin(), kept.end());
        for (std::size_t i = 0; i < kept.size(); ++i)
            if (i == 0 || kept[i] != kept[i - 1])
                reduced.append(samples[kept[i]]);
    };
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const QPointF& sample = samples[i];
        if (!std::isfinite(sample.x()) || !std::isfinite(sample.y()))
            continue;
        const double at = std::clamp(std::floor((sample.x() - low) * scale), -1.0, double(columns));
        if (first < 0 || at != column) {
            flush();
            column = at;
            first = lowest = highest = i;
        }
        if (sample.y() < samples[lowest].y())
            lowest = i;
        if (sample.y() > samples[highest].y())
            highest = i;
        last = i;
    }
    flush();
    return reduced;
}

ReportChart::ReportChart(QList<TestRecord> records, std::optional<Tolerance> limits, QString xTitle,
                         QString yTitle)
    : m_records(std::move(records))
    , m_limits(std::move(limits))
    , m_xTitle(std::move(xTitle))
    , m_yTitle(std::move(yTitle)) {}

double ReportChart::Legend(QPainter& painter, const QRectF& area, double top, bool draw) const {
    const double mm = painter.device()->logicalDpiX() / 25.4;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double lineHeight = metrics.height() * 1.3;
    const QString more = QStringLiteral("…");
    double x = area.left();
    double y = top;
    int row = 1;
    for (qsizetype i = 0; i < m_records.size(); ++i) {
        const QString name =
            metrics.elidedText(m_records[i].Name, Qt::ElideRight, area.width() / 2);
        const double textWidth = metrics.horizontalAdvance(name);
        const double width = (SwatchMm + GapMm) * mm + textWidth;
        if (x > area.left() && x + width > area.right()) {
            if (row == LegendRows) {
                if (draw)
                    painter.drawText(QRectF(x, y, metrics.horizontalAdvance(more) + mm, lineHeight),
                                     Qt::AlignLeft | Qt::AlignVCenter, more);
                break;
            }
            ++row;
            x = area.left();
            y += lineHeight;
        }
        if (draw) {
            const double middle = y + lineHeight / 2;
            painter.setPen(QPen(ColorOf(OverlayCurveColor(std::size_t(i))), 2 * CurveWidthMm * mm));
            painter.drawLine(QPointF(x, middle), QPointF(x + SwatchMm * mm, middle));
            painter.setPen(Qt::black);
            painter.drawText(QRectF(x + (SwatchMm + GapMm) * mm, y, textWidth + mm, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, name);
        }
        x += width + LegendSpacingMm * mm;
    }
    return m_records.isEmpty() ? 0.0 : y + lineHeight - top;
}

bool ReportChart::Draw(QPainter& painter, const QRectF& area,
                       const std::function<bool()>& canceled) const {
    const double mm = painter.device()->logicalDpiX() / 25.4;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double textHeight = metrics.height();

    Span times;
    Span values;
    times.Take(0.0);
    for (const TestRecord& record : m_records) {
        for (const QPointF& sample : record.Samples) {
            times.Take(sample.x());
            values.Take(sample.y());
        }
    }
    if (m_limits) {
        values.Take(m_limits->Low);
        values.Take(m_limits->High);
    }
    if (values.Empty())
        values.Take(0.0);

    const double legendHeight = Legend(painter, area, 0.0, false);
    const double legendTop = area.bottom() - legendHeight;
    QRectF plot(area.left(), area.top() + textHeight / 2, area.width(),
                legendTop - GapMm * mm - (area.top() + textHeight / 2));
    plot.setBottom(plot.bottom() - (TickLengthMm + GapMm) * mm - 2 * textHeight);
    if (plot.height() <= 0 || plot.width() <= 0)
        return true;

    const Axis valueAxis = NiceAxis(values.Low, values.High,
                                    std::max(2, int(plot.height() / (ValueTickSpacingMm * mm))));
    const QList<double> valueTicks = valueAxis.Ticks();
    double labelWidth = 0.0;
    for (const double tick : valueTicks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(TickText(tick)));
    plot.setLeft(area.left() + textHeight + GapMm * mm + labelWidth + TickLengthMm * mm);
    const Axis timeAxis =
        NiceAxis(times.Low, times.High, std::max(2, int(plot.width() / (TimeTickSpacingMm * mm))));
    const QList<double> timeTicks = timeAxis.Ticks();
    plot.setRight(area.right() - metrics.horizontalAdvance(TickText(timeTicks.back())) / 2);
    if (plot.height() <= 0 || plot.width() <= 0)
        return true;

    const auto xOf = [&](double time) {
        return plot.left() + (time - timeAxis.Low) / (timeAxis.High - timeAxis.Low) * plot.width();
    };
    const auto yOf = [&](double value) {
        return plot.bottom() -
               (value - valueAxis.Low) / (valueAxis.High - valueAxis.Low) * plot.height();
    };

    painter.save();
    painter.setPen(QPen(QColor(215, 215, 215), GridWidthMm * mm));
    for (const double tick : timeTicks)
        painter.drawLine(QPointF(xOf(tick), plot.top()), QPointF(xOf(tick), plot.bottom()));
    for (const double tick : valueTicks)
        painter.drawLine(QPointF(plot.left(), yOf(tick)), QPointF(plot.right(), yOf(tick)));

    painter.setPen(QPen(Qt::black, FrameWidthMm * mm));
    painter.drawRect(plot);
    const double tick = TickLengthMm * mm;
    for (const double value : timeTicks) {
        const double x = xOf(value);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        painter.drawText(
            QRectF(x - plot.width() / 2, plot.bottom() + tick, plot.width(), textHeight),
            Qt::AlignHCenter | Qt::AlignTop, TickText(value));
    }
    for (const double value : valueTicks) {
        const double y = yOf(value);
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        painter.drawText(QRectF(plot.left() - tick - GapMm * mm / 2 - labelWidth, y - textHeight,
                                labelWidth, 2 * textHeight),
                         Qt::AlignRight | Qt::AlignVCenter, TickText(value));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + tick + textHeight + GapMm * mm / 2,
                            plot.width(), textHeight),
                     Qt::AlignHCenter | Qt::AlignTop, m_xTitle);
    painter.save();
    painter.translate(area.left(), plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), textHeight),
                     Qt::AlignHCenter | Qt::AlignTop, m_yTitle);
    painter.restore();

    painter.setClipRect(plot.adjusted(-PeakRadiusMm * mm, -PeakRadiusMm * mm, PeakRadiusMm * mm,
                                      PeakRadiusMm * mm));
    if (m_limits) {
        painter.setPen(QPen(ColorOf(ThresholdCurveColor), ThresholdWidthMm * mm));
        for (const double limit : {m_limits->Low, m_limits->High})
            if (std::isfinite(limit))
                painter.drawLine(QPointF(plot.left(), yOf(limit)),
                                 QPointF(plot.right(), yOf(limit)));
    }
    // One column per device pixel: what lies between the pixels of a column never shows.
    const int columns = std::max(1, int(std::ceil(plot.width())));
    for (qsizetype i = 0; i < m_records.size(); ++i) {
        if (canceled && canceled()) {
            painter.restore();
            return false;
        }
        const TestRecord& record = m_records[i];
        const QList<QPointF> reduced = Reduce(record.Samples, timeAxis.Low, timeAxis.High, columns);
        QPolygonF line;
        line.reserve(reduced.size());
        for (const QPointF& sample : reduced)
            line.append(QPointF(xOf(sample.x()), yOf(sample.y())));
        const QColor color = ColorOf(OverlayCurveColor(std::size_t(i)));
        QPen pen(color, CurveWidthMm * mm);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.drawPolyline(line);
        if (!record.Samples.isEmpty() && std::isfinite(record.PeakTime) &&
            std::isfinite(record.Peak)) {
            painter.setPen(QPen(color.darker(150), ThresholdWidthMm * mm));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(xOf(record.PeakTime), yOf(record.Peak)), PeakRadiusMm * mm,
                                PeakRadiusMm * mm);
        }
    }
    painter.setClipping(false);
    Legend(painter, area, legendTop, true);
    painter.restore();
    return true;
}
