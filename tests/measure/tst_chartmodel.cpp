// AddSample: X values, threshold points, running statistics and their label texts.
#include "measure/ChartModel.h"
#include "state/Global.h"

#include <QLocale>
#include <QTest>

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

QTEST_GUILESS_MAIN(TestChartModel)
#include "tst_chartmodel.moc"
