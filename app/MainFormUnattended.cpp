// An unattended run: one on-line measurement of a set length, begun and ended as the user's
// Start and Stop would, for recording without anyone at the window (zento-fm --measure).
#include "app/MainForm.h"

#include "app/InstrumentPanel.h"
#include "link/GaugeExchange.h"
#include "link/GaugeLink.h"
#include "state/Global.h"

#include <QTimer>

void TMainForm::MeasureUnattended(std::chrono::milliseconds length) {
    m_unattendedLength = length;
    m_unattendedPhase = UnattendedPhase::Waiting;
    if (!m_unattendedTimer) {
        m_unattendedTimer = new QTimer(this);
        m_unattendedTimer->setInterval(UnattendedPoll);
        connect(m_unattendedTimer, &QTimer::timeout, this, &TMainForm::UnattendedStep);
    }
    m_unattendedTimer->start();
}

void TMainForm::UnattendedStep() {
    switch (m_unattendedPhase) {
    case UnattendedPhase::Off:
        m_unattendedTimer->stop();
        return;
    case UnattendedPhase::Waiting: {
        // The run starts from the settings the gauge reported (the sampling time decides
        // whether it is a fast run), so the report must have been read completely.
        const GaugeLink* link = m_exchange->ActiveLink();
        const bool linked = Global.UseEthernet ? link && link->IsOpen() : Connected();
        if (!m_activated || !linked || m_TimerReport->isActive() || !m_instrument->StartOffered())
            return;
        sbStartClick();
        m_unattendedClock.start();
        m_unattendedPhase = UnattendedPhase::Running;
        return;
    }
    case UnattendedPhase::Running:
        // A scheduled start counts from the click too: the length is the whole wait.
        if (m_unattendedClock.elapsed() < m_unattendedLength.count())
            return;
        sbStopClick();
        m_unattendedClock.start();
        m_unattendedPhase = UnattendedPhase::Stopping;
        return;
    case UnattendedPhase::Stopping:
        // The samples are kept at Stop; the confirmation only tells that the gauge is quiet.
        if (Global.MeasurementRunning && m_unattendedClock.elapsed() < UnattendedStopGrace.count())
            return;
        ReplayPendingCapture();
        m_unattendedPhase = UnattendedPhase::Off;
        m_unattendedTimer->stop();
        close();
        return;
    }
}
