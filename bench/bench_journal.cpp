// The run journal under load: one hour of the fastest gauge (144,000 values at 0.025 s) and
// 10,000,000 values, appended as fast as they can be. Ingestion into the run's samples with
// and without the journal gives the cost of Append per value; the time until everything is
// on the disk gives the writer's throughput, against the gauge's rate and against saving the
// same values as a data file. Prints the figures and their ratios.
#include "storage/DataFile.h"
#include "storage/RunJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QList>
#include <QPointF>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

constexpr double SampleTime = 0.025;
constexpr double FastestGaugeValuesPerSecond = 1.0 / SampleTime;
constexpr int Rounds = 3;

double Value(int i) {
    // Gauge-like readings with two decimals, now and then a tiny one written with an exponent.
    const double reading = std::round(std::sin(i * 0.001) * 50000.0) / 100.0;
    return i % 97 == 0 ? reading * 1e-9 : reading;
}

// What the window keeps of a run: its samples as points of the chart and of the data file.
double IngestMs(int count, RunJournal* journal) {
    QList<QPointF> samples;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        const double value = Value(i);
        samples.append(QPointF(i * SampleTime, value));
        if (journal)
            journal->Append(value);
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    if (samples.size() != count)
        std::printf("  !! kept %lld of %d samples\n", static_cast<long long>(samples.size()),
                    count);
    return ms;
}

struct Figures {
    double WithoutMs = 0;
    double WithMs = 0;
    double OnDiskMs = 0; // from the first Append until Flush returned
    double SaveMs = 0;
    qint64 Bytes = 0;
};

Figures Measure(int count, const QString& folder) {
    Figures best;
    best.WithoutMs = best.WithMs = best.OnDiskMs = best.SaveMs = 1e300;
    const QStringList header =
        DataFile::NewHeader({"FAST", "AUTO", "newton 'N'", "0.025"}, 0, QStringLiteral("0.025"));
    for (int round = 0; round < Rounds; ++round) {
        best.WithoutMs = std::min(best.WithoutMs, IngestMs(count, nullptr));

        RunJournal journal;
        const QString path = journal.Begin(header, folder);
        journal.Flush();
        QElapsedTimer clock;
        clock.start();
        best.WithMs = std::min(best.WithMs, IngestMs(count, &journal));
        journal.Flush();
        best.OnDiskMs = std::min(best.OnDiskMs, clock.nsecsElapsed() / 1e6);
        best.Bytes = QFileInfo(path).size();
        const DataFileContents back = DataFile::Read(path);
        if (qsizetype(back.Values.size()) != count || back.Values.back() != Value(count - 1))
            std::printf("  !! the journal holds %lld of %d values\n",
                        static_cast<long long>(back.Values.size()), count);
        journal.Finish(true);

        QList<QPointF> points;
        points.reserve(count);
        for (int i = 0; i < count; ++i)
            points.append(QPointF(i * SampleTime, Value(i)));
        QStringList saveHeader;
        clock.start();
        const QString error = DataFile::Save(QDir(folder).filePath("saved.txt"), saveHeader,
                                             {"FAST", "AUTO", "newton 'N'", "0.025"}, points);
        best.SaveMs = std::min(best.SaveMs, clock.nsecsElapsed() / 1e6);
        if (!error.isEmpty())
            std::printf("  !! %s\n", qPrintable(error));
    }
    return best;
}

void Report(const char* name, int count, const QString& folder) {
    const Figures f = Measure(count, folder);
    const double appendNs = std::max(0.0, f.WithMs - f.WithoutMs) * 1e6 / count;
    const double throughput = count / (f.OnDiskMs / 1e3);
    std::printf("%s: %d values, best of %d\n", name, count, Rounds);
    std::printf("  ingestion without journal %8.1f ms, with %8.1f ms (ratio %.2f)\n", f.WithoutMs,
                f.WithMs, f.WithMs / f.WithoutMs);
    std::printf("  Append %.1f ns per value (%.2g of a %.0f ms sample time)\n", appendNs,
                appendNs / (SampleTime * 1e9), SampleTime * 1e3);
    std::printf("  on disk after %8.1f ms: %.0f values/s, %.1f MB/s (%.0fx the gauge's %.0f "
                "values/s)\n",
                f.OnDiskMs, throughput, f.Bytes / (f.OnDiskMs / 1e3) / 1e6,
                throughput / FastestGaugeValuesPerSecond, FastestGaugeValuesPerSecond);
    std::printf("  saving the same as a data file %8.1f ms (journal / save %.2f)\n", f.SaveMs,
                f.OnDiskMs / f.SaveMs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    Report("one hour at 0.025 s", 144'000, folder.path());
    Report("ten million", 10'000'000, folder.path());
    return 0;
}
