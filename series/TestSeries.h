#pragma once

#include "series/TestRecord.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

// Statistics of a series' tests, taken over their peaks.
struct SeriesStatistics {
    int Count = 0;
    double Mean = 0.0;
    // Sample standard deviation (n - 1); zero for a single test.
    double StdDev = 0.0;
    double Min = 0.0;
    double Max = 0.0;
    double Range = 0.0;
    // Tests with a verdict, and those of them that passed.
    int Judged = 0;
    int Passed = 0;
    // Process capability against both thresholds; nothing below two tests or without spread.
    std::optional<double> Cp;
    std::optional<double> Cpk;

    // The share of judged tests that passed, 0..1; nothing when none was judged.
    std::optional<double> PassShare() const;

    static SeriesStatistics Of(const QList<const TestRecord*>& records,
                               const std::optional<Tolerance>& limits);
};

// The tests of the current series, in the order they finished. Records are named
// "Test 1", "Test 2", ... unless they come with a name; numbers are not reused after a
// deletion, so a name stays unique within the series.
class TestSeries final : public QObject {
    Q_OBJECT

public:
    explicit TestSeries(QObject* parent = nullptr);

    const QString& Name() const { return m_name; }
    // Names the series in the results database.
    const QUuid& Key() const { return m_key; }
    const QList<TestRecord>& Records() const { return m_records; }

    // Appends the record; returns its index.
    int Add(TestRecord record);
    // Indexes out of range are ignored.
    void Remove(QList<int> indexes);
    void Rename(int index, const QString& name);
    // An empty series of this name; the numbering starts again.
    void StartNew(const QString& name);
    // A series kept earlier, to go on with: its tests replace the current ones.
    void Load(const QUuid& key, const QString& name, QList<TestRecord> records);

signals:
    void RecordAdded(int index);
    void RecordRenamed(int index);
    // These records were deleted (Changed follows).
    void RecordsRemoved(const QList<QUuid>& keys);
    // Records were removed, or a new series began.
    void Changed();

private:
    QString m_name;
    QUuid m_key = QUuid::createUuid();
    QList<TestRecord> m_records;
    int m_nextNumber = 1;
};
