// Test records from the chart's runs and downloads and from data files.
#include "app/SeriesRecorder.h"

#include "measure/ChartModel.h"
#include "protocol/GaugeSettings.h"
#include "protocol/Numbers.h"
#include "state/GaugeState.h"

#include <QFileInfo>
#include <QSysInfo>

#include <utility>

SeriesRecorder::SeriesRecorder(const GaugeSettings& settings, const ChartModel& chart,
                               QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_chart(chart)
    , m_series(this) {
    // The series' changes go to the database; a series opened from it replaces the current.
    connect(&m_series, &TestSeries::RecordAdded, this, [this](int index) {
        m_results.Store(m_series.Key(), m_series.Name(), m_series.Records().at(index));
    });
    connect(&m_series, &TestSeries::RecordRenamed, this, [this](int index) {
        const TestRecord& record = m_series.Records().at(index);
        m_results.Rename(record.Key, record.Name);
    });
    connect(&m_series, &TestSeries::RecordsRemoved, &m_results, &ResultsStore::Remove);
    connect(&m_results, &ResultsStore::SeriesLoaded, this,
            [this](const QUuid& key, const QString& name, const QList<TestRecord>& records) {
                m_series.Load(key, name, records);
            });
}

TestContext SeriesRecorder::Context(TestOrigin origin, const QDateTime& start) const {
    TestContext context;
    context.Origin = origin;
    context.Start = start;
    context.Model = m_settings.Model();
    context.SerialNumber = m_settings.SerialNumber();
    context.Station = QSysInfo::machineHostName();
    context.Unit = m_chart.Gauge().SampleUnit;
    context.Operator = m_operator;
    context.Part = m_part;
    context.Note = m_note;
    if (m_settings.ThresholdsOn()) {
        // A run is judged by the thresholds it started with; other data by those shown now.
        context.Limits =
            origin == TestOrigin::Run
                ? Tolerance{m_chart.Gauge().LowThreshold, m_chart.Gauge().HighThreshold}
                : Tolerance{ReadThreshold(m_settings.Text(SettingText::Low)),
                            ReadThreshold(m_settings.Text(SettingText::High))};
    }
    return context;
}

std::optional<TestRecord> SeriesRecorder::ChartRecord(const TestContext& context, int first) const {
    const SampleStore& samples = m_chart.Samples();
    if (first < 0 || first >= samples.size())
        return std::nullopt;
    return TestRecord::Make(context, samples.size() - first, [&samples, first](qsizetype i) {
        const SampleStore::Sample sample = samples.At(first + i);
        return QPointF(sample.key, sample.value);
    });
}

std::optional<QUuid> SeriesRecorder::Keep(std::optional<TestRecord> record, const QString& name) {
    if (!record)
        return std::nullopt;
    record->Name = name;
    // The note is what the results database keeps of a gap.
    record->Context.Note = TestTexts::NoteWithGaps(record->Context.Note, record->Gaps);
    return m_series.Records().at(m_series.Add(std::move(*record))).Key;
}

void SeriesRecorder::RunStarted() {
    m_runFirstPoint = m_chart.PointCount();
    m_runStart = QDateTime::currentDateTime();
}

std::optional<QUuid> SeriesRecorder::RunEnded() {
    if (m_runFirstPoint < 0)
        return std::nullopt;
    TestContext context = Context(TestOrigin::Run, m_runStart);
    context.SampleTime = m_chart.Gauge().SampleTime;
    const int first = std::exchange(m_runFirstPoint, -1);
    return Keep(ChartRecord(context, first));
}

void SeriesRecorder::DownloadEnded() {
    TestContext context = Context(TestOrigin::Download, QDateTime::currentDateTime());
    context.SampleTime = m_chart.Gauge().SampleTime;
    Keep(ChartRecord(context, 0));
}

void SeriesRecorder::FileRead(const QString& path, double timeStep,
                              const std::vector<double>& values) {
    KeepFileRecord(FileRecord(FileContext(), path, timeStep, values));
}

TestContext SeriesRecorder::FileContext() const {
    TestContext context = Context(TestOrigin::File, QDateTime());
    // The file does not say its unit in a form the program reads back.
    context.Unit.clear();
    return context;
}

std::optional<TestRecord> SeriesRecorder::FileRecord(TestContext context, const QString& path,
                                                     double timeStep,
                                                     const std::vector<double>& values) {
    const QFileInfo file(path);
    context.Start = file.lastModified();
    context.SampleTime = timeStep;
    std::optional<TestRecord> record =
        TestRecord::Make(context, qsizetype(values.size()), [&values, timeStep](qsizetype i) {
            return QPointF(timeStep * double(i), values[std::size_t(i)]);
        });
    if (record)
        record->Name = file.completeBaseName();
    return record;
}

void SeriesRecorder::KeepFileRecord(std::optional<TestRecord> record) {
    if (!record)
        return;
    // As Keep does: the note is what the results database keeps of a gap.
    record->Context.Note = TestTexts::NoteWithGaps(record->Context.Note, record->Gaps);
    m_series.Add(std::move(*record));
}

void SeriesRecorder::SetTestFields(const QString& testOperator, const QString& part,
                                   const QString& note) {
    m_operator = testOperator;
    m_part = part;
    m_note = note;
}

void SeriesRecorder::ChartCleared() {
    if (m_runFirstPoint >= 0)
        m_runFirstPoint = 0;
}

void SeriesRecorder::SetDatabase(const DatabaseSettings& settings) {
    m_database = settings;
    m_results.Open(settings);
}
