#include "measure/ChartModel.h"

#include "protocol/GaugeSettings.h"
#include "protocol/Numbers.h"
#include "protocol/ProcessData.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <utility>

namespace {

// The series' container with room made ahead: the chart library keeps its storage to itself.
class GrowingContainer final : public ChartModel::Container {
public:
    void Reserve(qsizetype count) {
        // Shared with a save under way, the storage is copied at the first change anyway.
        if (!mData.isDetached() && !mData.isEmpty())
            return;
        try {
            mData.reserve(count);
        } catch (const std::bad_alloc&) {
            // The series grows as it comes instead.
        }
    }
};

} // namespace

ChartModel::ChartModel(QObject* parent)
    : QObject(parent)
    , m_samples(new GrowingContainer)
    , m_low(new Container)
    , m_high(new Container)
    , m_overview(new Container) {
    // Squeezing after removals would copy the whole series; the chart only grows or clears.
    m_samples->setAutoSqueeze(false);
}

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

void ChartModel::UpdateOverview(double x, double y) const {
    if (std::isnan(y)) {
        // The overview's line breaks where the samples' does; the next sample opens a block.
        m_overview->add(QCPGraphData(x, y));
        m_blockFill = 0;
        return;
    }
    if (m_blockFill == OverviewBlock)
        m_blockFill = 0;
    if (m_blockFill == 0) {
        m_blockMin = m_blockMax = QCPGraphData(x, y);
        m_overview->add(m_blockMin);
        m_overview->add(m_blockMax);
    } else {
        if (y < m_blockMin.value)
            m_blockMin = QCPGraphData(x, y);
        if (y > m_blockMax.value)
            m_blockMax = QCPGraphData(x, y);
        // The block's two points are rewritten in place, in key order.
        const bool minFirst = m_blockMin.key <= m_blockMax.key;
        auto second = m_overview->end() - 1;
        auto first = second - 1;
        *first = minFirst ? m_blockMin : m_blockMax;
        *second = minFirst ? m_blockMax : m_blockMin;
    }
    ++m_blockFill;
}

void ChartModel::RebuildOverview() const {
    m_overview->clear();
    m_blockFill = 0;
    for (auto sample = m_samples->constBegin(); sample != m_samples->constEnd(); ++sample)
        UpdateOverview(sample->key, sample->value);
}

void ChartModel::Settle() const {
    if (m_late.isEmpty())
        return;
    // Sorted (keeping the arrival order of equal times), then merged in place: linear in the
    // series plus the sort of the late ones.
    std::stable_sort(m_late.begin(), m_late.end(), qcpLessThanSortKey<QCPGraphData>);
    m_samples->add(m_late, true);
    m_late.clear();
    RebuildOverview();
}

double ChartModel::NextX(double sampleTime) const {
    return (PointCount() - Global.ChartIndexOffset) * sampleTime + Global.ChartTimeOffset;
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
        const QCPGraphData gap(x, std::numeric_limits<double>::quiet_NaN());
        if (m_late.isEmpty() && x >= m_lastKey) {
            m_samples->add(gap);
            UpdateOverview(gap.key, gap.value);
        } else {
            m_late.append(gap);
        }
        m_lastKey = std::max(m_lastKey, x);
        ++m_revision;
    }
    // The next sample lands at `at`, and those after it one step apart from there.
    Global.ChartTimeOffset = at;
    Global.ChartIndexOffset = PointCount();
}

void ChartModel::Reserve(qsizetype more) {
    const qsizetype wanted = m_samples->size() + more;
    if (more > 0 && wanted <= std::numeric_limits<int>::max())
        static_cast<GrowingContainer&>(*m_samples).Reserve(wanted);
}

void ChartModel::AddSample(double sampleTime, double value, bool thresholdsShown) {
    AddSamples(sampleTime, std::span<const double>(&value, 1), thresholdsShown);
}

void ChartModel::AddSamples(double sampleTime, std::span<const double> values,
                            bool thresholdsShown) {
    if (values.empty())
        return;
    SampleStatistics& stats = Global.SampleStats;
    for (const double value : values) {
        if (m_placeNext) {
            // A break waits for this sample; it is taken once.
            const std::function<double(double)> placeNext = std::exchange(m_placeNext, {});
            Break(placeNext(sampleTime), sampleTime);
        }
        const int n = PointCount();
        const double x = (n - Global.ChartIndexOffset) * sampleTime + Global.ChartTimeOffset;
        if (m_late.isEmpty() && (m_samples->isEmpty() || x >= m_lastKey)) {
            m_samples->add(QCPGraphData(x, value));
            UpdateOverview(x, value);
        } else {
            // Inserting in the middle would move every later sample each time. Merged at the
            // next reading; a long batch is merged when it has grown as large as the series.
            m_late.append(QCPGraphData(x, value));
            if (m_late.size() >= std::max<qsizetype>(LateMergeMinimum, m_samples->size()))
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
                (n + 1 - Global.ChartIndexOffset) * sampleTime + Global.ChartTimeOffset;
            AppendLinePoint(*m_low, next, Global.LowThreshold);
            AppendLinePoint(*m_high, next, Global.HighThreshold);
            Include(next, Global.LowThreshold);
            Include(next, Global.HighThreshold);
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
    m_samples->clear();
    m_low->clear();
    m_high->clear();
    m_overview->clear();
    m_late.clear();
    m_blockFill = 0;
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
