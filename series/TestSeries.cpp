// A series of tests and its statistics.
#include "series/TestSeries.h"

#include <algorithm>
#include <cmath>

std::optional<double> SeriesStatistics::PassShare() const {
    if (Judged == 0)
        return std::nullopt;
    return double(Passed) / Judged;
}

SeriesStatistics SeriesStatistics::Of(const QList<const TestRecord*>& records,
                                      const std::optional<Tolerance>& limits) {
    SeriesStatistics stats;
    double sum = 0.0;
    for (const TestRecord* record : records) {
        const double peak = record->Peak;
        if (stats.Count == 0)
            stats.Min = stats.Max = peak;
        stats.Min = std::min(stats.Min, peak);
        stats.Max = std::max(stats.Max, peak);
        sum += peak;
        ++stats.Count;
        if (record->Result != Verdict::None) {
            ++stats.Judged;
            if (record->Result == Verdict::Pass)
                ++stats.Passed;
        }
    }
    if (stats.Count == 0)
        return stats;
    stats.Mean = sum / stats.Count;
    stats.Range = stats.Max - stats.Min;
    if (stats.Count < 2)
        return stats;
    // Deviations from the mean, summed in a second pass: peaks of a series lie close
    // together, where the one-pass formula loses its digits.
    double squares = 0.0;
    for (const TestRecord* record : records)
        squares += (record->Peak - stats.Mean) * (record->Peak - stats.Mean);
    stats.StdDev = std::sqrt(squares / (stats.Count - 1));
    if (limits && stats.StdDev > 0.0 && limits->High > limits->Low) {
        stats.Cp = (limits->High - limits->Low) / (6.0 * stats.StdDev);
        stats.Cpk =
            std::min(limits->High - stats.Mean, stats.Mean - limits->Low) / (3.0 * stats.StdDev);
    }
    return stats;
}

TestSeries::TestSeries(QObject* parent)
    : QObject(parent) {}

int TestSeries::Add(TestRecord record) {
    if (record.Name.isEmpty()) {
        // A series opened again may hold the next numbers already.
        const auto taken = [this](const QString& name) {
            return std::any_of(m_records.cbegin(), m_records.cend(),
                               [&](const TestRecord& held) { return held.Name == name; });
        };
        while (taken(TestTexts::DefaultName(m_nextNumber)))
            ++m_nextNumber;
        record.Name = TestTexts::DefaultName(m_nextNumber);
    }
    if (record.Key.isNull())
        record.Key = QUuid::createUuid();
    ++m_nextNumber;
    m_records.append(std::move(record));
    const int index = int(m_records.size()) - 1;
    emit RecordAdded(index);
    return index;
}

void TestSeries::Remove(QList<int> indexes) {
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    QList<QUuid> removed;
    for (const int index : indexes) {
        if (index < 0 || index >= m_records.size())
            continue;
        removed.append(m_records.takeAt(index).Key);
    }
    if (removed.isEmpty())
        return;
    emit RecordsRemoved(removed);
    emit Changed();
}

void TestSeries::Rename(int index, const QString& name) {
    if (index < 0 || index >= m_records.size() || m_records[index].Name == name)
        return;
    m_records[index].Name = name;
    emit RecordRenamed(index);
}

void TestSeries::StartNew(const QString& name) {
    m_name = name;
    m_key = QUuid::createUuid();
    m_records.clear();
    m_nextNumber = 1;
    emit Changed();
}

void TestSeries::Load(const QUuid& key, const QString& name, QList<TestRecord> records) {
    m_name = name;
    m_key = key;
    m_records = std::move(records);
    m_nextNumber = int(m_records.size()) + 1;
    emit Changed();
}
