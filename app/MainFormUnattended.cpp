// An unattended run: one on-line measurement of a set length, begun and ended as the user's
// Start and Stop would, for recording without anyone at the window (zento-fm --measure).
#include "app/MainForm.h"

#include "app/InstrumentPanel.h"
#include "link/GaugeExchange.h"
#include "link/GaugeLink.h"
#include "link/SerialLink.h"
#include "state/GaugeState.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

// One line for the script's log at each step of the run, so that a run that never ends can be
// told apart from one that never began. Like the command line, these lines are not translated.
void Tell(const QString& text) {
    std::fprintf(stderr, "zento-fm: --measure: %s\n", qUtf8Printable(text));
    std::fflush(stderr);
}

} // namespace

void TMainForm::MeasureUnattended(std::chrono::milliseconds length) {
    m_unattendedLength = length;
    m_unattendedPhase = UnattendedPhase::Waiting;
    m_unattendedAwaited.clear();
    // The start limit counts from here: a splash that never hands over is waited for too.
    m_unattendedClock.start();
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
        const bool linked = m_gauge.UseEthernet ? link && link->IsOpen() : Connected();
        QString awaited;
        if (!m_activated)
            awaited = QStringLiteral("the main window");
        else if (!linked) {
            awaited = QStringLiteral("the link to %1")
                          .arg(link ? link->Name() : QStringLiteral("the gauge"));
            // Why the port did not open is the one thing a log reader cannot guess.
            if (!m_gauge.UseEthernet && !m_ComPort1->ErrorString().isEmpty())
                awaited += QStringLiteral(" (%1)").arg(m_ComPort1->ErrorString());
        } else if (m_TimerReport->isActive())
            awaited = QStringLiteral("the gauge's settings report");
        else if (!m_instrument->StartOffered())
            awaited = QStringLiteral("Start to be offered");
        if (awaited != m_unattendedAwaited && !awaited.isEmpty())
            Tell(QStringLiteral("waiting for ") + awaited);
        m_unattendedAwaited = awaited;
        if (awaited.isEmpty()) {
            sbStartClick();
            // A refused start (no sampling time, a capture file that cannot be written) has
            // said why already; Start stays offered.
            if (m_instrument->StartOffered()) {
                Tell(QStringLiteral("the run could not be started"));
                break;
            }
            Tell(QStringLiteral("run started"));
            m_unattendedClock.start();
            m_unattendedPhase = UnattendedPhase::Running;
            return;
        }
        if (m_unattendedClock.elapsed() < UnattendedStartLimit.count())
            return;
        const auto limit = std::chrono::duration_cast<std::chrono::seconds>(UnattendedStartLimit);
        Tell(QStringLiteral("gave up after %1 s waiting for %2").arg(limit.count()).arg(awaited));
        break;
    }
    case UnattendedPhase::Running:
        // A scheduled start counts from the click too: the length is the whole wait.
        if (m_unattendedClock.elapsed() < m_unattendedLength.count())
            return;
        sbStopClick();
        Tell(QStringLiteral("run stopped"));
        m_unattendedClock.start();
        m_unattendedPhase = UnattendedPhase::Stopping;
        return;
    case UnattendedPhase::Stopping:
        // The samples are kept at Stop; the confirmation only tells that the gauge is quiet.
        if (m_gauge.MeasurementRunning && m_unattendedClock.elapsed() < UnattendedStopGrace.count())
            return;
        Tell(m_gauge.MeasurementRunning
                 ? QStringLiteral("the gauge did not confirm the stop; closing")
                 : QStringLiteral("closing"));
        ReplayPendingCapture();
        m_unattendedPhase = UnattendedPhase::Off;
        m_unattendedTimer->stop();
        close();
        return;
    }
    // The run never began: the window closes as "Wyjdź" does, and the exit code tells the
    // script that nothing was measured.
    m_unattendedPhase = UnattendedPhase::Off;
    m_unattendedTimer->stop();
    close();
    QCoreApplication::exit(UnattendedNotStarted);
}
