// The keys of the instrument picture.
#include "app/MainForm.h"

#include "app/SettingsPanel.h"
#include "app/widgets/ImageButton.h"
#include "link/GaugeExchange.h"
#include "protocol/OrderSet.h"

#include <QTimer>

using Order = OrderSet::Order;

// Each key gives way until the press timer shows it again.

void TMainForm::ImageZeroClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    m_ImageZero->hide();
    m_exchange->Send(Order::Tare);
}

void TMainForm::ImageOnOffClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    m_ImageOnOff->hide();
    m_exchange->Send(Order::OnOff);
}

void TMainForm::ImageStandbyClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    m_ImageStandby->hide();
    m_exchange->Send(Order::Standby);
}

void TMainForm::ImageMemClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    m_ImageMem->hide();
    m_exchange->Send(Order::Mem);
}

// The check box's change runs the PEAK handler, which sends the order for the new state.
void TMainForm::ImagePeakClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    m_ImagePeak->hide();
    m_settingsPanel->TogglePeak();
    // When the handler sent nothing (a mark left by the reply side swallowed the change), the
    // key must still come back.
    if (!m_TimerPress->isActive())
        m_TimerPress->start();
}
