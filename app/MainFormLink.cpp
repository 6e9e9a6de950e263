// The window's side of the link to the gauge: the exchange, the port button's caption, a lost
// link and its recovery, and the polls.
#include "app/MainForm.h"

#include "app/LinkRecovery.h"
#include "app/ReadingPanel.h"
#include "app/RunJournalKeeper.h"
#include "app/SeriesRecorder.h"
#include "app/widgets/SpeedButton.h"
#include "link/GaugeExchange.h"
#include "link/NewThread.h"
#include "link/SerialLink.h"
#include "protocol/OrderSet.h"

#include <QTimer>

void TMainForm::BuildLinks() {
    m_exchange = new GaugeExchange(m_gauge, this);
    m_ComPort1 = &m_exchange->Serial();
    m_port = new PortControl(*m_exchange, this);
    m_port->SetKeepsIni(IsFirst());
    m_tests = new SeriesRecorder(m_exchange->Settings(), m_chartModel, this);
    m_journal = new RunJournalKeeper(*m_exchange, m_tests->Results(), this);
    connect(&m_tests->Series(), &TestSeries::RecordsRemoved, m_journal, &RunJournalKeeper::Forget);
    connect(m_journal, &RunJournalKeeper::Failed, this, &TMainForm::SetStatusText);
    connect(m_port, &PortControl::SerialLost, this, &TMainForm::ComPort1LinkLost);
    connect(m_port, &PortControl::NetworkLost, this, [this] {
        // The gauge can no longer confirm a stop: what the fast run captured is shown now.
        if (!GaugeLinkLost())
            ReplayPendingCapture();
    });
    m_recovery = new LinkRecovery(*m_exchange, *m_port, m_chartModel, this);
    connect(m_recovery, &LinkRecovery::StatusText, this, &TMainForm::SetStatusText);
    connect(m_recovery, &LinkRecovery::Restored, this, [this] {
        if (m_exchange->Running())
            return;
        for (const WindowTimer timer :
             {WindowTimer::Battery, WindowTimer::Report, WindowTimer::Display})
            EnableTimer(timer);
    });
    connect(this, &TMainForm::Closed, m_recovery, &LinkRecovery::Cancel);
    connect(m_exchange, &GaugeExchange::StatusText, this, &TMainForm::SetStatusText);
    connect(m_exchange, &GaugeExchange::RunEnded, this, &TMainForm::RunEnded);
}

// An unplugged adapter: the port is closed and the button offers to open it again; what the
// chart holds stays.
void TMainForm::ComPort1LinkLost(const QString& reason) {
    if (GaugeLinkLost())
        return;
    // The gauge can no longer confirm a stop: what the fast run captured is shown now.
    ReplayPendingCapture();
    QString status =
        tr("Połączenie z portem %1 zostało przerwane").arg(m_ComPort1->Settings().Port);
    if (!reason.isEmpty())
        status += QStringLiteral(" (") + reason + QLatin1Char(')');
    SetStatusText(status);
}

// With retries on, the recovery takes the lost link over (false when they are off). A fast run
// is read from its capture alone, which cannot place what comes after a gap: it ends now with
// what was captured.
bool TMainForm::GaugeLinkLost() {
    if (!m_recovery->Enabled())
        return false;
    if (m_recovery->Waiting())
        return true;
    const bool streaming = m_exchange->Running() || ThreadRunning(this);
    if (m_exchange->Running() && m_exchange->FastCapture()) {
        m_replayPending = true;
        m_exchange->EndRun();
    }
    m_recovery->Begin(streaming);
    return true;
}

void TMainForm::TimerDisplayTimer() {
    m_TimerDisplay->stop();
    m_exchange->Poll(OrderSet::Order::DisplayPoll);
    if (m_reading->PollsDisplay())
        m_TimerDisplay->start();
}

void TMainForm::TimerBatteryTimer() {
    m_TimerBattery->stop();
    if (m_reading->PollsBattery())
        m_exchange->Poll(OrderSet::Order::Battery);
    if (m_reading->PollsBattery())
        m_TimerBattery->start();
}

// Asks until a whole report has been read; stops for good when it may not ask, until
// something enables it again.
void TMainForm::TimerReportTimer() {
    m_TimerReport->stop();
    if (m_exchange->Poll(OrderSet::Order::Report))
        m_TimerReport->start();
}
