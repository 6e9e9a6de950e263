// Redraw time of the chart holding one and ten million points, offscreen, and the replay
// rate of samples into it; and samples out of time order (a second file with a smaller step)
// against the same count in order.
#include "measure/ChartModel.h"
#include "measure/ChartView.h"
#include "state/Global.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cmath>
#include <cstdio>

namespace {

double RedrawMs(ChartView& view, int repeats) {
    QElapsedTimer clock;
    double best = 1e300;
    double sum = 0;
    for (int i = 0; i < repeats; ++i) {
        clock.start();
        view.Refresh();
        view.replot(QCustomPlot::rpImmediateRefresh);
        const double ms = clock.nsecsElapsed() / 1e6;
        best = std::min(best, ms);
        sum += ms;
    }
    std::printf("    best %.1f ms, mean %.1f ms over %d redraws\n", best, sum / repeats, repeats);
    return sum / repeats;
}

void Measure(int points, double limitMs) {
    Global = SharedState{};
    Global.LowThreshold = -0.8;
    Global.HighThreshold = 0.8;
    ChartModel model;
    ChartView view(model);
    view.resize(600, 420);
    view.show();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < points; ++i)
        model.AddSample(0.025, std::sin(i * 0.001) + 0.1 * std::sin(i * 0.37), true);
    const double addMs = clock.nsecsElapsed() / 1e6;
    std::printf("%d points: appended in %.0f ms (%.0f ns each)\n", points, addMs,
                addMs * 1e6 / points);
    const double mean = RedrawMs(view, 10);
    std::printf("    limit %.0f ms: %s (ratio %.2f)\n", limitMs,
                mean <= limitMs ? "ok" : "TOO SLOW", mean / limitMs);
}

// Two files of equal length, the second with a step a hundred times smaller: its samples fall
// between the first one's. Timed up to a read of the series, which merges them.
double OutOfOrderMs(int points, bool shuffled) {
    Global = SharedState{};
    ChartModel model;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < points; ++i) {
        const bool second = shuffled && i >= points / 2;
        model.AddSample(second ? 0.01 : 1.0, std::sin(i * 0.001), false);
    }
    const int size = model.Samples()->size();
    const double ms = clock.nsecsElapsed() / 1e6;
    return size == points ? ms : -1;
}

void MeasureOrder(int points) {
    const double inOrder = OutOfOrderMs(points, false);
    const double outOfOrder = OutOfOrderMs(points, true);
    std::printf("%d samples: in order %.0f ms, half of them out of order %.0f ms (ratio %.2f)\n",
                points, inOrder, outOfOrder, outOfOrder / inOrder);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Measure(1'000'000, 16);
    Measure(10'000'000, 50);
    MeasureOrder(300'000);
    MeasureOrder(3'000'000);
    return 0;
}
