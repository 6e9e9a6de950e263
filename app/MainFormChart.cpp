// The chart: its construction and what the reply side does to it.
#include "app/MainForm.h"

#include "app/state/Global.h"
#include "app/widgets/ProgramFont.h"

#include <QLabel>

#include <qcustomplot.h>

namespace {

const QColor SampleRed(255, 0, 0);
const QColor ThresholdGreen(0, 128, 0);
constexpr QPoint SeriesNameInset{6, 4};

QCPGraph* AddSeries(QCustomPlot* chart, const char* name, const QColor& colour) {
    QCPGraph* graph = chart->addGraph();
    graph->setObjectName(QLatin1String(name));
    graph->setName(QLatin1String(name));
    graph->setPen(QPen(colour));
    graph->setLineStyle(QCPGraph::lsLine);
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    return graph;
}

} // namespace

// Everything about Chart1 is built here, so that the chart can be replaced as a whole.
QCustomPlot* TMainForm::CreateChart(QWidget* parent) {
    auto* chart = new QCustomPlot(parent);
    chart->setObjectName(QStringLiteral("Chart1"));
    chart->setBackground(Qt::white);
    chart->legend->setVisible(false);
    const QFont font = ProgramFont();
    for (QCPAxis* axis : {chart->xAxis, chart->yAxis}) {
        axis->setLabelFont(font);
        axis->setTickLabelFont(font);
    }
    chart->xAxis->setLabel(tr("Czas") + QStringLiteral(" [s]"));
    chart->yAxis->setLabel(QString());

    m_Series1 = AddSeries(chart, "Series1", SampleRed);
    m_Series2 = AddSeries(chart, "Series2", ThresholdGreen);
    m_Series3 = AddSeries(chart, "Series3", ThresholdGreen);

    m_LabelSeriesName = new QLabel(QStringLiteral("---"), chart);
    m_LabelSeriesName->setObjectName(QStringLiteral("LabelSeriesName"));
    m_LabelSeriesName->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(chart, &QCustomPlot::afterReplot, this, &TMainForm::PlaceSeriesName);
    return chart;
}

// The series name stays in the lower left corner of the plotting area, whatever its size.
void TMainForm::PlaceSeriesName() {
    m_LabelSeriesName->adjustSize();
    const QRect area = m_Chart1->axisRect()->rect();
    m_LabelSeriesName->move(area.left() + SeriesNameInset.x(),
                            area.bottom() - SeriesNameInset.y() - m_LabelSeriesName->height());
}

int TMainForm::ChartPointCount() const {
    return m_Series1->dataCount();
}

QString TMainForm::YTitle() const {
    return m_Chart1->yAxis->label();
}

void TMainForm::SetYTitle(const QString& title) {
    m_Chart1->yAxis->setLabel(title);
    m_Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TMainForm::SetXTitle(const QString& title) {
    m_Chart1->xAxis->setLabel(title);
    m_Chart1->replot(QCustomPlot::rpQueuedReplot);
}

void TMainForm::SetSeriesName(const QString& name) {
    m_LabelSeriesName->setText(name);
    PlaceSeriesName();
}

// Stand-in until the statistics and chart arrive: plots the sample at its place in time.
void TMainForm::AddSample(double sampleTime, double value) {
    const double count = m_Series1->dataCount();
    const double x = (count - Global.ChartIndexOffset) * sampleTime + Global.ChartTimeOffset;
    m_Series1->addData(x, value);
    m_Chart1->rescaleAxes();
    m_Chart1->replot(QCustomPlot::rpQueuedReplot);
}
