#include "measure/ChartView.h"

#include "series/CurveColor.h"

namespace {

QColor ColorOf(const CurveColor& color) {
    return QColor(color.Red, color.Green, color.Blue);
}

const QColor SampleColor = ColorOf(SampleCurveColor);
const QColor ThresholdColor = ColorOf(ThresholdCurveColor);

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
        series->removeFromLegend();
    };
    addSeries(QStringLiteral("Series2"), ThresholdColor, model.LowLine());
    addSeries(QStringLiteral("Series3"), ThresholdColor, model.HighLine());
    m_samples =
        new SampleCurve(xAxis, yAxis, [&model]() -> const SampleStore& { return model.Samples(); });
    m_samples->setName(QStringLiteral("Series1"));
    m_samples->setObjectName(QStringLiteral("Series1"));
    m_samples->setPen(QPen(SampleColor, 1));
    m_samples->removeFromLegend();
    // The samples are drawn over the threshold lines.
    addLayer(QStringLiteral("samples"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    m_samples->setLayer(QStringLiteral("samples"));

    xAxis->setLabel(tr("Czas") + QStringLiteral(" [s]"));
    yAxis->setLabel(QString());
    xAxis->setRange(0, 1);
    yAxis->setRange(0, 1);
    setNoAntialiasingOnDrag(true);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
    axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
    selectionRect()->setPen(QPen(Qt::darkGray, 1, Qt::DashLine));

    m_peakMarker = new QCPItemTracer(this);
    m_peakMarker->setObjectName(QStringLiteral("PeakMarker"));
    m_peakMarker->setStyle(QCPItemTracer::tsCircle);
    m_peakMarker->setSize(9);
    m_peakMarker->setPen(QPen(SampleColor.darker(150), 1.5));
    m_peakMarker->setVisible(false);
    m_readout = new QCPItemText(this);
    m_readout->setObjectName(QStringLiteral("Readout"));
    m_readout->setPositionAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_readout->position->setType(QCPItemPosition::ptAxisRectRatio);
    m_readout->position->setCoords(0.01, 0.01);
    m_readout->setPadding(QMargins(4, 2, 4, 2));
    m_readout->setBrush(QColor(255, 255, 255, 220));
    m_readout->setPen(QPen(Qt::lightGray));
    m_readout->setVisible(false);
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

void ChartView::SetOverlays(const QList<Overlay>& overlays) {
    while (graphCount() > BaseGraphs)
        removeGraph(graphCount() - 1);
    for (qsizetype i = 0; i < overlays.size(); ++i) {
        QCPGraph* curve = addGraph();
        curve->setName(overlays[i].Name);
        curve->setPen(QPen(ColorOf(OverlayCurveColor(std::size_t(i))), 1));
        curve->setAdaptiveSampling(true);
        QVector<double> keys;
        QVector<double> values;
        keys.reserve(overlays[i].Points.size());
        values.reserve(overlays[i].Points.size());
        for (const QPointF& point : overlays[i].Points) {
            keys.append(point.x());
            values.append(point.y());
        }
        curve->setData(keys, values, true);
    }
    legend->setVisible(!overlays.isEmpty());
    m_overlaysChanged = true;
}

void ChartView::RefreshIfChanged() {
    if (m_drawnRevision != m_model.Revision() || m_titlesChanged || m_overlaysChanged ||
        m_readoutChanged)
        Refresh();
}

void ChartView::Refresh() {
    m_model.Settle();
    QCPRange keys;
    QCPRange values;
    bool found = m_model.KeyRange(keys) && m_model.ValueRange(values);
    // The overlays are few and short beside the series: their ranges are taken as drawn.
    for (int i = BaseGraphs; i < graphCount(); ++i) {
        bool hasKeys = false;
        bool hasValues = false;
        const QCPRange curveKeys = graph(i)->getKeyRange(hasKeys);
        const QCPRange curveValues = graph(i)->getValueRange(hasValues);
        if (!hasKeys || !hasValues)
            continue;
        keys = found ? QCPRange(std::min(keys.lower, curveKeys.lower),
                                std::max(keys.upper, curveKeys.upper))
                     : curveKeys;
        values = found ? QCPRange(std::min(values.lower, curveValues.lower),
                                  std::max(values.upper, curveValues.upper))
                       : curveValues;
        found = true;
    }
    if (found && m_following) {
        // A single point or a flat line still gets a visible span around it.
        if (keys.size() <= 0)
            keys = QCPRange(keys.lower - 0.5, keys.upper + 0.5);
        if (values.size() <= 0)
            values = QCPRange(values.lower - 1, values.upper + 1);
        const double margin = values.size() * 0.05;
        xAxis->setRange(keys);
        yAxis->setRange(values.lower - margin, values.upper + margin);
    }
    m_drawnRevision = m_model.Revision();
    m_titlesChanged = false;
    m_overlaysChanged = false;
    m_readoutChanged = false;
    QPointF peak;
    const bool hasPeak = m_model.Peak(peak);
    m_peakMarker->setVisible(hasPeak);
    if (hasPeak)
        m_peakMarker->position->setCoords(peak);
    if (isVisible())
        replot(QCustomPlot::rpImmediateRefresh);
}

void ChartView::Follow() {
    m_following = true;
    Refresh();
}

void ChartView::wheelEvent(QWheelEvent* event) {
    Qt::Orientations zoom = Qt::Horizontal | Qt::Vertical;
    if (event->modifiers() & Qt::ControlModifier)
        zoom = Qt::Horizontal;
    else if (event->modifiers() & Qt::ShiftModifier)
        zoom = Qt::Vertical;
    axisRect()->setRangeZoom(zoom);
    m_following = false;
    // Some desktops turn a wheel turned with Shift into a sideways one.
    if (event->angleDelta().y() == 0 && event->angleDelta().x() != 0) {
        const QPoint delta(0, event->angleDelta().x());
        QWheelEvent upright(event->position(), event->globalPosition(), QPoint(), delta,
                            event->buttons(), event->modifiers(), event->phase(),
                            event->inverted());
        QCustomPlot::wheelEvent(&upright);
        return;
    }
    QCustomPlot::wheelEvent(event);
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    m_pressKeys = xAxis->range();
    m_pressValues = yAxis->range();
    const bool box = event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier);
    setSelectionRectMode(box ? QCP::srmZoom : QCP::srmNone);
    QCustomPlot::mousePressEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    QCustomPlot::mouseReleaseEvent(event);
    setSelectionRectMode(QCP::srmNone);
    // A click that moved nothing leaves the view following.
    if (xAxis->range() != m_pressKeys || yAxis->range() != m_pressValues)
        m_following = false;
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    QCustomPlot::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Follow();
}

QString ChartView::ReadoutText() const {
    return m_readout->visible() ? m_readout->text() : QString();
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    QCustomPlot::mouseMoveEvent(event);
    const QPointF at = event->position();
    const bool inside = axisRect()->rect().contains(at.toPoint());
    if (inside) {
        const double time = xAxis->pixelToCoord(at.x());
        const double value = yAxis->pixelToCoord(at.y());
        const QLocale locale;
        m_readout->setText(
            QStringLiteral("%1 = %2 s    %3")
                .arg(tr("t"), locale.toString(time, 'f', 3), locale.toString(value, 'g', 6)));
    }
    if (inside != m_readout->visible() || inside) {
        m_readout->setVisible(inside);
        m_readoutChanged = true;
    }
}

void ChartView::leaveEvent(QEvent* event) {
    QCustomPlot::leaveEvent(event);
    if (m_readout->visible()) {
        m_readout->setVisible(false);
        m_readoutChanged = true;
    }
}
