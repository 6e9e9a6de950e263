// Test records, verdicts and the statistics of a series.
#include "series/TestSeries.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

QList<QPointF> Points(double firstTime, double step, const QList<double>& values) {
    QList<QPointF> points;
    for (qsizetype i = 0; i < values.size(); ++i)
        points.append(QPointF(firstTime + step * double(i), values[i]));
    return points;
}

TestRecord RecordWithPeak(double peak, Verdict verdict) {
    TestRecord record;
    record.Peak = peak;
    record.Result = verdict;
    return record;
}

} // namespace

using Limits = std::optional<Tolerance>;
Q_DECLARE_METATYPE(Limits)
Q_DECLARE_METATYPE(Verdict)

class TestTestSeries : public QObject {
    Q_OBJECT

private slots:
    void recordFromSamples_data() {
        QTest::addColumn<QList<QPointF>>("samples");
        QTest::addColumn<Limits>("limits");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("peak");
        QTest::addColumn<double>("peakTime");
        QTest::addColumn<Verdict>("verdict");

        // A run continues the chart: its times start wherever the last one ended.
        QTest::newRow("pull, within the band")
            << Points(12.0, 0.5, {1, 5, 9, 4}) << Limits(Tolerance{8, 10}) << 4 << 1.5 << 1.0 << 9.0
            << 4.75 << 9.0 << 1.0 << Verdict::Pass;
        QTest::newRow("push: the peak keeps its sign")
            << Points(0, 0.1, {-1, -7, 3}) << Limits(Tolerance{-8, -6}) << 3 << 0.2 << -7.0 << 3.0
            << -5.0 / 3 << -7.0 << 0.1 << Verdict::Pass;
        QTest::newRow("on the upper threshold passes")
            << Points(0, 1, {2, 10}) << Limits(Tolerance{8, 10}) << 2 << 1.0 << 2.0 << 10.0 << 6.0
            << 10.0 << 1.0 << Verdict::Pass;
        QTest::newRow("above the band fails")
            << Points(0, 1, {2, 10.01}) << Limits(Tolerance{8, 10}) << 2 << 1.0 << 2.0 << 10.01
            << 6.005 << 10.01 << 1.0 << Verdict::Fail;
        QTest::newRow("below the band fails")
            << Points(0, 1, {2, 7.99}) << Limits(Tolerance{8, 10}) << 2 << 1.0 << 2.0 << 7.99
            << 4.995 << 7.99 << 1.0 << Verdict::Fail;
        QTest::newRow("no thresholds, no verdict")
            << Points(0, 1, {3}) << Limits() << 1 << 0.0 << 3.0 << 3.0 << 3.0 << 3.0 << 0.0
            << Verdict::None;
        QTest::newRow("equal magnitudes: the first is the peak")
            << Points(0, 1, {0, 5, -5}) << Limits() << 3 << 2.0 << -5.0 << 5.0 << 0.0 << 5.0 << 1.0
            << Verdict::None;
        QTest::newRow("values that are not numbers are left out")
            << QList<QPointF>{{0, NaN}, {1, 4}, {2, Inf}, {NaN, 9}, {3, 2}} << Limits() << 2 << 2.0
            << 2.0 << 4.0 << 3.0 << 4.0 << 0.0 << Verdict::None;
    }

    void recordFromSamples() {
        QFETCH(QList<QPointF>, samples);
        QFETCH(Limits, limits);
        TestContext context;
        context.Limits = limits;
        const std::optional<TestRecord> record = TestRecord::Make(context, samples);
        QVERIFY(record);
        QTEST(record->SampleCount, "count");
        QTEST(record->Duration, "duration");
        QTEST(record->Min, "min");
        QTEST(record->Max, "max");
        QTEST(record->Mean, "mean");
        QTEST(record->Peak, "peak");
        QTEST(record->PeakTime, "peakTime");
        QTEST(record->Result, "verdict");
        QCOMPARE(record->Samples.size(), record->SampleCount);
        QCOMPARE(record->Samples.front().x(), 0.0);
    }

    void nothingToJudge() {
        QVERIFY(!TestRecord::Make({}, {}));
        QVERIFY(!TestRecord::Make({}, {{0, NaN}, {1, -Inf}}));
    }

    void seriesStatistics_data() {
        QTest::addColumn<QList<double>>("peaks");
        QTest::addColumn<QList<Verdict>>("verdicts");
        QTest::addColumn<Limits>("limits");
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("stdDev");
        QTest::addColumn<double>("range");
        QTest::addColumn<double>("passShare"); // -1: none judged
        QTest::addColumn<double>("cp");        // -1: none
        QTest::addColumn<double>("cpk");

        const auto P = Verdict::Pass, F = Verdict::Fail, N = Verdict::None;
        // By hand: mean 12, deviations -2 0 2, s = sqrt(8 / 2) = 2; Cp = 6 / 12; Cpk = 3 / 6.
        QTest::newRow("centred") << QList<double>{10, 12, 14} << QList<Verdict>{P, P, P}
                                 << Limits(Tolerance{9, 15}) << 12.0 << 2.0 << 4.0 << 1.0 << 0.5
                                 << 0.5;
        // Mean 13: Cpk from the nearer (upper) limit, (15 - 13) / 6.
        QTest::newRow("off centre, one outside")
            << QList<double>{11, 13, 15.5, 12.5} << QList<Verdict>{P, P, F, P}
            << Limits(Tolerance{9, 15}) << 13.0 << std::sqrt((4 + 0 + 6.25 + 0.25) / 3.0) << 4.5
            << 0.75 << 6.0 / (6 * std::sqrt(10.5 / 3)) << 2.0 / (3 * std::sqrt(10.5 / 3));
        QTest::newRow("one test: no spread, no capability")
            << QList<double>{7} << QList<Verdict>{F} << Limits(Tolerance{9, 15}) << 7.0 << 0.0
            << 0.0 << 0.0 << -1.0 << -1.0;
        QTest::newRow("equal peaks: no capability")
            << QList<double>{5, 5} << QList<Verdict>{N, N} << Limits(Tolerance{0, 10}) << 5.0 << 0.0
            << 0.0 << -1.0 << -1.0 << -1.0;
        QTest::newRow("without thresholds")
            << QList<double>{-3, -5} << QList<Verdict>{N, N} << Limits() << -4.0 << std::sqrt(2.0)
            << 2.0 << -1.0 << -1.0 << -1.0;
        // Peaks far from zero and close together keep their spread.
        QTest::newRow("large values, small spread")
            << QList<double>{1e9 + 1, 1e9 + 2, 1e9 + 3} << QList<Verdict>{N, N, N} << Limits()
            << 1e9 + 2 << 1.0 << 2.0 << -1.0 << -1.0 << -1.0;
    }

    void seriesStatistics() {
        QFETCH(QList<double>, peaks);
        QFETCH(QList<Verdict>, verdicts);
        QFETCH(Limits, limits);
        QFETCH(double, passShare);
        QFETCH(double, cp);
        QFETCH(double, cpk);
        QList<TestRecord> records;
        for (qsizetype i = 0; i < peaks.size(); ++i)
            records.append(RecordWithPeak(peaks[i], verdicts[i]));
        QList<const TestRecord*> selected;
        for (const TestRecord& record : records)
            selected.append(&record);
        const SeriesStatistics stats = SeriesStatistics::Of(selected, limits);
        QCOMPARE(stats.Count, peaks.size());
        QTEST(stats.Mean, "mean");
        QTEST(stats.StdDev, "stdDev");
        QTEST(stats.Range, "range");
        QCOMPARE(stats.PassShare().value_or(-1.0), passShare);
        QCOMPARE(stats.Cp.value_or(-1.0), cp);
        QCOMPARE(stats.Cpk.value_or(-1.0), cpk);
    }

    void emptySelection() {
        const SeriesStatistics stats = SeriesStatistics::Of({}, Tolerance{0, 1});
        QCOMPARE(stats.Count, 0);
        QVERIFY(!stats.PassShare() && !stats.Cp);
    }

    // Names stay unique in a series: a deleted test's number is not given again.
    void namesAndEditing() {
        TestSeries series;
        QSignalSpy added(&series, &TestSeries::RecordAdded);
        QSignalSpy changed(&series, &TestSeries::Changed);
        QSignalSpy renamed(&series, &TestSeries::RecordRenamed);
        for (int i = 0; i < 3; ++i)
            series.Add(RecordWithPeak(i, Verdict::None));
        QCOMPARE(added.size(), 3);
        QCOMPARE(added.last().at(0).toInt(), 2);
        series.Remove({1, 1, 7, -1});
        QCOMPARE(series.Records().size(), 2);
        QCOMPARE(changed.size(), 1);
        series.Remove({5});
        QCOMPARE(changed.size(), 1);
        series.Add(RecordWithPeak(9, Verdict::None));
        QStringList names;
        for (const TestRecord& record : series.Records())
            names << record.Name;
        QCOMPARE(names, QStringList({"Test 1", "Test 3", "Test 4"}));
        series.Rename(0, QStringLiteral("Sprężyna A"));
        series.Rename(0, QStringLiteral("Sprężyna A"));
        series.Rename(9, QStringLiteral("x"));
        QCOMPARE(renamed.size(), 1);
        QCOMPARE(renamed.first().at(0).toInt(), 0);
        QCOMPARE(series.Records().front().Name, QStringLiteral("Sprężyna A"));
        series.StartNew(QStringLiteral("Partia 2"));
        QVERIFY(series.Records().isEmpty());
        series.Add(RecordWithPeak(1, Verdict::None));
        QCOMPARE(series.Records().front().Name, QStringLiteral("Test 1"));
        QCOMPARE(series.Name(), QStringLiteral("Partia 2"));
    }
};

QTEST_GUILESS_MAIN(TestTestSeries)
#include "tst_testseries.moc"
