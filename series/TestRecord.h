#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

// Whether a test's peak lies within the tolerance: none without thresholds.
enum class Verdict { None, Pass, Fail };

// Where a test's samples came from.
enum class TestOrigin { Run, Download, File };

// The tolerance a test is judged against: both thresholds, or none.
struct Tolerance {
    double Low = 0.0;
    double High = 0.0;
};

// What is known of a test before its samples are looked at.
struct TestContext {
    TestOrigin Origin = TestOrigin::Run;
    QDateTime Start;
    QString Model;
    QString SerialNumber;
    // The computer the test was made or stored at (several stations share one database).
    QString Station;
    QString Unit;
    double SampleTime = 0.0;
    std::optional<Tolerance> Limits;
    QString Operator;
    QString Part;
    QString Note;
};

// A stretch of a run without samples (the link to the gauge was lost): from the last sample
// before it to the first after it, in seconds from the test's first sample.
struct TestGap {
    double Start = 0.0;
    double End = 0.0;
};

// One test: a finished on-line run, a download or an opened data file, with what it measured
// and its verdict. Samples are kept with times from the test's first sample.
struct TestRecord {
    // Names the record wherever it is kept (the results database of several stations
    // included); given when the record joins a series.
    QUuid Key;
    QString Name;
    TestContext Context;
    int SampleCount = 0;
    double Duration = 0.0;
    double Min = 0.0;
    double Max = 0.0;
    double Mean = 0.0;
    // The sample of the largest magnitude, with its sign, and when it came.
    double Peak = 0.0;
    double PeakTime = 0.0;
    Verdict Result = Verdict::None;
    QList<QPointF> Samples;
    QList<TestGap> Gaps;

    // A record of the given samples (times as plotted); samples that are not finite numbers
    // are left out, and one between two samples marks a gap. Nothing when no sample is left:
    // there is no test to judge.
    static std::optional<TestRecord> Make(const TestContext& context,
                                          const QList<QPointF>& samples);
    // The same of samples read one at a time where they lie (a chart, a file's values): a
    // day's run is not copied once more on its way into its record.
    static std::optional<TestRecord> Make(const TestContext& context, qsizetype count,
                                          const std::function<QPointF(qsizetype)>& sampleAt);
};

Verdict VerdictFor(double peak, const std::optional<Tolerance>& limits);

// Names and texts of verdicts and origins as the program shows them.
class TestTexts {
    Q_DECLARE_TR_FUNCTIONS(TestTexts)

public:
    static QString VerdictText(Verdict verdict);
    static QString OriginText(TestOrigin origin);
    // "Test 3": the default name of a series' third record.
    static QString DefaultName(int number);
    // The note with a line for the gaps added, so that they are kept wherever the note is.
    static QString NoteWithGaps(const QString& note, const QList<TestGap>& gaps);
    // The gauge that made a test: its model and serial number, as far as they are known.
    static QString GaugeText(const TestContext& context);
};
