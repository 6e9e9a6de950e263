// Redraw time of the chart holding one and ten million points, offscreen, and the replay
// rate of samples into it; and samples out of time order (a second file with a smaller step)
// against the same count in order; ten overlaid tests, and zooming and panning.
#include "measure/ChartModel.h"
#include "measure/ChartView.h"
#include "state/GaugeState.h"

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
    FirstGauge() = GaugeState{};
    FirstGauge().LowThreshold = -0.8;
    FirstGauge().HighThreshold = 0.8;
    ChartModel model{FirstGauge()};
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
    FirstGauge() = GaugeState{};
    ChartModel model{FirstGauge()};
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < points; ++i) {
        const bool second = shuffled && i >= points / 2;
        model.AddSample(second ? 0.01 : 1.0, std::sin(i * 0.001), false);
    }
    const int size = model.Samples().size();
    const double ms = clock.nsecsElapsed() / 1e6;
    return size == points ? ms : -1;
}

void MeasureOrder(int points) {
    const double inOrder = OutOfOrderMs(points, false);
    const double outOfOrder = OutOfOrderMs(points, true);
    std::printf("%d samples: in order %.0f ms, half of them out of order %.0f ms (ratio %.2f)\n",
                points, inOrder, outOfOrder, outOfOrder / inOrder);
}

// Ten tests of 10,000 samples drawn over a run of 10,000 samples, as the series panel shows
// them; then the same chart zoomed in and panned, a frame each.
void MeasureOverlays(double limitMs) {
    FirstGauge() = GaugeState{};
    ChartModel model{FirstGauge()};
    ChartView view(model);
    view.resize(600, 420);
    view.show();
    constexpr int Samples = 10'000;
    for (int i = 0; i < Samples; ++i)
        model.AddSample(0.025, std::sin(i * 0.001), true);
    QList<ChartView::Overlay> overlays;
    for (int test = 0; test < 10; ++test) {
        ChartView::Overlay overlay{QStringLiteral("Test %1").arg(test + 1), {}};
        for (int i = 0; i < Samples; ++i)
            overlay.Points.append(QPointF(i * 0.025, (1.0 + 0.05 * test) * std::sin(i * 0.001)));
        overlays.append(overlay);
    }
    view.SetOverlays(overlays);
    std::printf("10 overlaid tests of %d samples:\n", Samples);
    const double mean = RedrawMs(view, 10);
    std::printf("    limit %.0f ms: %s (ratio %.2f)\n", limitMs,
                mean <= limitMs ? "ok" : "TOO SLOW", mean / limitMs);
}

// Zoom and pan on ten million points: each step moves the axes and draws one frame.
void MeasureZoomPan(double limitMs) {
    FirstGauge() = GaugeState{};
    ChartModel model{FirstGauge()};
    ChartView view(model);
    view.resize(600, 420);
    view.show();
    for (int i = 0; i < 10'000'000; ++i)
        model.AddSample(0.025, std::sin(i * 0.001) + 0.1 * std::sin(i * 0.37), true);
    view.Refresh();
    QElapsedTimer clock;
    double worst = 0;
    double sum = 0;
    constexpr int Steps = 20;
    for (int step = 0; step < Steps; ++step) {
        clock.start();
        // Halfway zoomed in, then moved along by a tenth of the view each frame.
        const QCPRange range = view.xAxis->range();
        if (step < Steps / 2)
            view.xAxis->scaleRange(0.7, range.center());
        else
            view.xAxis->moveRange(range.size() / 10);
        view.replot(QCustomPlot::rpImmediateRefresh);
        const double ms = clock.nsecsElapsed() / 1e6;
        worst = std::max(worst, ms);
        sum += ms;
    }
    std::printf("zoom and pan on 10000000 points: mean %.1f ms, worst %.1f ms per frame\n",
                sum / Steps, worst);
    std::printf("    limit %.0f ms: %s (ratio %.2f)\n", limitMs,
                sum / Steps <= limitMs ? "ok" : "TOO SLOW", (sum / Steps) / limitMs);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Measure(1'000'000, 16);
    Measure(10'000'000, 50);
    MeasureOrder(300'000);
    MeasureOrder(3'000'000);
    MeasureOverlays(16);
    MeasureZoomPan(16);
    return 0;
}
