#pragma once

#include "measure/ChartModel.h"
#include "measure/SampleCurve.h"

#include <qcustomplot.h>

#include <QTimer>

#include <chrono>

// The chart of the main window: draws the series of a ChartModel as they are, and
// redraws at most about 25 times a second whatever the sample rate.
class ChartView final : public QCustomPlot {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds RefreshInterval{40};

    explicit ChartView(ChartModel& model, QWidget* parent = nullptr);

    SampleCurve* Series1() const { return m_samples; }
    QCPGraph* Series2() const { return graph(0); }
    QCPGraph* Series3() const { return graph(1); }

    QString XTitle() const { return xAxis->label(); }
    QString YTitle() const { return yAxis->label(); }
    void SetXTitle(const QString& title);
    void SetYTitle(const QString& title);

    // Curves of chosen tests drawn over the series, each in a colour of its own and named in
    // the legend; none hides the legend.
    struct Overlay {
        QString Name;
        QList<QPointF> Points;
    };
    void SetOverlays(const QList<Overlay>& overlays);
    int OverlayCount() const { return graphCount() - BaseGraphs; }

    // Fits the axes to the data while the view follows it, and draws now (the timer calls it
    // when something changed).
    void Refresh();

    // The view follows the data (shows all of it, the newest samples included) until the user
    // zooms or pans: the wheel zooms (with Ctrl the time axis alone, with Shift the values
    // alone), a drag pans, a drag with Shift zooms to its box. A double-click fits everything
    // and follows again.
    bool Following() const { return m_following; }
    void Follow();
    // The pointer's time and value as the readout shows them; empty off the plotting area.
    QString ReadoutText() const;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void RefreshIfChanged();

    static constexpr int BaseGraphs = 2;

    ChartModel& m_model;
    QTimer m_refreshTimer;
    quint64 m_drawnRevision = ~quint64(0);
    bool m_titlesChanged = false;
    bool m_overlaysChanged = false;
    bool m_following = true;
    bool m_readoutChanged = false;
    QCPRange m_pressKeys;
    QCPRange m_pressValues;
    QCPItemText* m_readout = nullptr;
    QCPItemTracer* m_peakMarker = nullptr;
    SampleCurve* m_samples = nullptr;
};
