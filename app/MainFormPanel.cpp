// The window follows the gauge: the reply side's events reach the reading panel, the status
// bar, the polls and the chart's titles; the settings panel follows the settings itself.
#include "app/MainForm.h"

#include "app/widgets/CheckBox.h"
#include "state/Messages.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace {

const QColor FreshReadingTint(255, 225, 225);
const QColor StaleReadingTint(192, 192, 192);

} // namespace

GaugeSettings& TMainForm::Settings() {
    return m_exchange->Settings();
}

void TMainForm::FollowGauge() {
    GaugeSettings& settings = Settings();
    connect(&settings, &GaugeSettings::Changed, this, &TMainForm::ShowSetting);

    ProcessData& replies = m_exchange->Replies();
    connect(&replies, &ProcessData::StatusText, this, &TMainForm::SetStatusText);
    connect(&replies, &ProcessData::ReadingTaken, this, [this] {
        TintReading(true);
        m_ConnectionTimer->start();
    });
    connect(&replies, &ProcessData::BatteryRead, this, [this](int percent) {
        m_pbBateryPercent->setValue(std::clamp(percent, 0, 100));
        m_LabelBateryPercent->setText(QString::number(percent) + QLatin1Char('%'));
        SetTimerInterval(WindowTimer::Battery, ProcessData::BatteryIntervalAfterReport);
    });
    connect(&replies, &ProcessData::SpeedConfirmed, this, [this] {
        EnableTimer(WindowTimer::Report);
        if (m_chkbUpdateDisplay->isChecked())
            EnableTimer(WindowTimer::Display);
    });
    connect(&replies, &ProcessData::SettingsReportEnded, this,
            [this] { DisableTimer(WindowTimer::Report); });
    connect(&replies, &ProcessData::SeriesUnitNamed, this,
            [this](const QString& unit) { SetYTitle(ProcessData::SampleTitle(unit)); });
    connect(&replies, &ProcessData::TimeAxisNamed, this, &TMainForm::SetXTitle);
    connect(&replies, &ProcessData::SeriesNamed, this, &TMainForm::SetSeriesName);
    connect(&replies, &ProcessData::ResultsFileStarted, this, &TMainForm::StartResultsFile);
    connect(&replies, &ProcessData::ResultTaken, this, &TMainForm::AppendResult);
    connect(&replies, &ProcessData::Warning, this,
            [](const QString& title, const QString& text, MessageIcon icon) {
                ShowMessage(title, text, icon);
            });
    // Samples go from the reply side straight into the chart's data.
    m_chartModel.Follow(replies, settings);
    connect(&m_chartModel, &ChartModel::SampleAdded, this, [this] {
        if (!m_statRefreshPending) {
            m_statRefreshPending = true;
            QTimer::singleShot(0, this, &TMainForm::RefreshStatLabels);
        }
    });
}

// The panel shows the settings; the window the identity of the gauge and its reading.
void TMainForm::ShowSetting(GaugeSettings::Item item) {
    const GaugeSettings& settings = Settings();
    switch (item) {
    case GaugeSettings::Item::Reading:
        m_PanelResult->setText(settings.Reading());
        break;
    default:
        break;
    }
}

void TMainForm::TintReading(bool fresh) {
    QPalette palette = m_PanelResult->palette();
    palette.setColor(QPalette::Window, fresh ? FreshReadingTint : StaleReadingTint);
    m_PanelResult->setPalette(palette);
}
