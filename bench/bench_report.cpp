// The PDF report of a series of 10 tests of 10,000 samples each, and of one such test, as a
// worker thread would write it. Prints the best time of a few rounds, the file sizes and
// whether the series stays within its target. Given a folder, keeps the reports there to be
// looked at.
#include "series/TestRecord.h"
#include "storage/export/TestReport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

constexpr int RecordCount = 10;
constexpr int SampleCount = 10'000;
constexpr int Rounds = 3;
constexpr std::chrono::milliseconds SeriesTarget{1000};

// A pull test: a noisy ramp up to its peak, the sample giving way, then a slow decay.
TestRecord Pull(int number, QRandomGenerator& random) {
    TestContext context;
    context.Start = QDateTime(QDate(2024, 5, 6), QTime(8, 0)).addSecs(number * 90);
    context.Model = QStringLiteral("FM-500");
    context.SerialNumber = QStringLiteral("40211");
    context.Unit = QStringLiteral("N");
    context.SampleTime = 0.001;
    context.Limits = Tolerance{380.0, 460.0};
    context.Operator = QStringLiteral("Łucja Wąs");
    context.Part = QStringLiteral("Partia 17/B");
    const double peak = 400.0 + 12.0 * number;
    QList<QPointF> samples;
    samples.reserve(SampleCount);
    for (int i = 0; i < SampleCount; ++i) {
        const double share = double(i) / SampleCount;
        const double force = share < 0.6 ? peak * share / 0.6 : peak * std::exp(-(share - 0.6) * 8);
        samples.append(
            QPointF(i * context.SampleTime, force + random.generateDouble() * 4.0 - 2.0));
    }
    std::optional<TestRecord> record = TestRecord::Make(context, samples);
    record->Name = QStringLiteral("Test %1").arg(number);
    return *record;
}

// The best of the rounds in milliseconds, and the file's size; a negative time when it failed.
double BestMilliseconds(const QString& path, const ReportContent& content, qint64& bytes) {
    double best = 1e300;
    for (int round = 0; round < Rounds; ++round) {
        QString error;
        QElapsedTimer timer;
        timer.start();
        if (!TestReport::Write(path, content, &error)) {
            std::printf("  failed: %s\n", qPrintable(error));
            return -1.0;
        }
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    bytes = QFileInfo(path).size();
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();

    QRandomGenerator random(1);
    ReportContent series;
    series.Title = QStringLiteral("Seria sprężyn");
    series.Limits = Tolerance{380.0, 460.0};
    series.Station = QStringLiteral("stanowisko-3");
    series.Printed = QDateTime::currentDateTime();
    for (int i = 1; i <= RecordCount; ++i)
        series.Records.append(Pull(i, random));
    ReportContent single = series;
    single.Title = series.Records.front().Name;
    single.Records = {series.Records.front()};

    std::printf("PDF report, best of %d rounds\n", Rounds);
    qint64 bytes = 0;
    const double seriesTime =
        BestMilliseconds(QDir(folder).filePath(QStringLiteral("series.pdf")), series, bytes);
    const double target = double(SeriesTarget.count());
    std::printf("  series of %d tests x %d samples: %8.1f ms, %lld bytes (target <= %.0f ms) %s\n",
                RecordCount, SampleCount, seriesTime, static_cast<long long>(bytes), target,
                seriesTime >= 0 && seriesTime <= target ? "ok" : "SLOW");
    const double singleTime =
        BestMilliseconds(QDir(folder).filePath(QStringLiteral("test.pdf")), single, bytes);
    std::printf("  one test of %d samples:          %8.1f ms, %lld bytes\n", SampleCount,
                singleTime, static_cast<long long>(bytes));
    return seriesTime >= 0 && singleTime >= 0 ? 0 : 1;
}
