#pragma once

#include "series/TestSeries.h"
#include "storage/results/ResultsStore.h"

#include <QDateTime>
#include <QObject>

#include <optional>
#include <vector>

class ChartModel;
class GaugeSettings;

// Turns each finished on-line run, download and opened data file into a test record of the
// current series, with the gauge, the unit and the verdict against the thresholds when
// "Progi" is on, and keeps every record in the results database as it joins the series.
class SeriesRecorder final : public QObject {
    Q_OBJECT

public:
    SeriesRecorder(const GaugeSettings& settings, const ChartModel& chart, QObject* parent);

    TestSeries& Series() { return m_series; }
    const TestSeries& Series() const { return m_series; }
    ResultsStore& Results() { return m_results; }
    // Where records are kept from now on; those not stored yet follow.
    void SetDatabase(const DatabaseSettings& settings);
    const DatabaseSettings& Database() const { return m_database; }

    // A run begins (or a scheduled one reaches its moment): its samples are those the chart
    // gets from now on.
    void RunStarted();
    // The run is over and its samples are on the chart (a fast run's replayed). Returns the
    // key of the test made of it; none for a run without samples.
    std::optional<QUuid> RunEnded();
    void DownloadEnded();
    void FileRead(const QString& path, double timeStep, const std::vector<double>& values);
    // FileRead in two halves, for a file read on a worker thread: its record made there from
    // FileContext() (FileRecord touches nothing of this object), then kept here.
    TestContext FileContext() const;
    static std::optional<TestRecord> FileRecord(TestContext context, const QString& path,
                                                double timeStep, const std::vector<double>& values);
    void KeepFileRecord(std::optional<TestRecord> record);
    // "Wyczyść pomiary": a run under way goes on from the chart's first point.
    void ChartCleared();
    // What the user typed for the tests to come.
    void SetTestFields(const QString& testOperator, const QString& part, const QString& note);
    const QString& Operator() const { return m_operator; }
    const QString& Part() const { return m_part; }
    const QString& Note() const { return m_note; }

private:
    TestContext Context(TestOrigin origin, const QDateTime& start) const;
    // A record of the chart's samples from the given point on.
    std::optional<TestRecord> ChartRecord(const TestContext& context, int first) const;
    std::optional<QUuid> Keep(std::optional<TestRecord> record, const QString& name = {});

    const GaugeSettings& m_settings;
    const ChartModel& m_chart;
    TestSeries m_series;
    ResultsStore m_results;
    DatabaseSettings m_database;
    // The first chart point of the run under way; -1 without one.
    int m_runFirstPoint = -1;
    QDateTime m_runStart;
    QString m_operator;
    QString m_part;
    QString m_note;
};
