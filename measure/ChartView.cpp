#include "measure/ChartView.h"

namespace {

const QColor SampleColor(Qt::red);
const QColor ThresholdColor(0, 128, 0);

} // namespace

ChartView::ChartView(ChartModel& model, QWidget* parent)
    : QCustomPlot(parent)
    , m_model(model) {
    setBackground(Qt::white);
    legend->setVisible(false);
    const auto addSeries = [this](const QString& name, const QColor& color,
                                  const QSharedPointer<ChartModel::Container>& data) {
        QCPGraph* series = addGraph();
        series->setName(name);
        series->setObjectName(name);
        series->setPen(QPen(color, 1));
        series->setLineStyle(QCPGraph::lsLine);
        series->setScatterStyle(QCPScatterStyle::ssNone);
        series->setAdaptiveSampling(true);
        series->setData(data);
    };
    addSeries(QStringLiteral("Series1"), SampleColor, model.Samples());
    addSeries(QStringLiteral("Series2"), ThresholdColor, model.LowLine());
    addSeries(QStringLiteral("Series3"), ThresholdColor, model.HighLine());
    addSeries(QStringLiteral("Series1Overview"), SampleColor, model.Overview());
    SeriesOverview()->setVisible(false);
    // The samples are drawn over the threshold lines.
    addLayer(QStringLiteral("samples"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    Series1()->setLayer(QStringLiteral("samples"));
    SeriesOverview()->setLayer(QStringLiteral("samples"));

    xAxis->setLabel(tr("Czas") + QStringLiteral(" [s]"));
    yAxis->setLabel(QString());
    xAxis->setRange(0, 1);
    yAxis->setRange(0, 1);
    setNoAntialiasingOnDrag(true);
    setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);

    m_refreshTimer.setInterval(RefreshInterval);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ChartView::RefreshIfChanged);
    m_refreshTimer.start();
}

void ChartView::SetXTitle(const QString& title) {
    if (xAxis->label() == title)
        return;
    xAxis->setLabel(title);
    m_titlesChanged = true;
}

void ChartView::SetYTitle(const QString& title) {
    if (yAxis->label() == title)
        return;
    yAxis->setLabel(title);
    m_titlesChanged = true;
}

void ChartView::RefreshIfChanged() {
    if (m_drawnRevision != m_model.Revision() || m_titlesChanged)
        Refresh();
}

void ChartView::Refresh() {
    m_model.Settle();
    QCPRange keys;
    QCPRange values;
    if (m_model.KeyRange(keys) && m_model.ValueRange(values)) {
        // A single point or a flat line still gets a visible span around it.
        if (keys.size() <= 0)
            keys = QCPRange(keys.lower - 0.5, keys.upper + 0.5);
        if (values.size() <= 0)
            values = QCPRange(values.lower - 1, values.upper + 1);
        const double margin = values.size() * 0.05;
        xAxis->setRange(keys);
        yAxis->setRange(values.lower - margin, values.upper + margin);
    }
    const int width = std::max(1, axisRect()->width());
    const bool overview = m_model.PointCount() / width >= OverviewSamplesPerPixel;
    Series1()->setVisible(!overview);
    SeriesOverview()->setVisible(overview);
    m_drawnRevision = m_model.Revision();
    m_titlesChanged = false;
    if (isVisible())
        replot(QCustomPlot::rpImmediateRefresh);
}
