// The chart by mouse: following the data, wheel zoom per axis, drag to pan, box zoom, the
// double-click that follows again, the readout and the peak marker.
#include "measure/ChartModel.h"
#include "measure/ChartView.h"
#include "series/CurveColor.h"
#include "state/GaugeState.h"

#include <QApplication>
#include <QTest>

namespace {

void Send(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void Wheel(QWidget* widget, QPointF at, int steps, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void Drag(QWidget* widget, QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = {}) {
    Send(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    for (int step = 1; step <= 4; ++step)
        Send(widget, QEvent::MouseMove, from + (to - from) * step / 4.0, Qt::NoButton,
             Qt::LeftButton, modifiers);
    Send(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
}

struct Chart {
    ChartModel model{FirstGauge()};
    ChartView view{model};

    Chart() {
        FirstGauge() = GaugeState{};
        view.resize(600, 400);
        view.show();
        // A pull test of 101 samples, 0.1 s apart, its peak of -50 at 4 s.
        for (int i = 0; i <= 100; ++i)
            model.AddSample(0.1, i == 40 ? -50.0 : i * 0.3, false);
        view.Refresh();
    }
    QPointF Centre() const { return QRectF(view.axisRect()->rect()).center(); }
};

} // namespace

class TestChartView : public QObject {
    Q_OBJECT

private slots:
    void followsTheData() {
        Chart chart;
        QVERIFY(chart.view.Following());
        QCOMPARE(chart.view.xAxis->range().upper, 10.0);
        chart.model.AddSample(0.1, 1.0, false);
        chart.view.Refresh();
        QCOMPARE(chart.view.xAxis->range().upper, 10.1);
    }

    void wheelZoomsTheAxesItIsTold_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("timeZooms");
        QTest::addColumn<bool>("valuesZoom");
        QTest::newRow("both") << int(Qt::NoModifier) << true << true;
        QTest::newRow("Ctrl: time") << int(Qt::ControlModifier) << true << false;
        QTest::newRow("Shift: values") << int(Qt::ShiftModifier) << false << true;
    }

    void wheelZoomsTheAxesItIsTold() {
        QFETCH(int, modifiers);
        QFETCH(bool, timeZooms);
        QFETCH(bool, valuesZoom);
        Chart chart;
        const double time = chart.view.xAxis->range().size();
        const double values = chart.view.yAxis->range().size();
        Wheel(&chart.view, chart.Centre(), 2, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(chart.view.xAxis->range().size() < time, timeZooms);
        QCOMPARE(chart.view.yAxis->range().size() < values, valuesZoom);
        QVERIFY(!chart.view.Following());
        // New samples no longer move what the user looks at ...
        const QCPRange zoomed = chart.view.xAxis->range();
        chart.model.AddSample(0.1, 99.0, false);
        chart.view.Refresh();
        QCOMPARE(chart.view.xAxis->range(), zoomed);
        // ... until a double-click shows everything and follows again.
        Send(&chart.view, QEvent::MouseButtonDblClick, chart.Centre(), Qt::LeftButton,
             Qt::LeftButton);
        QVERIFY(chart.view.Following());
        QCOMPARE(chart.view.xAxis->range().upper, 10.1);
        QVERIFY(chart.view.yAxis->range().upper > 99.0);
    }

    void dragPansAndShiftDragZoomsToTheBox() {
        Chart chart;
        const QCPRange before = chart.view.xAxis->range();
        const QPointF centre = chart.Centre();
        Drag(&chart.view, centre, centre + QPointF(-100, 0));
        QVERIFY(chart.view.xAxis->range().lower > before.lower);
        QCOMPARE(chart.view.xAxis->range().size(), before.size());
        QVERIFY(!chart.view.Following());

        Send(&chart.view, QEvent::MouseButtonDblClick, centre, Qt::LeftButton, Qt::LeftButton);
        const double left = chart.view.xAxis->pixelToCoord(centre.x() - 50);
        const double right = chart.view.xAxis->pixelToCoord(centre.x() + 50);
        Drag(&chart.view, centre - QPointF(50, 40), centre + QPointF(50, 40), Qt::ShiftModifier);
        QVERIFY(std::abs(chart.view.xAxis->range().lower - left) < 0.05);
        QVERIFY(std::abs(chart.view.xAxis->range().upper - right) < 0.05);
        QVERIFY(!chart.view.Following());
    }

    // A click that moves nothing leaves the view following.
    void clickKeepsFollowing() {
        Chart chart;
        Send(&chart.view, QEvent::MouseButtonPress, chart.Centre(), Qt::LeftButton, Qt::LeftButton);
        Send(&chart.view, QEvent::MouseButtonRelease, chart.Centre(), Qt::LeftButton, Qt::NoButton);
        QVERIFY(chart.view.Following());
    }

    void readoutAndPeak() {
        Chart chart;
        const QPointF at(chart.view.xAxis->coordToPixel(2.5), chart.view.yAxis->coordToPixel(7));
        Send(&chart.view, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QVERIFY2(chart.view.ReadoutText().contains(QStringLiteral("2.5")),
                 qPrintable(chart.view.ReadoutText()));
        Send(&chart.view, QEvent::MouseMove, QPointF(1, 1), Qt::NoButton, Qt::NoButton);
        QCOMPARE(chart.view.ReadoutText(), QString());

        auto* peak = chart.view.findChild<QCPItemTracer*>(QStringLiteral("PeakMarker"));
        QVERIFY(peak && peak->visible());
        QCOMPARE(peak->position->coords(), QPointF(4.0, -50.0));
        chart.model.ClearSeries();
        chart.view.Refresh();
        QVERIFY(!peak->visible());
    }

    // The printed report draws each test in the colour the screen gives it.
    void overlaysTakeTheSharedColours() {
        Chart chart;
        QList<ChartView::Overlay> overlays;
        for (int i = 0; i < 10; ++i)
            overlays.append({QStringLiteral("Test %1").arg(i + 1), {{0, 1.0 * i}, {1, 2.0 * i}}});
        chart.view.SetOverlays(overlays);
        QCOMPARE(chart.view.OverlayCount(), 10);
        for (int i = 0; i < 10; ++i) {
            const CurveColor shared = OverlayCurveColor(std::size_t(i));
            QCOMPARE(chart.view.graph(2 + i)->pen().color(),
                     QColor(shared.Red, shared.Green, shared.Blue));
            QCOMPARE(chart.view.graph(2 + i)->name(), QStringLiteral("Test %1").arg(i + 1));
        }
        const CurveColor samples = SampleCurveColor;
        const CurveColor thresholds = ThresholdCurveColor;
        QCOMPARE(chart.view.Series1()->pen().color(),
                 QColor(samples.Red, samples.Green, samples.Blue));
        QCOMPARE(chart.view.Series2()->pen().color(),
                 QColor(thresholds.Red, thresholds.Green, thresholds.Blue));
    }
};

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
