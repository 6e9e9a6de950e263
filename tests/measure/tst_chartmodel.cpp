// AddSample: X values, threshold points, running statistics and their label texts.
#include "measure/ChartModel.h"
#include "state/GaugeState.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

struct Run {
    double SampleTime;
    QList<double> Values;
    bool Thresholds = false;
};

template <typename Series> QList<double> Keys(const Series& container) {
    QList<double> keys;
    for (auto it = container.constBegin(); it != container.constEnd(); ++it)
        keys << it->key;
    return keys;
}

// What a new run does before its first sample: continue after the last point.
void ContinueAfterLastPoint(const ChartModel& model) {
    FirstGauge().ChartTimeOffset = 0;
    FirstGauge().ChartIndexOffset = 0;
    if (model.PointCount() > 0) {
        FirstGauge().ChartTimeOffset = model.LastX();
        FirstGauge().ChartIndexOffset = model.PointCount() - 1;
    }
}

} // namespace

class TestChartModel : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FirstGauge() = GaugeState{};
        QLocale::setDefault(QLocale::c());
    }

    void statistics_data();
    void statistics();
    void labelsUnderCommaLocale();
    void xValuesContinueAcrossRuns();
    void thresholdPointsStandOneStepRight();
    void thresholdLineSpansAGap();
    void clearEmptiesTheSeries();
    void storeFindsExtremesOfAnyRange_data();
    void storeFindsExtremesOfAnyRange();
    void steppedSamplesKeepOnlyTheirValues();
    void unevenTimesAreKeptOneByOne();
    void samplesOutOfTimeOrder_data();
    void samplesOutOfTimeOrder();
    void manyAtOnceAsOneByOne_data();
    void manyAtOnceAsOneByOne();
    void breakInTheLine_data();
    void breakInTheLine();
};

void TestChartModel::statistics_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QStringList>("texts"); // count, min, max, sum, average

    QTest::newRow("first sample") << QList<double>{5}
                                  << QStringList{"1", "5 N", "5 N", "5 N", "5 N"};
    QTest::newRow("average rounded")
        << QList<double>{1, 2, 4} << QStringList{"3", "1 N", "4 N", "7 N", "2.3333 N"};
    QTest::newRow("tiny values: sum rounded, min as it came")
        << QList<double>{0.00002, 0.00002}
        << QStringList{"2", "0.00002 N", "0.00002 N", "0 N", "0 N"};
    // Halves round away from zero on both sides.
    QTest::newRow("negative half")
        << QList<double>{-2.00006}
        << QStringList{"1", "-2.00006 N", "-2.00006 N", "-2.0001 N", "-2.0001 N"};
    QTest::newRow("exact halves") << QList<double>{1.03125, -3.0625}
                                  << QStringList{"2", "-3.0625 N", "1.03125 N", "-2.0313 N",
                                                 "-1.0156 N"};
    QTest::newRow("exponent") << QList<double>{1e-7, 3e20}
                              << QStringList{"2", "1E-7 N", "3E20 N", "3E20 N", "1.5E20 N"};
}

void TestChartModel::statistics() {
    QFETCH(QList<double>, values);
    QFETCH(QStringList, texts);
    // Leftovers of an earlier series must not leak into the first sample's Min and Max.
    FirstGauge().SampleStats.Min = -100;
    FirstGauge().SampleStats.Max = 100;
    ChartModel model{FirstGauge()};
    for (const double v : values)
        model.AddSample(1.0, v, false);
    const ChartModel::StatTexts t =
        ChartModel::TextsFor(FirstGauge().SampleStats, QStringLiteral("N"));
    QCOMPARE((QStringList{t.Count, t.Min, t.Max, t.Sum, t.Average}), texts);
}

void TestChartModel::labelsUnderCommaLocale() {
    QLocale::setDefault(QLocale(QLocale::German));
    ChartModel model{FirstGauge()};
    model.AddSample(1, 1.5, false);
    model.AddSample(1, 2.25, false);
    const auto t = ChartModel::TextsFor(FirstGauge().SampleStats, QStringLiteral("kg"));
    QCOMPARE(t.Sum, QStringLiteral("3,75 kg"));
    QCOMPARE(t.Average, QStringLiteral("1,875 kg"));
    FirstGauge().ResetSampleStats();
    QCOMPARE(ChartModel::TextsFor(FirstGauge().SampleStats, QStringLiteral("kg")).Min,
             QStringLiteral("---"));
}

void TestChartModel::xValuesContinueAcrossRuns() {
    ChartModel model{FirstGauge()};
    for (const Run& run : {Run{0.5, {1, 2, 3}}, Run{0.25, {4, 5}}, Run{1.0, {6}}}) {
        ContinueAfterLastPoint(model);
        for (const double v : run.Values)
            model.AddSample(run.SampleTime, v, run.Thresholds);
    }
    QCOMPARE(Keys(model.Samples()), (QList<double>{0, 0.5, 1.0, 1.25, 1.5, 2.5}));
    QCOMPARE(FirstGauge().SampleStats.Count, 6);
    QCPRange keys;
    QVERIFY(model.KeyRange(keys));
    QCOMPARE(keys.upper, 2.5);
}

void TestChartModel::thresholdPointsStandOneStepRight() {
    FirstGauge().LowThreshold = 99;
    FirstGauge().HighThreshold = 101;
    ChartModel model{FirstGauge()};
    for (const double v : {100.0, 100.5, 99.5})
        model.AddSample(0.5, v, true);
    QCOMPARE(Keys(model.Samples()), (QList<double>{0, 0.5, 1.0}));
    // The line runs from one step after the first sample to one step after the last.
    const QList<double> low = Keys(*model.LowLine());
    QCOMPARE(low.first(), 0.5);
    QCOMPARE(low.last(), 1.5);
    for (auto it = model.HighLine()->constBegin(); it != model.HighLine()->constEnd(); ++it)
        QCOMPARE(it->value, 101.0);
    QCPRange values;
    QVERIFY(model.ValueRange(values));
    QCOMPARE(values.lower, 99.0);
    QCOMPARE(values.upper, 101.0);
}

void TestChartModel::thresholdLineSpansAGap() {
    FirstGauge().LowThreshold = 1;
    FirstGauge().HighThreshold = 2;
    ChartModel model{FirstGauge()};
    model.AddSample(1, 0, true);
    model.AddSample(1, 0, false);
    model.AddSample(1, 0, false);
    FirstGauge().LowThreshold = 3; // thresholds of a later run
    model.AddSample(1, 0, true);
    model.AddSample(1, 0, true);
    QCOMPARE(Keys(*model.LowLine()), (QList<double>{1, 4, 5}));
    QCOMPARE((model.LowLine()->constEnd() - 1)->value, 3.0);
    QCOMPARE(model.LowLine()->constBegin()->value, 1.0);
}

void TestChartModel::clearEmptiesTheSeries() {
    ChartModel model{FirstGauge()};
    model.AddSample(1, 5, true);
    const quint64 before = model.Revision();
    model.ClearSeries();
    QVERIFY(model.Revision() != before);
    QCOMPARE(model.PointCount(), 0);
    QVERIFY(model.LowLine()->isEmpty());
    QCPRange range;
    QVERIFY(!model.KeyRange(range));
    ContinueAfterLastPoint(model);
    model.AddSample(2, 7, false);
    QCOMPARE(model.LastX(), 0.0);
}

// The extremes of any range, as the chart's columns ask for them, are those of its samples,
// whatever the range's alignment to the store's levels; breaks are left out of them.
void TestChartModel::storeFindsExtremesOfAnyRange_data() {
    QTest::addColumn<qsizetype>("first");
    QTest::addColumn<qsizetype>("last");
    QTest::newRow("empty") << qsizetype(10) << qsizetype(10);
    QTest::newRow("one sample") << qsizetype(4095) << qsizetype(4096);
    QTest::newRow("within a block") << qsizetype(3) << qsizetype(60);
    QTest::newRow("one whole block") << qsizetype(64) << qsizetype(128);
    QTest::newRow("across levels, unaligned") << qsizetype(63) << qsizetype(270'001);
    QTest::newRow("everything") << qsizetype(0) << qsizetype(300'000);
    QTest::newRow("past the end") << qsizetype(299'990) << qsizetype(400'000);
    QTest::newRow("only the break") << qsizetype(150'000) << qsizetype(150'001);
}

void TestChartModel::storeFindsExtremesOfAnyRange() {
    QFETCH(qsizetype, first);
    QFETCH(qsizetype, last);
    SampleStore store;
    std::vector<double> values;
    for (qsizetype i = 0; i < 300'000; ++i) {
        values.push_back(i == 150'000 ? qQNaN() : double((i * 7919) % 100'003) - 50'000.0);
        store.AppendStepped(0.025, 0, 0, values.back());
    }
    SampleStore::Extremes expected;
    for (qsizetype i = first; i < std::min<qsizetype>(last, 300'000); ++i) {
        if (std::isnan(values[std::size_t(i)]))
            continue;
        const double v = values[std::size_t(i)];
        expected = expected.any ? SampleStore::Extremes{std::min(expected.min, v),
                                                        std::max(expected.max, v), true}
                                : SampleStore::Extremes{v, v, true};
    }
    const SampleStore::Extremes found = store.ExtremesIn(first, last);
    QCOMPARE(found.any, expected.any);
    if (expected.any) {
        QCOMPARE(found.min, expected.min);
        QCOMPARE(found.max, expected.max);
    }
    QCOMPARE(store.HasBreakIn(first, last), first <= 150'000 && last > 150'000);
}

// A run's times cost nothing: each sample is its value (plus a little for the extremes), and
// its time is still exactly where the run put it; a copy for a save shares the values.
void TestChartModel::steppedSamplesKeepOnlyTheirValues() {
    ChartModel model{FirstGauge()};
    constexpr int Count = 1'000'000;
    for (int i = 0; i < Count; ++i)
        model.AddSample(0.1, i % 977, false);
    const SampleStore& samples = model.Samples();
    QVERIFY(!samples.TimesKeptOneByOne());
    QVERIFY2(samples.MemoryBytes() <= qsizetype(Count) * 9,
             qPrintable(QString::number(double(samples.MemoryBytes()) / Count)));
    for (const int i : {0, 1, 12'345, Count - 1}) {
        QCOMPARE(samples.KeyAt(i), i * 0.1);
        QCOMPARE(samples.ValueAt(i), double(i % 977));
    }
    QCOMPARE(samples.LowerBound(12'345 * 0.1), qsizetype(12'345));
    QCOMPARE(samples.UpperBound(12'345 * 0.1), qsizetype(12'346));
    QCOMPARE(samples.LowerBound(-1), qsizetype(0));
    QCOMPARE(samples.UpperBound(1e12), qsizetype(Count));
    const SampleStore copy = samples;
    const SampleStore shared = samples.SharedSamples();
    model.AddSample(0.1, -5, false);
    for (const SampleStore* taken : {&copy, &shared}) {
        QCOMPARE(taken->size(), qsizetype(Count));
        QCOMPARE(taken->AllExtremes().max, 976.0);
        QCOMPARE(taken->ExtremesIn(5, 20).min, 5.0);
        QCOMPARE(taken->KeyAt(Count - 1), (Count - 1) * 0.1);
    }
    QCOMPARE(model.Samples().AllExtremes().min, -5.0);
}

// Times that follow no step (a file's own times) are kept one by one, in order.
void TestChartModel::unevenTimesAreKeptOneByOne() {
    SampleStore store;
    QList<double> keys;
    double key = 0;
    for (int i = 0; i < 5000; ++i) {
        key += 0.001 * (1 + (i * 31) % 7);
        keys << key;
        store.Append(key, i);
    }
    QVERIFY(store.TimesKeptOneByOne());
    QCOMPARE(Keys(store), keys);
    QCOMPARE(store.LowerBound(keys[2500]), qsizetype(2500));
    // Equal steps written one time at a time still take no room of their own.
    SampleStore even;
    for (int i = 0; i < 5000; ++i)
        even.Append(i * 0.5, i);
    QVERIFY(!even.TimesKeptOneByOne());
    QCOMPARE(even.KeyAt(4999), 4999 * 0.5);
}

void TestChartModel::samplesOutOfTimeOrder_data() {
    QTest::addColumn<QList<double>>("steps"); // one run of samples per step, one after another
    QTest::addColumn<int>("perRun");
    QTest::newRow("a second file with a smaller step") << QList<double>{1.0, 0.01} << 1000;
    QTest::newRow("a negative step") << QList<double>{-0.5} << 300;
    QTest::newRow("many small late batches") << QList<double>{1.0, 0.1, 0.01, 0.001} << 5000;
}

// However the times come, the series is in time order, and the extremes of each stretch are
// those of that order.
void TestChartModel::samplesOutOfTimeOrder() {
    QFETCH(QList<double>, steps);
    QFETCH(int, perRun);
    ChartModel model{FirstGauge()};
    QList<QPair<double, double>> expected;
    int n = 0;
    for (const double step : steps)
        for (int i = 0; i < perRun; ++i, ++n) {
            const double value = ((n * 7919) % 1000) - 500.0;
            model.AddSample(step, value, false);
            expected.append({n * step, value});
        }
    QCOMPARE(model.PointCount(), n);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const SampleStore& samples = model.Samples();
    QCOMPARE(samples.size(), n);
    for (int i = 0; i < n; ++i) {
        QCOMPARE(samples.KeyAt(i), expected[i].first);
        QCOMPARE(samples.ValueAt(i), expected[i].second);
    }
    const int block = SampleStore::ExtremesFanOut;
    for (int b = 0; b * block < n; ++b) {
        double low = expected[b * block].second;
        double high = low;
        for (int i = b * block; i < std::min(n, (b + 1) * block); ++i) {
            low = std::min(low, expected[i].second);
            high = std::max(high, expected[i].second);
        }
        const SampleStore::Extremes found = samples.ExtremesIn(b * block, (b + 1) * block);
        QCOMPARE(found.min, low);
        QCOMPARE(found.max, high);
    }
    // A run continued afterwards starts after the latest time, not after the last sample.
    QCOMPARE(model.LastX(), expected.last().first);
}

// A lost link leaves a gap: a point without a value breaks the line, the sample after it stands
// where it was placed, and nothing that measures the samples counts the break.
void TestChartModel::breakInTheLine_data() {
    QTest::addColumn<double>("placed");     // what the placement says for the first sample after
    QTest::addColumn<double>("breakAt");    // where the point without a value lands
    QTest::addColumn<double>("firstAfter"); // where the first sample after the gap lands
    QTest::newRow("seconds later") << 10.0 << 5.5 << 10.0;
    QTest::newRow("placed too early: one step after the last") << 0.2 << 1.25 << 1.5;
    QTest::newRow("no time known: one step after the last") << qQNaN() << 1.25 << 1.5;
}

void TestChartModel::breakInTheLine() {
    QFETCH(double, placed);
    QFETCH(double, breakAt);
    QFETCH(double, firstAfter);
    ChartModel model{FirstGauge()};
    for (const double v : {-1.0, 2.0, 3.0})
        model.AddSample(0.5, v, false);
    double askedStep = 0;
    model.BreakBeforeNext([&](double step) {
        askedStep = step;
        return placed;
    });
    QVERIFY(model.BreakPending());
    for (const double v : {-4.0, 5.0})
        model.AddSample(0.5, v, false);
    QVERIFY(!model.BreakPending());
    QCOMPARE(askedStep, 0.5);

    const SampleStore& samples = model.Samples();
    QCOMPARE(Keys(samples), (QList<double>{0, 0.5, 1.0, breakAt, firstAfter, firstAfter + 0.5}));
    QVERIFY(std::isnan(samples.ValueAt(3)));
    QCOMPARE(samples.ValueAt(4), -4.0);
    QCOMPARE(model.PointCount(), 6);
    // The statistics, the ranges and the peak know five samples.
    QCOMPARE(FirstGauge().SampleStats.Count, 5);
    QCOMPARE(FirstGauge().SampleStats.Min, -4.0);
    QCOMPARE(FirstGauge().SampleStats.Max, 5.0);
    QCOMPARE(FirstGauge().SampleStats.Sum, 5.0);
    QCOMPARE(FirstGauge().SampleStats.Average, 1.0);
    QCPRange keys;
    QCPRange values;
    QVERIFY(model.KeyRange(keys));
    QVERIFY(model.ValueRange(values));
    QCOMPARE(keys.lower, 0.0);
    QCOMPARE(keys.upper, firstAfter + 0.5);
    QCOMPARE(values.lower, -4.0);
    QCOMPARE(values.upper, 5.0);
    QPointF peak;
    QVERIFY(model.Peak(peak));
    QCOMPARE(peak, QPointF(firstAfter + 0.5, 5.0));
    // The chart's columns find the break, and extremes of the samples alone.
    QVERIFY(samples.HasBreakIn(0, 6));
    QVERIFY(!samples.HasBreakIn(4, 6));
    QCOMPARE(samples.ExtremesIn(0, 6).min, -4.0);
    QCOMPARE(samples.ExtremesIn(3, 4).any, false);
    // A run continued afterwards starts after the last sample; the break is taken once.
    ContinueAfterLastPoint(model);
    model.AddSample(0.5, 6, false);
    QCOMPARE(model.LastX(), firstAfter + 1.0);
    QCOMPARE(FirstGauge().SampleStats.Count, 6);

    // A break withdrawn before its sample leaves the line whole.
    FirstGauge().ChartTimeOffset = 0;
    FirstGauge().ChartIndexOffset = 0;
    ChartModel whole{FirstGauge()};
    whole.AddSample(1, 1, false);
    whole.BreakBeforeNext([](double) { return 100.0; });
    whole.BreakBeforeNext({});
    whole.AddSample(1, 2, false);
    QCOMPARE(Keys(whole.Samples()), (QList<double>{0, 1}));
}

void TestChartModel::manyAtOnceAsOneByOne_data() {
    QTest::addColumn<QList<Run>>("runs");
    QTest::addColumn<bool>("continued"); // each run after the last point, as a new run starts
    QList<double> wave;
    for (int i = 0; i < 1000; ++i)
        wave << ((i * 7919) % 1000) / 8.0 - 60.0;
    QTest::newRow("thresholds shown") << QList<Run>{{0.5, wave, true}} << false;
    QTest::newRow("a second file with a smaller step")
        << QList<Run>{{1.0, wave.mid(0, 300), false}, {0.01, wave, true}} << false;
    QTest::newRow("runs continued") << QList<Run>{{0.25, wave.mid(0, 70), true},
                                                  {0.25, wave.mid(70, 5), false},
                                                  {0.1, wave.mid(100), true}}
                                    << true;
}

// A data file goes into the chart a slice at a time: the chart, its overview, threshold lines,
// ranges, peak and statistics end as they would one sample at a time.
void TestChartModel::manyAtOnceAsOneByOne() {
    QFETCH(QList<Run>, runs);
    QFETCH(bool, continued);
    FirstGauge().LowThreshold = -20;
    FirstGauge().HighThreshold = 30;
    const auto feed = [&](ChartModel& model, bool atOnce) {
        FirstGauge().ResetSampleStats();
        FirstGauge().ChartTimeOffset = 0;
        FirstGauge().ChartIndexOffset = 0;
        for (const Run& run : runs) {
            if (continued)
                ContinueAfterLastPoint(model);
            if (atOnce) {
                const std::vector<double> values(run.Values.begin(), run.Values.end());
                model.AddSamples(run.SampleTime, values, run.Thresholds);
            } else {
                for (const double value : run.Values)
                    model.AddSample(run.SampleTime, value, run.Thresholds);
            }
        }
        return FirstGauge().SampleStats;
    };
    const auto points = [](const auto& container) {
        QList<QPointF> list;
        for (auto it = container.constBegin(); it != container.constEnd(); ++it)
            list << QPointF(it->key, it->value);
        return list;
    };

    ChartModel single{FirstGauge()};
    const SampleStatistics one = feed(single, false);
    ChartModel bulk{FirstGauge()};
    QSignalSpy added(&bulk, &ChartModel::SampleAdded);
    const SampleStatistics many = feed(bulk, true);
    QCOMPARE(added.count(), runs.size());

    QCOMPARE(points(bulk.Samples()), points(single.Samples()));
    QCOMPARE(points(*bulk.LowLine()), points(*single.LowLine()));
    QCOMPARE(points(*bulk.HighLine()), points(*single.HighLine()));
    QCPRange bulkRange;
    QCPRange singleRange;
    QVERIFY(bulk.KeyRange(bulkRange) && single.KeyRange(singleRange));
    QCOMPARE(bulkRange, singleRange);
    QVERIFY(bulk.ValueRange(bulkRange) && single.ValueRange(singleRange));
    QCOMPARE(bulkRange, singleRange);
    QPointF bulkPeak;
    QPointF singlePeak;
    QVERIFY(bulk.Peak(bulkPeak) && single.Peak(singlePeak));
    QCOMPARE(bulkPeak, singlePeak);
    QCOMPARE(bulk.LastX(), single.LastX());
    QCOMPARE(many.Count, one.Count);
    QCOMPARE(many.Min, one.Min);
    QCOMPARE(many.Max, one.Max);
    QCOMPARE(many.Sum, one.Sum);
    QCOMPARE(many.Average, one.Average);
}

QTEST_GUILESS_MAIN(TestChartModel)
#include "tst_chartmodel.moc"
