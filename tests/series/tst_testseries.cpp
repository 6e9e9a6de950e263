// Test records, verdicts and the statistics of a series.
#include "series/TestCsv.h"
#include "series/TestSeries.h"

#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
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
    void cleanup() { QLocale::setDefault(QLocale::c()); }

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
        QTest::addColumn<QList<QPointF>>("gaps"); // start, end

        // A run continues the chart: its times start wherever the last one ended.
        QTest::newRow("pull, within the band")
            << Points(12.0, 0.5, {1, 5, 9, 4}) << Limits(Tolerance{8, 10}) << 4 << 1.5 << 1.0 << 9.0
            << 4.75 << 9.0 << 1.0 << Verdict::Pass << QList<QPointF>{};
        QTest::newRow("push: the peak keeps its sign")
            << Points(0, 0.1, {-1, -7, 3}) << Limits(Tolerance{-8, -6}) << 3 << 0.2 << -7.0 << 3.0
            << -5.0 / 3 << -7.0 << 0.1 << Verdict::Pass << QList<QPointF>{};
        QTest::newRow("on the upper threshold passes")
            << Points(0, 1, {2, 10}) << Limits(Tolerance{8, 10}) << 2 << 1.0 << 2.0 << 10.0 << 6.0
            << 10.0 << 1.0 << Verdict::Pass << QList<QPointF>{};
        QTest::newRow("above the band fails")
            << Points(0, 1, {2, 10.01}) << Limits(Tolerance{8, 10}) << 2 << 1.0 << 2.0 << 10.01
            << 6.005 << 10.01 << 1.0 << Verdict::Fail << QList<QPointF>{};
        QTest::newRow("below the band fails")
            << Points(0, 1, {2, 7.99}) << Limits(Tolerance{8, 10}) << 2 << 1.0 << 2.0 << 7.99
            << 4.995 << 7.99 << 1.0 << Verdict::Fail << QList<QPointF>{};
        QTest::newRow("no thresholds, no verdict")
            << Points(0, 1, {3}) << Limits() << 1 << 0.0 << 3.0 << 3.0 << 3.0 << 3.0 << 0.0
            << Verdict::None << QList<QPointF>{};
        QTest::newRow("equal magnitudes: the first is the peak")
            << Points(0, 1, {0, 5, -5}) << Limits() << 3 << 2.0 << -5.0 << 5.0 << 0.0 << 5.0 << 1.0
            << Verdict::None << QList<QPointF>{};
        QTest::newRow("values that are not numbers are left out")
            << QList<QPointF>{{0, NaN}, {1, 4}, {2, Inf}, {NaN, 9}, {3, 2}} << Limits() << 2 << 2.0
            << 2.0 << 4.0 << 3.0 << 4.0 << 0.0 << Verdict::None << QList<QPointF>{{0, 2}};
        // The chart marks a lost link by a point without a value; one before the first sample
        // or after the last is no gap.
        QTest::newRow("a run with gaps")
            << QList<QPointF>{{5, NaN},  {10, 1},   {10.5, 2}, {12, NaN}, {20, 3},
                              {20.5, 4}, {21, NaN}, {30, 5},   {31, NaN}}
            << Limits() << 5 << 20.0 << 1.0 << 5.0 << 3.0 << 5.0 << 20.0 << Verdict::None
            << QList<QPointF>{{0.5, 10}, {10.5, 20}};
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
        QList<QPointF> gaps;
        for (const TestGap& gap : record->Gaps)
            gaps << QPointF(gap.Start, gap.End);
        QTEST(gaps, "gaps");
        QCOMPARE(record->Samples.size(), record->SampleCount);
        QCOMPARE(record->Samples.front().x(), 0.0);
    }

    void gapNote_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QList<QPointF>>("gaps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no gap: the note as it was")
            << QLocale::c() << "próbka 7" << QList<QPointF>{} << "próbka 7";
        QTest::newRow("a gap, no note") << QLocale::c() << "" << QList<QPointF>{{1.4, 6.6}}
                                        << "Przerwa w połączeniu z miernikiem: 1.4–6.6 s";
        QTest::newRow("two gaps after the note, Polish numbers")
            << QLocale(QLocale::Polish) << "próbka 7" << QList<QPointF>{{1.4, 6.6}, {1234.5, 1300}}
            << "próbka 7\nPrzerwa w połączeniu z miernikiem: 1,4–6,6 s; 1234,5–1300 s";
    }
    void gapNote() {
        QFETCH(QLocale, locale);
        QFETCH(QString, note);
        QFETCH(QList<QPointF>, gaps);
        QLocale::setDefault(locale);
        QList<TestGap> spans;
        for (const QPointF& gap : gaps)
            spans << TestGap{gap.x(), gap.y()};
        QTEST(TestTexts::NoteWithGaps(note, spans), "expected");
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
        const QUuid second = series.Key();

        // A series opened again after deletions: its tests, its key, and new names that do
        // not repeat the ones it holds.
        QSignalSpy removed(&series, &TestSeries::RecordsRemoved);
        series.Remove({0});
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.first().at(0).value<QList<QUuid>>().size(), 1);
        QList<TestRecord> stored{RecordWithPeak(1, Verdict::None),
                                 RecordWithPeak(2, Verdict::None)};
        stored[0].Name = QStringLiteral("Test 1");
        stored[1].Name = QStringLiteral("Test 3");
        const QUuid earlier = QUuid::createUuid();
        series.Load(earlier, QStringLiteral("Partia 1"), stored);
        QCOMPARE(series.Key(), earlier);
        QVERIFY(series.Key() != second);
        series.Add(RecordWithPeak(4, Verdict::None));
        QCOMPARE(series.Records().back().Name, QStringLiteral("Test 4"));
        QVERIFY(!series.Records().back().Key.isNull());
    }

    void csvField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("field");

        QTest::newRow("plain") << "Test 1" << QByteArray("Test 1");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("comma") << "a,b" << QByteArray("\"a,b\"");
        QTest::newRow("quote") << "12\" pipe" << QByteArray("\"12\"\" pipe\"");
        QTest::newRow("only quotes") << "\"\"" << QByteArray("\"\"\"\"\"\"");
        QTest::newRow("CR") << "a\rb" << QByteArray("\"a\rb\"");
        QTest::newRow("LF") << "a\nb" << QByteArray("\"a\nb\"");
        QTest::newRow("CRLF") << "a\r\nb" << QByteArray("\"a\r\nb\"");
        // Blanks are part of the field: neither quoted nor trimmed.
        QTest::newRow("leading and trailing spaces") << "  a b  " << QByteArray("  a b  ");
        QTest::newRow("semicolon and tab stay") << "a;b\tc" << QByteArray("a;b\tc");
        QTest::newRow("non-ASCII in UTF-8")
            << "Łódź, Żółć"
            << QByteArray("\"\xc5\x81\xc3\xb3"
                          "d\xc5\xba, \xc5\xbb\xc3\xb3\xc5\x82\xc4\x87\"");
    }

    void csvField() {
        QFETCH(QString, text);
        QTEST(TestCsv::Field(text), "field");
    }

    void csvSamples_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QByteArray>("header");

        QTest::newRow("C") << QLocale::c() << "N" << QByteArray("time [s],value [N]\r\n");
        QTest::newRow("Polish: still a point")
            << QLocale(QLocale::Polish) << "N" << QByteArray("time [s],value [N]\r\n");
        QTest::newRow("German, torque unit")
            << QLocale(QLocale::German) << "N*m" << QByteArray("time [s],value [N*m]\r\n");
        QTest::newRow("unit with a comma is quoted")
            << QLocale::c() << "a,b" << QByteArray("time [s],\"value [a,b]\"\r\n");
    }

    // Every number is the shortest text that reads back to the same double, with ".".
    void csvSamples() {
        QFETCH(QLocale, locale);
        QFETCH(QString, unit);
        QFETCH(QByteArray, header);
        QLocale::setDefault(locale);
        TestContext context;
        context.Unit = unit;
        const QList<QPointF> samples{{3.0, 1.5},        {3.1, -12.25}, {3.2, 1e-7},
                                     {3.3, 123456.789}, {3.4, -0.0},   {3.5, 1234567.0}};
        const std::optional<TestRecord> record = TestRecord::Make(context, samples);
        QVERIFY(record);
        const QByteArray csv = TestCsv::Samples(*record);
        QVERIFY(csv.startsWith(header));
        const QList<QByteArray> lines = csv.mid(header.size()).split('\n');
        QCOMPARE(lines.size(), samples.size() + 1);
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[0], QByteArray("0,1.5\r"));
        QCOMPARE(lines[3], QByteArray("0.2999999999999998,123456.789\r"));
        QCOMPARE(lines[5], QByteArray("0.5,1234567\r"));
        for (qsizetype i = 0; i < samples.size(); ++i) {
            const QList<QByteArray> fields = lines[i].chopped(1).split(',');
            QCOMPARE(fields.size(), 2);
            bool timeOk = false;
            bool valueOk = false;
            QCOMPARE(fields[0].toDouble(&timeOk), record->Samples[i].x());
            QCOMPARE(fields[1].toDouble(&valueOk), samples[i].y());
            QVERIFY(timeOk && valueOk);
        }
    }

    void csvTable_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("Polish") << QLocale(QLocale::Polish);
    }

    void csvTable() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        TestContext judged;
        judged.Origin = TestOrigin::Run;
        judged.Start = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
        judged.Model = QStringLiteral("FM-500");
        judged.SerialNumber = QStringLiteral("12345");
        judged.Unit = QStringLiteral("N");
        judged.SampleTime = 0.5;
        judged.Limits = Tolerance{8, 10.5};
        judged.Operator = QStringLiteral("Łukasz Żółć");
        judged.Part = QStringLiteral("P-7");
        judged.Note = QStringLiteral("pęknięcie, druga\nlinia");
        std::optional<TestRecord> first = TestRecord::Make(judged, Points(2, 0.5, {1, 5, 9.5, 4}));
        QVERIFY(first);
        first->Name = QStringLiteral("Próba \"A\"");
        TestContext plain;
        plain.Origin = TestOrigin::Download;
        plain.Unit = QStringLiteral("kgf");
        std::optional<TestRecord> second = TestRecord::Make(plain, Points(0, 0.25, {-2, -3}));
        QVERIFY(second);
        second->Name = QStringLiteral("Test 2");

        const QList<QByteArray> lines = TestCsv::Table({*first, *second}).split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[4].isEmpty());
        QCOMPARE(lines[0], QByteArray("name,start,origin,model,serial number,unit,samples,"
                                      "sample time [s],duration [s],min,max,mean,peak,"
                                      "peak time [s],verdict,lower threshold,upper threshold,"
                                      "operator,part,note\r"));
        // The note's line end is inside its quotes: the record goes on in the next line.
        QCOMPARE(lines[1] + '\n' + lines[2],
                 QByteArray(
                     "\"Pr\xc3\xb3"
                     "ba \"\"A\"\"\",2024-05-06T07:08:09,run,FM-500,12345,N,4,0.5,1.5,"
                     "1,9.5,4.875,9.5,1,pass,8,10.5,\xc5\x81ukasz \xc5\xbb\xc3\xb3\xc5\x82\xc4\x87,"
                     "P-7,\"p\xc4\x99kni\xc4\x99"
                     "cie, druga\nlinia\"\r"));
        // Without thresholds: no verdict and both thresholds empty, not zero.
        QCOMPARE(lines[3],
                 QByteArray("Test 2,,download,,,kgf,2,0,0.25,-3,-2,-2.5,-3,0.25,,,,,,\r"));
    }

    void csvSaveWritesOrReports() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("seria.csv"));
        QString error;
        QVERIFY(TestCsv::Save(path, "a,b\r\n", &error));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("a,b\r\n"));
        const QString missing = dir.filePath(QStringLiteral("brak/seria.csv"));
        QVERIFY(!TestCsv::Save(missing, "x", &error));
        QVERIFY2(error.contains(QStringLiteral("seria.csv")), qPrintable(error));
        QVERIFY(!QFile::exists(missing));
        // A folder in the file's place is no file to write.
        error.clear();
        QVERIFY(!TestCsv::Save(dir.path(), "x", &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTestSeries)
#include "tst_testseries.moc"
