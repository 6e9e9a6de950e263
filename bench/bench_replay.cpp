// Replay of a 1,000,000-line capture file into the chart data (limit: 2 seconds).
#include "link/CaptureReplay.h"
#include "measure/ChartModel.h"
#include "state/GaugeState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int Lines = 1'000'000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fcf.dat"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray text;
        for (int i = 0; i < Lines; ++i) {
            const double v = (i % 20000) / 100.0 - 100.0;
            text += QByteArray(1, v < 0 ? '-' : ' ') +
                    QByteArray::number(std::abs(v), 'f', 2).rightJustified(6, '0') + "\r\n";
        }
        file.write(text);
    }
    FirstGauge().SampleTime = 0.005;
    ChartModel model{FirstGauge()};
    QElapsedTimer clock;
    clock.start();
    CaptureReplay::ForEachSample(
        path, [&](double v) { model.AddSample(FirstGauge().SampleTime, v, true); });
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("replay of %d capture lines: %.2f s (limit 2 s, ratio %.2f), %d samples\n", Lines,
                seconds, seconds / 2.0, model.PointCount());
    return 0;
}
