// The window follows the gauge: the reply side's events reach the status bar, the polls, the
// chart's titles and the results file; the panels follow what they show themselves.
#include "app/MainForm.h"

#include "app/ReadingPanel.h"
#include "app/SeriesRecorder.h"
#include "state/Messages.h"

GaugeSettings& TMainForm::Settings() {
    return m_exchange->Settings();
}

TestSeries& TMainForm::Tests() {
    return m_tests->Series();
}

void TMainForm::FollowGauge() {
    ProcessData& replies = m_exchange->Replies();
    connect(&replies, &ProcessData::StatusText, this, &TMainForm::SetStatusText);
    // The panels show the reading and the battery; the window asks less often once the gauge
    // has answered.
    connect(&replies, &ProcessData::BatteryRead, this, [this] {
        SetTimerInterval(WindowTimer::Battery, ProcessData::BatteryIntervalAfterReport);
    });
    connect(&replies, &ProcessData::SpeedConfirmed, this, [this] {
        EnableTimer(WindowTimer::Report);
        if (m_reading->PollsDisplay())
            EnableTimer(WindowTimer::Display);
    });
    connect(&replies, &ProcessData::SettingsReportEnded, this,
            [this] { DisableTimer(WindowTimer::Report); });
    connect(&replies, &ProcessData::SeriesUnitNamed, this,
            [this](const QString& unit) { SetYTitle(ProcessData::SampleTitle(unit)); });
    connect(&replies, &ProcessData::TimeAxisNamed, this, &TMainForm::SetXTitle);
    connect(&replies, &ProcessData::SeriesNamed, this, &TMainForm::SetSeriesName);
    connect(&replies, &ProcessData::DownloadEnded, m_tests, &SeriesRecorder::DownloadEnded);
    connect(&replies, &ProcessData::ResultsFileStarted, this, &TMainForm::StartResultsFile);
    connect(&replies, &ProcessData::ResultTaken, this, &TMainForm::AppendResult);
    connect(&replies, &ProcessData::Warning, this,
            [](const QString& title, const QString& text, MessageIcon icon) {
                ShowMessage(title, text, icon);
            });
    // Samples go from the reply side straight into the chart's data.
    m_chartModel.Follow(replies, Settings());
}
