// AddSample: X values, threshold points, running statistics and their label texts.
#include "measure/ChartModel.h"
#include "state/Global.h"

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

QList<double> Keys(const ChartModel::Container& container) {
    QList<double> keys;
    for (auto it = container.constBegin(); it != container.constEnd(); ++it)
        keys << it->key;
    return keys;
}

// What a new run does before its first sample: continue after the last point.
void ContinueAfterLastPoint(const ChartModel& model) {
    Global.ChartTimeOffset = 0;
    Global.ChartIndexOffset = 0;
    if (model.PointCount() > 0) {
        Global.ChartTimeOffset = model.LastX();
        Global.ChartIndexOffset = model.PointCount() - 1;
    }
}

} // namespace

class TestChartModel : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Global = SharedState{};
        QLocale::setDefault(QLocale::c());
    }

    void statistics_data();
    void statistics();
    void labelsUnderCommaLocale();
    void xValuesContinueAcrossRuns();
    void thresholdPointsStandOneStepRight();
    void thresholdLineSpansAGap();
    void clearEmptiesTheSeries();
    void overviewKeepsEachBlocksExtremes();
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
    Global.SampleStats.Min = -100;
    Global.SampleStats.Max = 100;
    ChartModel model;
    for (const double v : values)
        model.AddSample(1.0, v, false);
    const ChartModel::StatTexts t = ChartModel::TextsFor(Global.SampleStats, QStringLiteral("N"));
    QCOMPARE((QStringList{t.Count, t.Min, t.Max, t.Sum, t.Average}), texts);
}

void TestChartModel::labelsUnderCommaLocale() {
    QLocale::setDefault(QLocale(QLocale::German));
    ChartModel model;
    model.AddSample(1, 1.5, false);
    model.AddSample(1, 2.25, false);
    const auto t = ChartModel::TextsFor(Global.SampleStats, QStringLiteral("kg"));
    QCOMPARE(t.Sum, QStringLiteral("3,75 kg"));
    QCOMPARE(t.Average, QStringLiteral("1,875 kg"));
    Global.ResetSampleStats();
    QCOMPARE(ChartModel::TextsFor(Global.SampleStats, QStringLiteral("kg")).Min,
             QStringLiteral("---"));
}

void TestChartModel::xValuesContinueAcrossRuns() {
    ChartModel model;
    for (const Run& run : {Run{0.5, {1, 2, 3}}, Run{0.25, {4, 5}}, Run{1.0, {6}}}) {
        ContinueAfterLastPoint(model);
        for (const double v : run.Values)
            model.AddSample(run.SampleTime, v, run.Thresholds);
    }
    QCOMPARE(Keys(*model.Samples()), (QList<double>{0, 0.5, 1.0, 1.25, 1.5, 2.5}));
    QCOMPARE(Global.SampleStats.Count, 6);
    QCPRange keys;
    QVERIFY(model.KeyRange(keys));
    QCOMPARE(keys.upper, 2.5);
}

void TestChartModel::thresholdPointsStandOneStepRight() {
    Global.LowThreshold = 99;
    Global.HighThreshold = 101;
    ChartModel model;
    for (const double v : {100.0, 100.5, 99.5})
        model.AddSample(0.5, v, true);
    QCOMPARE(Keys(*model.Samples()), (QList<double>{0, 0.5, 1.0}));
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
    Global.LowThreshold = 1;
    Global.HighThreshold = 2;
    ChartModel model;
    model.AddSample(1, 0, true);
    model.AddSample(1, 0, false);
    model.AddSample(1, 0, false);
    Global.LowThreshold = 3; // thresholds of a later run
    model.AddSample(1, 0, true);
    model.AddSample(1, 0, true);
    QCOMPARE(Keys(*model.LowLine()), (QList<double>{1, 4, 5}));
    QCOMPARE((model.LowLine()->constEnd() - 1)->value, 3.0);
    QCOMPARE(model.LowLine()->constBegin()->value, 1.0);
}

void TestChartModel::clearEmptiesTheSeries() {
    ChartModel model;
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

void TestChartModel::overviewKeepsEachBlocksExtremes() {
    ChartModel model;
    const int block = ChartModel::OverviewBlock;
    const int samples = block * 3 + 5; // a partial block at the end
    QList<double> values;
    for (int i = 0; i < samples; ++i)
        values << ((i * 7919) % 1000) - 500.0;
    for (const double v : values)
        model.AddSample(0.1, v, false);
    const ChartModel::Container& overview = *model.Overview();
    QCOMPARE(overview.size(), 2 * 4);
    double previousKey = -1;
    for (int b = 0; b < 4; ++b) {
        const QList<double> part = values.mid(b * block, block);
        const auto first = overview.at(2 * b);
        const auto second = overview.at(2 * b + 1);
        QVERIFY(first->key <= second->key);
        QVERIFY(first->key >= previousKey);
        previousKey = second->key;
        QCOMPARE(std::min(first->value, second->value),
                 *std::min_element(part.begin(), part.end()));
        QCOMPARE(std::max(first->value, second->value),
                 *std::max_element(part.begin(), part.end()));
    }
}

void TestChartModel::samplesOutOfTimeOrder_data() {
    QTest::addColumn<QList<double>>("steps"); // one run of samples per step, one after another
    QTest::addColumn<int>("perRun");
    QTest::newRow("a second file with a smaller step") << QList<double>{1.0, 0.01} << 1000;
    QTest::newRow("a negative step") << QList<double>{-0.5} << 300;
    QTest::newRow("many small late batches") << QList<double>{1.0, 0.1, 0.01, 0.001} << 5000;
}

// However the times come, the series is in time order, and the overview holds each block's
// extremes of that order.
void TestChartModel::samplesOutOfTimeOrder() {
    QFETCH(QList<double>, steps);
    QFETCH(int, perRun);
    ChartModel model;
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
    const ChartModel::Container& samples = *model.Samples();
    QCOMPARE(samples.size(), n);
    for (int i = 0; i < n; ++i) {
        QCOMPARE(samples.at(i)->key, expected[i].first);
        QCOMPARE(samples.at(i)->value, expected[i].second);
    }
    const ChartModel::Container& overview = *model.Overview();
    const int block = ChartModel::OverviewBlock;
    QCOMPARE(overview.size(), 2 * ((n + block - 1) / block));
    for (int b = 0; b * block < n; ++b) {
        double low = expected[b * block].second;
        double high = low;
        for (int i = b * block; i < std::min(n, (b + 1) * block); ++i) {
            low = std::min(low, expected[i].second);
            high = std::max(high, expected[i].second);
        }
        const auto first = overview.at(2 * b);
        const auto second = overview.at(2 * b + 1);
        QVERIFY(first->key <= second->key);
        QCOMPARE(std::min(first->value, second->value), low);
        QCOMPARE(std::max(first->value, second->value), high);
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
    ChartModel model;
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

    const ChartModel::Container& samples = *model.Samples();
    QCOMPARE(Keys(samples), (QList<double>{0, 0.5, 1.0, breakAt, firstAfter, firstAfter + 0.5}));
    QVERIFY(std::isnan(samples.at(3)->value));
    QCOMPARE(samples.at(4)->value, -4.0);
    QCOMPARE(model.PointCount(), 6);
    // The statistics, the ranges and the peak know five samples.
    QCOMPARE(Global.SampleStats.Count, 5);
    QCOMPARE(Global.SampleStats.Min, -4.0);
    QCOMPARE(Global.SampleStats.Max, 5.0);
    QCOMPARE(Global.SampleStats.Sum, 5.0);
    QCOMPARE(Global.SampleStats.Average, 1.0);
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
    // The overview breaks there too, and its blocks hold samples of one side only.
    const ChartModel::Container& overview = *model.Overview();
    QCOMPARE(overview.size(), 5);
    QVERIFY(std::isnan(overview.at(2)->value));
    QCOMPARE(overview.at(2)->key, breakAt);
    QCOMPARE(std::min(overview.at(3)->value, overview.at(4)->value), -4.0);
    // A run continued afterwards starts after the last sample; the break is taken once.
    ContinueAfterLastPoint(model);
    model.AddSample(0.5, 6, false);
    QCOMPARE(model.LastX(), firstAfter + 1.0);
    QCOMPARE(Global.SampleStats.Count, 6);

    // A break withdrawn before its sample leaves the line whole.
    Global.ChartTimeOffset = 0;
    Global.ChartIndexOffset = 0;
    ChartModel whole;
    whole.AddSample(1, 1, false);
    whole.BreakBeforeNext([](double) { return 100.0; });
    whole.BreakBeforeNext({});
    whole.AddSample(1, 2, false);
    QCOMPARE(Keys(*whole.Samples()), (QList<double>{0, 1}));
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
    Global.LowThreshold = -20;
    Global.HighThreshold = 30;
    const auto feed = [&](ChartModel& model, bool atOnce) {
        Global.ResetSampleStats();
        Global.ChartTimeOffset = 0;
        Global.ChartIndexOffset = 0;
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
        return Global.SampleStats;
    };
    const auto points = [](const ChartModel::Container& container) {
        QList<QPointF> list;
        for (auto it = container.constBegin(); it != container.constEnd(); ++it)
            list << QPointF(it->key, it->value);
        return list;
    };

    ChartModel single;
    const SampleStatistics one = feed(single, false);
    ChartModel bulk;
    QSignalSpy added(&bulk, &ChartModel::SampleAdded);
    const SampleStatistics many = feed(bulk, true);
    QCOMPARE(added.count(), runs.size());

    QCOMPARE(points(*bulk.Samples()), points(*single.Samples()));
    QCOMPARE(points(*bulk.Overview()), points(*single.Overview()));
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
