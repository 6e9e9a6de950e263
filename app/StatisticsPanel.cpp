// The statistics group below the chart.
#include "app/StatisticsPanel.h"

#include "app/widgets/PanelLayout.h"
#include "app/widgets/SpeedButton.h"
#include "measure/ChartModel.h"
#include "state/GaugeState.h"

#include <QGridLayout>
#include <QTimer>

using namespace PanelLayout;

StatisticsPanel::StatisticsPanel(const ChartModel& chart, QWidget* parent)
    : QGroupBox(parent)
    , m_chart(chart) {
    setObjectName(QStringLiteral("gbStatistics"));
    auto* grid = Tight(new QGridLayout(this), 4, 2, 4, 2, 3);
    m_sbClear = Button("sbClear", this, QStringLiteral("icon-clear"));
    m_sbClear->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(m_sbClear, 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 2);
    const struct {
        QLabel** Caption;
        const char* CaptionName;
        QLabel** Value;
        const char* ValueName;
    } rows[] = {{&m_lblCount, "lblCount", &m_LabelCount, "LabelCount"},
                {&m_lblMin, "lblMin", &m_LabelMin, "LabelMin"},
                {&m_lblMax, "lblMax", &m_LabelMax, "LabelMax"},
                {&m_lblSum, "lblSum", &m_LabelSum, "LabelSum"},
                {&m_lblAver, "lblAver", &m_LabelAver, "LabelAver"}};
    // Room for a usual value; a longer one may not widen the window while samples arrive.
    const int valueWidth = fontMetrics().horizontalAdvance(QStringLiteral("-123.4567 kgf"));
    int line = 2;
    for (const auto& entry : rows) {
        *entry.Caption = Label(entry.CaptionName, this);
        *entry.Value = Label(entry.ValueName, this, QStringLiteral("---"));
        (*entry.Value)->setMinimumWidth(valueWidth);
        (*entry.Value)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        (*entry.Value)->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(*entry.Caption, line, 0);
        grid->addWidget(*entry.Value, line, 1);
        grid->setRowStretch(line, 1);
        ++line;
    }
    grid->setColumnStretch(1, 1);

    connect(m_sbClear, &SpeedButton::Click, this, &StatisticsPanel::ClearClicked);
    // The labels follow once control returns to the event loop, so a burst of samples (a
    // download, a data file, a replay) costs no more than the data itself.
    connect(&chart, &ChartModel::SampleAdded, this, [this] {
        if (!m_refreshPending) {
            m_refreshPending = true;
            QTimer::singleShot(0, this, &StatisticsPanel::Refresh);
        }
    });
}

void StatisticsPanel::Refresh() {
    m_refreshPending = false;
    if (m_chart.Gauge().SampleStats.Count == 0)
        return; // cleared meanwhile: the labels already say so
    const ChartModel::StatTexts texts =
        ChartModel::TextsFor(m_chart.Gauge().SampleStats, m_chart.Gauge().SampleUnit);
    m_LabelCount->setText(texts.Count);
    m_LabelMin->setText(texts.Min);
    m_LabelMax->setText(texts.Max);
    m_LabelSum->setText(texts.Sum);
    m_LabelAver->setText(texts.Average);
}

void StatisticsPanel::Clear() {
    for (QLabel* label : {m_LabelMin, m_LabelMax, m_LabelCount, m_LabelSum, m_LabelAver})
        label->setText(ChartModel::EmptyStatText());
}

void StatisticsPanel::ApplyTexts() {
    setTitle(tr(" Statystyki "));
    m_sbClear->setText(tr("Wyczyść pomiary"));
    m_lblCount->setText(tr("Liczba pom.:"));
    m_lblMin->setText(tr("Min.:"));
    m_lblMax->setText(tr("Max.:"));
    m_lblSum->setText(tr("Suma:"));
    m_lblAver->setText(tr("Średnia:"));
}
