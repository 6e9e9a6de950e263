#pragma once

#include "measure/ChartModel.h"

#include <qcustomplot.h>

#include <QTimer>

#include <chrono>

// The chart of the main window: draws the containers of a ChartModel as they are, and
// redraws at most about 25 times a second whatever the sample rate.
class ChartView final : public QCustomPlot {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds RefreshInterval{40};

    explicit ChartView(ChartModel& model, QWidget* parent = nullptr);

    QCPGraph* Series1() const { return graph(0); }
    QCPGraph* Series2() const { return graph(1); }
    QCPGraph* Series3() const { return graph(2); }
    // Drawn instead of Series1 when so many samples share a pixel that the reduced series
    // looks the same.
    QCPGraph* SeriesOverview() const { return graph(3); }
    static constexpr int OverviewSamplesPerPixel = 2 * ChartModel::OverviewBlock;

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

    // Fits the axes to the data and draws now (the timer calls it when something changed).
    void Refresh();

private:
    void RefreshIfChanged();

    static constexpr int BaseGraphs = 4;

    ChartModel& m_model;
    QTimer m_refreshTimer;
    quint64 m_drawnRevision = ~quint64(0);
    bool m_titlesChanged = false;
    bool m_overlaysChanged = false;
};
