// The chart and the statistics: their construction, titles and labels.
#include "app/MainForm.h"

#include "app/SeriesRecorder.h"
#include "app/StatisticsPanel.h"
#include "app/widgets/ProgramFont.h"
#include "measure/ChartView.h"
#include "state/GaugeState.h"

#include <QLabel>
#include <QTimer>

namespace {
constexpr QPoint SeriesNameInset{6, 4};
} // namespace

// Everything about Chart1 is built here, so that the chart can be replaced as a whole.
ChartView* TMainForm::CreateChart(QWidget* parent) {
    auto* chart = new ChartView(m_chartModel, parent);
    chart->setObjectName(QStringLiteral("Chart1"));
    const QFont font = ProgramFont();
    for (QCPAxis* axis : {chart->xAxis, chart->yAxis}) {
        axis->setLabelFont(font);
        axis->setTickLabelFont(font);
    }

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
    return m_chartModel.PointCount();
}

QString TMainForm::YTitle() const {
    return m_Chart1->YTitle();
}

void TMainForm::SetYTitle(const QString& title) {
    m_Chart1->SetYTitle(title);
}

void TMainForm::SetXTitle(const QString& title) {
    m_Chart1->SetXTitle(title);
}

void TMainForm::SetSeriesName(const QString& name) {
    m_LabelSeriesName->setText(name);
    PlaceSeriesName();
}

// The chart redraws on its own timer and the labels follow once control returns to the event
// loop, so a burst of samples (a download, a data file, a replay) costs no more than the data
// itself.
void TMainForm::AddSample(double sampleTime, double value) {
    m_chartModel.AddSample(sampleTime, value, Settings().ThresholdsOn());
}

void TMainForm::RefreshStatLabels() {
    m_statistics->Refresh();
}

void TMainForm::sbClearClick() {
    m_chartModel.ClearSeries();
    m_tests->ChartCleared();
    SetXTitle(tr("Czas") + QStringLiteral(" [s]"));
    SetYTitle(QString());
    SetSeriesName(QString());
    m_gauge.SampleUnit.clear();
    m_gauge.ResetSampleStats();
    ClearStatLabels();
    m_headerLines.clear();
    m_seriesOrigin = SeriesOrigin::Run;
}
