// The results database with 1,000 tests of 10,000 samples each (50 series of 20): storing one
// more test with its samples, listing the series and opening one, in SQLite. Prints the times
// against the figures the program must keep.
#include "storage/results/ResultsDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Series = 50;
constexpr int TestsPerSeries = 20;
constexpr int Samples = 10'000;
constexpr double StoreLimitMs = 50;
constexpr double OpenLimitMs = 300;

TestRecord Record(int number) {
    TestContext context;
    context.Start = QDateTime::currentDateTime().addSecs(number);
    context.Model = QStringLiteral("FM-500");
    context.Unit = QStringLiteral("N");
    context.SampleTime = 0.025;
    context.Limits = Tolerance{90.0, 110.0};
    QList<QPointF> samples;
    samples.reserve(Samples);
    for (int i = 0; i < Samples; ++i)
        samples.append(QPointF(
            i * 0.025, std::round((100.0 + number % 7) * std::sin(i * 0.0003) * 100) / 100));
    TestRecord record = *TestRecord::Make(context, samples);
    record.Key = QUuid::createUuid();
    record.Name = QStringLiteral("Test %1").arg(number);
    return record;
}

void Report(const char* what, double ms, double limitMs) {
    std::printf("%s: %.1f ms (limit %.0f ms: %s, ratio %.2f)\n", what, ms, limitMs,
                ms <= limitMs ? "ok" : "TOO SLOW", ms / limitMs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    DatabaseSettings settings;
    settings.Path = dir.filePath(QStringLiteral("results.sqlite"));
    ResultsDatabase database(QStringLiteral("bench"));
    QString error;
    if (!database.Open(settings, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    QList<QUuid> series;
    double worstStore = 0;
    for (int s = 0; s < Series; ++s) {
        series.append(QUuid::createUuid());
        for (int t = 0; t < TestsPerSeries; ++t) {
            const TestRecord record = Record(s * TestsPerSeries + t);
            QElapsedTimer one;
            one.start();
            if (!database.Store(series.back(), QStringLiteral("Seria %1").arg(s), record, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            worstStore = std::max(worstStore, one.nsecsElapsed() / 1e6);
        }
    }
    std::printf("filled: %d tests of %d samples in %.1f s\n", Series * TestsPerSeries, Samples,
                clock.elapsed() / 1000.0);

    const TestRecord extra = Record(Series * TestsPerSeries);
    clock.start();
    database.Store(series.front(), QStringLiteral("Seria 0"), extra, &error);
    Report("storing one test into 1000", clock.nsecsElapsed() / 1e6, StoreLimitMs);
    std::printf("    the slowest store while filling: %.1f ms\n", worstStore);

    clock.start();
    const auto listed = database.Series(&error);
    const double listMs = clock.nsecsElapsed() / 1e6;
    clock.start();
    const auto loaded = database.Load(series[Series / 2], &error);
    const double loadMs = clock.nsecsElapsed() / 1e6;
    if (!listed || !loaded || loaded->size() != TestsPerSeries) {
        std::fprintf(stderr, "reading back failed: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("listing %d series: %.1f ms; opening one of %d tests: %.1f ms\n",
                int(listed->size()), listMs, TestsPerSeries, loadMs);
    Report("opening a series (list and load)", listMs + loadMs, OpenLimitMs);
    return 0;
}
