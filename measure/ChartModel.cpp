#include "measure/ChartModel.h"

#include "protocol/GaugeSettings.h"
#include "protocol/Numbers.h"
#include "protocol/ProcessData.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

ChartModel::ChartModel(GaugeState& gauge, QObject* parent)
    : QObject(parent)
    , m_state(gauge)
    , m_low(new Container)
    , m_high(new Container) {}

void ChartModel::Follow(ProcessData& replies, const GaugeSettings& settings) {
    connect(&replies, &ProcessData::SampleTaken, this,
            [this, &settings](double sampleTime, double value) {
                AddSample(sampleTime, value, settings.ThresholdsOn());
            });
}

double ChartModel::LastX() const {
    return PointCount() == 0 ? 0.0 : m_lastKey;
}

void ChartModel::Include(double x, double y) {
    if (!m_hasRange) {
        m_keys = QCPRange(x, x);
        m_values = QCPRange(y, y);
        m_hasRange = true;
        return;
    }
    m_keys.expand(x);
    m_values.expand(y);
}

// A run of equal threshold points is kept as its two ends: the drawn line is the same, and a
// long run costs no memory.
void ChartModel::AppendLinePoint(Container& line, double x, double y) {
    const int size = line.size();
    if (size >= 2) {
        auto last = line.end() - 1;
        const auto before = last - 1;
        if (last->value == y && before->value == y && x >= last->key) {
            last->key = x;
            return;
        }
    }
    line.add(QCPGraphData(x, y));
}

void ChartModel::Settle() const {
    if (m_late.empty())
        return;
    // Sorted (keeping the arrival order of equal times), then merged in place: linear in the
    // series plus the sort of the late ones.
    std::stable_sort(
        m_late.begin(), m_late.end(),
        [](const SampleStore::Sample& a, const SampleStore::Sample& b) { return a.key < b.key; });
    m_samples.Merge(m_late);
    m_late.clear();
}

double ChartModel::NextX(double sampleTime) const {
    return (PointCount() - m_state.ChartIndexOffset) * sampleTime + m_state.ChartTimeOffset;
}

void ChartModel::BreakBeforeNext(std::function<double(double sampleTime)> placeNext) {
    m_placeNext = std::move(placeNext);
}

void ChartModel::Break(double at, double sampleTime) {
    if (PointCount() > 0) {
        const double last = LastX();
        if (!(at >= last + sampleTime)) // also a time that is not a number
            at = last + sampleTime;
        const double x = last + (at - last) / 2;
        const SampleStore::Sample gap{x, std::numeric_limits<double>::quiet_NaN()};
        if (m_late.empty() && x >= m_lastKey)
            m_samples.Append(gap.key, gap.value);
        else
            m_late.push_back(gap);
        m_lastKey = std::max(m_lastKey, x);
        ++m_revision;
    }
    // The next sample lands at `at`, and those after it one step apart from there.
    m_state.ChartTimeOffset = at;
    m_state.ChartIndexOffset = PointCount();
}

void ChartModel::AddSample(double sampleTime, double value, bool thresholdsShown) {
    AddSamples(sampleTime, std::span<const double>(&value, 1), thresholdsShown);
}

void ChartModel::AddSamples(double sampleTime, std::span<const double> values,
                            bool thresholdsShown) {
    if (values.empty())
        return;
    SampleStatistics& stats = m_state.SampleStats;
    for (const double value : values) {
        if (m_placeNext) {
            // A break waits for this sample; it is taken once.
            const std::function<double(double)> placeNext = std::exchange(m_placeNext, {});
            Break(placeNext(sampleTime), sampleTime);
        }
        const int n = PointCount();
        const double x = (n - m_state.ChartIndexOffset) * sampleTime + m_state.ChartTimeOffset;
        if (m_late.empty() && (m_samples.isEmpty() || x >= m_lastKey)) {
            m_samples.AppendStepped(sampleTime, m_state.ChartIndexOffset, m_state.ChartTimeOffset,
                                    value);
        } else {
            // Inserting in the middle would move every later sample each time. Merged at the
            // next reading; a long batch is merged when it has grown as large as the series.
            m_late.push_back({x, value});
            if (qsizetype(m_late.size()) >= std::max<qsizetype>(LateMergeMinimum, m_samples.size()))
                Settle();
        }
        m_lastKey = n == 0 ? x : std::max(m_lastKey, x);
        Include(x, value);
        if (!m_hasPeak || std::abs(value) > std::abs(m_peak.y())) {
            m_peak = QPointF(x, value);
            m_hasPeak = true;
        }
        if (thresholdsShown) {
            const double next =
                (n + 1 - m_state.ChartIndexOffset) * sampleTime + m_state.ChartTimeOffset;
            AppendLinePoint(*m_low, next, m_state.LowThreshold);
            AppendLinePoint(*m_high, next, m_state.HighThreshold);
            Include(next, m_state.LowThreshold);
            Include(next, m_state.HighThreshold);
        }

        ++stats.Count;
        if (value < stats.Min || stats.Count == 1)
            stats.Min = value;
        if (value > stats.Max || stats.Count == 1)
            stats.Max = value;
        stats.Sum += value;
    }
    // The average depends on the sum and count alone: rounded once for the whole batch.
    stats.Average = RoundDecimals(stats.Sum / stats.Count, StatDecimals);
    ++m_revision;
    emit SampleAdded();
}

void ChartModel::ClearSeries() {
    m_samples.Clear();
    m_low->clear();
    m_high->clear();
    m_late.clear();
    m_hasRange = false;
    m_hasPeak = false;
    ++m_revision;
}

bool ChartModel::KeyRange(QCPRange& range) const {
    range = m_keys;
    return m_hasRange;
}

bool ChartModel::ValueRange(QCPRange& range) const {
    range = m_values;
    return m_hasRange;
}

ChartModel::StatTexts ChartModel::TextsFor(const SampleStatistics& stats, const QString& unit) {
    if (stats.Count == 0)
        return {EmptyStatText(), EmptyStatText(), EmptyStatText(), EmptyStatText(),
                EmptyStatText()};
    const QString suffix = QLatin1Char(' ') + unit;
    return {QString::number(stats.Count), FormatGeneralLocal(stats.Min) + suffix,
            FormatGeneralLocal(stats.Max) + suffix,
            FormatGeneralLocal(RoundDecimals(stats.Sum, StatDecimals)) + suffix,
            FormatGeneralLocal(stats.Average) + suffix};
}
