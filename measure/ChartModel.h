#pragma once

#include "series/SampleStore.h"
#include "state/GaugeState.h"

#include <qcustomplot.h>

#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <functional>
#include <span>
#include <vector>

class GaugeSettings;
class ProcessData;

// The data behind the chart: the sample series, the two threshold lines and the running
// statistics. Widget-free, so that every sample path can be tested and measured without a
// window; the chart widget draws them as they are.
class ChartModel final : public QObject {
    Q_OBJECT

public:
    using Container = QCPGraphDataContainer;

    // The series of one gauge: its sampling offsets, statistics and thresholds live in `gauge`.
    explicit ChartModel(GaugeState& gauge, QObject* parent = nullptr);

    GaugeState& Gauge() const { return m_state; }

    // Takes every sample the reply side reads, with the threshold lines while the gauge's
    // thresholds are on.
    void Follow(ProcessData& replies, const GaugeSettings& settings);

    // Samples out of time order (a second file with a smaller step) wait aside and are merged
    // in one pass when the series is next read or drawn, so that any order costs about as
    // much as sorted input.
    const SampleStore& Samples() const {
        Settle();
        return m_samples;
    }
    const QSharedPointer<Container>& LowLine() const { return m_low; }
    const QSharedPointer<Container>& HighLine() const { return m_high; }
    // Late samples wait at least in batches of this many before a merge of their own.
    static constexpr int LateMergeMinimum = 4096;

    // The one way into the chart and the statistics: plots the value one sampling step after
    // the last point (continuing a previous run through the offsets of the shared state),
    // adds the threshold points one step further when thresholds are shown, and updates the
    // running statistics.
    void AddSample(double sampleTime, double value, bool thresholdsShown);
    // The same for many values of one step at once (a data file handed over in slices): the
    // chart, the statistics and SampleAdded end as after one AddSample per value, with the
    // signal raised once.
    void AddSamples(double sampleTime, std::span<const double> values, bool thresholdsShown);
    // Where AddSample would plot the next sample of this sampling time.
    double NextX(double sampleTime) const;

    // The samples' line breaks before the next sample (the link to the gauge was lost for a
    // while): `placeNext` tells, as that sample comes, the time it belongs at (at least one
    // step after the last point); a point without a value marks the break, and the samples
    // after it follow on from there. The break point counts as a point, never as a sample:
    // statistics, ranges and the peak leave it out, and readers of Samples() skip values
    // that are not finite. An empty function withdraws a break not taken yet.
    void BreakBeforeNext(std::function<double(double sampleTime)> placeNext);
    bool BreakPending() const { return bool(m_placeNext); }

    int PointCount() const { return int(m_samples.size() + qsizetype(m_late.size())); }
    // X value of the last sample (0 when there is none).
    double LastX() const;

    // Merges the samples that came out of order into the series (the chart calls it before
    // drawing). Cheap when there are none.
    void Settle() const;

    // Removes the points of all three series (the statistics are reset separately).
    void ClearSeries();

    // Ranges of everything plotted, kept as samples come, so that a redraw never scans the
    // data to fit the axes. Empty ranges are reported as not found.
    bool KeyRange(QCPRange& range) const;
    bool ValueRange(QCPRange& range) const;
    // The sample of the largest magnitude (the first of equal ones); false without samples.
    bool Peak(QPointF& peak) const {
        peak = m_peak;
        return m_hasPeak;
    }

    // Changes with every modification; the chart redraws only when it moved.
    quint64 Revision() const { return m_revision; }

    // The five statistics label texts for the given statistics and unit.
    struct StatTexts {
        QString Count, Min, Max, Sum, Average;
    };
    static StatTexts TextsFor(const SampleStatistics& stats, const QString& unit);
    static QString EmptyStatText() { return QStringLiteral("---"); }

    // Rounding of Sum and Average: 4 decimal places, halves away from zero.
    static constexpr int StatDecimals = 4;

signals:
    // A sample went in; the statistics changed with it.
    void SampleAdded();

private:
    void AppendLinePoint(Container& line, double x, double y);
    void Include(double x, double y);
    void Break(double at, double sampleTime);

    GaugeState& m_state;
    mutable SampleStore m_samples;
    QSharedPointer<Container> m_low;
    QSharedPointer<Container> m_high;
    // Samples whose time lies before the series' last one, not merged yet.
    mutable std::vector<SampleStore::Sample> m_late;
    double m_lastKey = 0.0;
    bool m_hasRange = false;
    bool m_hasPeak = false;
    QPointF m_peak;
    QCPRange m_keys;
    QCPRange m_values;
    quint64 m_revision = 0;
    std::function<double(double)> m_placeNext;
};
