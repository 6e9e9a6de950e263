// The settings panel's handlers and the keys of the instrument picture. The user's choice goes
// into the gauge's settings and, as an order, to the gauge. A control changed to show what the
// gauge reported carries the SuppressNextClick mark; its handler then does nothing.
#include "app/MainForm.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/ClickGuard.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/RadioGroup.h"
#include "link/GaugeExchange.h"
#include "measure/SettingsRules.h"
#include "protocol/OrderSet.h"
#include "state/Global.h"
#include "state/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <optional>

using Order = OrderSet::Order;

namespace {

// Items of the speed and acquisition groups, and of the PEAK mode group.
constexpr int FirstItem = 0;
constexpr int SecondItem = 1;

// A typed value the gauge must not get: the reason under "Uwaga", and the user is back in
// the field to correct it. Nothing is sent and the exchange stays as it was.
bool Accepted(QWidget* window, QLineEdit* field, const std::optional<QString>& fault) {
    if (!fault)
        return true;
    ShowMessage(TMainForm::tr("Uwaga"), *fault, MessageIcon::Information, window);
    field->setFocus(Qt::OtherFocusReason);
    return false;
}

// A typed number goes out as typed, only its first "," made a ".".
void IssueTyped(GaugeExchange& exchange, Order order, const QLineEdit* field) {
    exchange.Send(order, OrderSet::NumberArgument(field->text()));
}

} // namespace

void TMainForm::rgUnitClick() {
    if (TakeSuppressedClick(*m_rgUnit))
        return;
    const int index = m_rgUnit->ItemIndex();
    Settings().SetUnitIndex(index);
    if (m_exchange->RefusesDuringRun())
        return;
    m_exchange->Send(Order::Unit, OrderSet::UnitToken(Global.DeviceFamily, Settings().Model(),
                                                      index, m_rgUnit->Items().value(index)));
}

// Serves the check box and the mode group alike; both share the check box's mark.
void TMainForm::chkbPeakClick() {
    if (TakeSuppressedClick(*m_chkbPeak))
        return;
    Settings().SetPeak(m_chkbPeak->isChecked(), m_rgPeakMode->ItemIndex());
    if (m_exchange->RefusesDuringRun())
        return;
    if (!m_chkbPeak->isChecked())
        m_exchange->Send(Order::PeakOff);
    else if (m_rgPeakMode->ItemIndex() == FirstItem)
        m_exchange->Send(Order::PeakPush);
    else if (m_rgPeakMode->ItemIndex() == SecondItem)
        m_exchange->Send(Order::PeakPull);
}

void TMainForm::rgSpeedClick() {
    if (TakeSuppressedClick(*m_rgSpeed))
        return;
    const int index = m_rgSpeed->ItemIndex();
    Settings().SetSpeed(index);
    if (index != FirstItem && index != SecondItem)
        return;
    if (m_exchange->RefusesDuringRun())
        return;
    // Readings wait until the gauge has confirmed the new speed.
    DisableTimer(WindowTimer::Display);
    m_exchange->Send(index == SecondItem ? Order::SpeedFast : Order::SpeedSlow);
}

void TMainForm::rgAcquisitionClick() {
    if (TakeSuppressedClick(*m_rgAcquisition))
        return;
    const int index = m_rgAcquisition->ItemIndex();
    Settings().SetAcquisition(index);
    if (m_exchange->RefusesDuringRun())
        return;
    if (index != FirstItem && index != SecondItem)
        return;
    m_exchange->Send(index == SecondItem ? Order::AcqAuto : Order::AcqManual);
}

void TMainForm::chkbThrClick() {
    if (TakeSuppressedClick(*m_chkbThr))
        return;
    // The threshold lines on the chart follow the box during a run too; only the order waits.
    Settings().SetThresholdsOn(m_chkbThr->isChecked());
    if (m_exchange->RefusesDuringRun())
        return;
    m_exchange->Send(m_chkbThr->isChecked() ? Order::ThresholdsOn : Order::ThresholdsOff);
}

void TMainForm::sbLowClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    if (Accepted(this, m_EditLow, SettingsRules::CheckThreshold(m_EditLow->text())))
        IssueTyped(*m_exchange, Order::LowThreshold, m_EditLow);
}

void TMainForm::sbHighClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    if (Accepted(this, m_EditHigh, SettingsRules::CheckThreshold(m_EditHigh->text())))
        IssueTyped(*m_exchange, Order::HighThreshold, m_EditHigh);
}

void TMainForm::dbZeroClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    if (Accepted(this, m_EditZero, SettingsRules::CheckThreshold(m_EditZero->text())))
        IssueTyped(*m_exchange, Order::ZeroThreshold, m_EditZero);
}

// The bound is the one the caption shows: 800 at start, 6400 once the model is known, or
// what the gauge reported as its maximum.
void TMainForm::sbSampleCountClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    if (Accepted(
            this, m_EditSampleCount,
            SettingsRules::CheckSampleCount(m_EditSampleCount->text(), m_lbSampleCount->text())))
        IssueTyped(*m_exchange, Order::SampleCount, m_EditSampleCount);
}

// Only force gauges of the first family have a speed to choose; that tells which limits apply.
void TMainForm::sbSampleTimeClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    if (Accepted(this, m_EditSampleTime,
                 SettingsRules::CheckSampleTime(m_EditSampleTime->text(), Settings().SpeedChoice(),
                                                Settings().Speed())))
        IssueTyped(*m_exchange, Order::SampleTime, m_EditSampleTime);
}

void TMainForm::sbAccelerationClick() {
    if (m_exchange->RefusesDuringRun())
        return;
    if (Accepted(this, m_EditAcceleration,
                 SettingsRules::CheckAcceleration(m_EditAcceleration->text())))
        IssueTyped(*m_exchange, Order::Acceleration, m_EditAcceleration);
}

// The next tick of the report poll asks for the whole settings report.
void TMainForm::sbUpdateSettingsClick() {
    EnableTimer(WindowTimer::Report);
}

// --- Keys of the instrument picture: the key gives way until the press timer shows it again.

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
    m_chkbPeak->setChecked(!m_chkbPeak->isChecked());
    // When the handler sent nothing (a mark left by the reply side swallowed the change), the
    // key must still come back.
    if (!m_TimerPress->isActive())
        m_TimerPress->start();
}
