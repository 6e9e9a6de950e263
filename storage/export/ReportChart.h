#pragma once

#include "series/TestRecord.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

// The chart of a printed report: the tests' curves over time with axes, grid, thresholds, peaks
// and a legend, drawn as vectors with QPainter alone, so that a worker thread may draw it.
class ReportChart final {
public:
    // An axis' span widened to round tick values, and the step between the ticks.
    struct Axis {
        double Low = 0.0;
        double High = 1.0;
        double Step = 1.0;

        QList<double> Ticks() const;
    };
    // At most about maxTicks ticks of 1, 2 or 5 times a power of ten that cover low..high; an
    // empty or invalid span still gets a span around it.
    static Axis NiceAxis(double low, double high, int maxTicks);

    // The samples as they are drawn across the given columns between low and high: of each run
    // of samples in one column its first, lowest, highest and last, in their order. The line
    // through them covers the same pixels as the line through all samples, the peak included.
    // Samples that are not finite numbers are left out.
    static QList<QPointF> Reduce(const QList<QPointF>& samples, double low, double high,
                                 int columns);

    ReportChart(QList<TestRecord> records, std::optional<Tolerance> limits, QString xTitle,
                QString yTitle);

    // Draws into the area (device pixels), the legend at its bottom; false when canceled asked
    // to stop (it is asked before each curve).
    bool Draw(QPainter& painter, const QRectF& area, const std::function<bool()>& canceled) const;

private:
    // Lays the legend out across the area's width; returns its height, and draws it with its
    // top at top when a painter is given.
    double Legend(QPainter& painter, const QRectF& area, double top, bool draw) const;

    QList<TestRecord> m_records;
    std::optional<Tolerance> m_limits;
    QString m_xTitle;
    QString m_yTitle;
};
