// The results database with 1,000 tests of 10,000 samples each (50 series of 20): storing one
// more test with its samples, listing the series and opening one, in SQLite. Then a test of
// 70,000,000 samples, more than one value of the database may hold, stored and read back.
// Prints the times against the figures the program must keep, and the peak memory.
#include "storage/results/ResultsDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Series = 50;
constexpr int TestsPerSeries = 20;
constexpr int Samples = 10'000;
constexpr double StoreLimitMs = 50;
constexpr double OpenLimitMs = 300;
// Past the 62,500,000 samples that one value of 1,000,000,000 bytes holds.
constexpr qsizetype LongSamples = 70'000'000;
constexpr double LongStoreLimitMs = 30'000;
constexpr double LongLoadLimitMs = 30'000;

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

// The process's peak resident memory so far, in MiB.
double PeakMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0.0;
}

// A day's run at the top rate, in a database of its own: stored in pieces and read back whole.
bool LongTest(const QString& path) {
    DatabaseSettings settings;
    settings.Path = path;
    ResultsDatabase database(QStringLiteral("bench-long"));
    QString error;
    if (!database.Open(settings, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    std::optional<TestRecord> record;
    {
        QList<QPointF> samples;
        samples.reserve(LongSamples);
        for (qsizetype i = 0; i < LongSamples; ++i)
            samples.append(QPointF(i * 0.001, std::round(500.0 * std::sin(i * 1e-5) * 100) / 100));
        TestContext context;
        context.Start = QDateTime::currentDateTime();
        context.Unit = QStringLiteral("N");
        context.SampleTime = 0.001;
        record = TestRecord::Make(context, samples);
    }
    record->Key = QUuid::createUuid();
    record->Name = QStringLiteral("Długi");
    const double madeMiB = PeakMiB();
    const QUuid seriesKey = QUuid::createUuid();
    QElapsedTimer clock;
    clock.start();
    if (!database.Store(seriesKey, QStringLiteral("Doba"), *record, &error)) {
        std::fprintf(stderr, "storing the long test failed: %s\n", qPrintable(error));
        return false;
    }
    const double storeMs = clock.nsecsElapsed() / 1e6;
    clock.start();
    const auto loaded = database.Load(seriesKey, &error);
    const double loadMs = clock.nsecsElapsed() / 1e6;
    if (!loaded || loaded->size() != 1 || loaded->front().Samples != record->Samples) {
        std::fprintf(stderr, "reading the long test back failed: %s\n", qPrintable(error));
        return false;
    }
    std::printf("a test of %lld samples (%.0f MiB of samples, file %.0f MiB):\n",
                static_cast<long long>(LongSamples), LongSamples * 16 / 1048576.0,
                QFile(path).size() / 1048576.0);
    Report("    storing it", storeMs, LongStoreLimitMs);
    Report("    reading it back", loadMs, LongLoadLimitMs);
    std::printf("    peak memory: %.0f MiB (%.0f MiB with the test made, before storing)\n",
                PeakMiB(), madeMiB);
    return true;
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
    database.Close();

    return LongTest(dir.filePath(QStringLiteral("long.sqlite"))) ? 0 : 1;
}
