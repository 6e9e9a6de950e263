// The settings panel and the keys of the instrument picture. A control the reply side has
// just changed carries the SuppressNextClick mark; its handler then sends nothing back.
#include "app/MainForm.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/ClickGuard.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/RadioGroup.h"
#include "measure/SettingsRules.h"
#include "protocol/DeviceModel.h"
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
void IssueTyped(ReplyTarget& window, Order order, const QLineEdit* field) {
    OrderSet::Issue(window, order, OrderSet::NumberArgument(field->text()));
}

} // namespace

void TMainForm::rgUnitClick() {
    if (TakeSuppressedClick(*m_rgUnit))
        return;
    if (RefusedDuringRun())
        return;
    const int index = m_rgUnit->ItemIndex();
    OrderSet::Issue(*this, Order::Unit,
                    OrderSet::UnitToken(Global.DeviceFamily, m_LabelModel->text(), index,
                                        m_rgUnit->Items().value(index)));
}

// Serves the check box and the mode group alike; both share the check box's mark.
void TMainForm::chkbPeakClick() {
    if (TakeSuppressedClick(*m_chkbPeak))
        return;
    if (RefusedDuringRun())
        return;
    Global.ExchangeState = ExchangeState::Confirming;
    if (!m_chkbPeak->isChecked())
        OrderSet::Issue(*this, Order::PeakOff);
    else if (m_rgPeakMode->ItemIndex() == FirstItem)
        OrderSet::Issue(*this, Order::PeakPush);
    else if (m_rgPeakMode->ItemIndex() == SecondItem)
        OrderSet::Issue(*this, Order::PeakPull);
}

void TMainForm::rgSpeedClick() {
    // The range beside the sampling time follows the speed shown, whoever changed it.
    m_LabelSampleTime->setText(
        DeviceModel::SampleTimeCaption(Global.DeviceFamily, m_rgSpeed->ItemIndex()));
    if (TakeSuppressedClick(*m_rgSpeed))
        return;
    const int index = m_rgSpeed->ItemIndex();
    if (index != FirstItem && index != SecondItem)
        return;
    if (RefusedDuringRun())
        return;
    // Readings wait until the gauge has confirmed the new speed.
    DisableTimer(WindowTimer::Display);
    OrderSet::Issue(*this, index == SecondItem ? Order::SpeedFast : Order::SpeedSlow);
}

void TMainForm::rgAcquisitionClick() {
    if (TakeSuppressedClick(*m_rgAcquisition))
        return;
    if (RefusedDuringRun())
        return;
    const int index = m_rgAcquisition->ItemIndex();
    if (index != FirstItem && index != SecondItem)
        return;
    OrderSet::Issue(*this, index == SecondItem ? Order::AcqAuto : Order::AcqManual);
}

void TMainForm::chkbThrClick() {
    if (TakeSuppressedClick(*m_chkbThr))
        return;
    // The threshold lines on the chart follow the box during a run too; only the order waits.
    if (RefusedDuringRun())
        return;
    OrderSet::Issue(*this, m_chkbThr->isChecked() ? Order::ThresholdsOn : Order::ThresholdsOff);
}

void TMainForm::sbLowClick() {
    if (RefusedDuringRun())
        return;
    if (Accepted(this, m_EditLow, SettingsRules::CheckThreshold(m_EditLow->text())))
        IssueTyped(*this, Order::LowThreshold, m_EditLow);
}

void TMainForm::sbHighClick() {
    if (RefusedDuringRun())
        return;
    if (Accepted(this, m_EditHigh, SettingsRules::CheckThreshold(m_EditHigh->text())))
        IssueTyped(*this, Order::HighThreshold, m_EditHigh);
}

void TMainForm::dbZeroClick() {
    if (RefusedDuringRun())
        return;
    if (Accepted(this, m_EditZero, SettingsRules::CheckThreshold(m_EditZero->text())))
        IssueTyped(*this, Order::ZeroThreshold, m_EditZero);
}

// The bound is the one the caption shows: 800 at start, 6400 once the model is known, or
// what the gauge reported as its maximum.
void TMainForm::sbSampleCountClick() {
    if (RefusedDuringRun())
        return;
    if (Accepted(
            this, m_EditSampleCount,
            SettingsRules::CheckSampleCount(m_EditSampleCount->text(), m_lbSampleCount->text())))
        IssueTyped(*this, Order::SampleCount, m_EditSampleCount);
}

// Only force gauges of the first family show the speed group; its visibility tells which
// limits apply. Visibility within the window, so that a window not yet shown checks alike.
void TMainForm::sbSampleTimeClick() {
    if (RefusedDuringRun())
        return;
    if (Accepted(this, m_EditSampleTime,
                 SettingsRules::CheckSampleTime(m_EditSampleTime->text(),
                                                m_rgSpeed->isVisibleTo(this),
                                                m_rgSpeed->ItemIndex())))
        IssueTyped(*this, Order::SampleTime, m_EditSampleTime);
}

void TMainForm::sbAccelerationClick() {
    if (RefusedDuringRun())
        return;
    if (Accepted(this, m_EditAcceleration,
                 SettingsRules::CheckAcceleration(m_EditAcceleration->text())))
        IssueTyped(*this, Order::Acceleration, m_EditAcceleration);
}

// The next tick of the report poll asks for the whole settings report.
void TMainForm::sbUpdateSettingsClick() {
    EnableTimer(WindowTimer::Report);
}

// --- Keys of the instrument picture: the key gives way until the press timer shows it again.

void TMainForm::ImageZeroClick() {
    if (RefusedDuringRun())
        return;
    m_ImageZero->hide();
    OrderSet::Issue(*this, Order::Tare);
}

void TMainForm::ImageOnOffClick() {
    if (RefusedDuringRun())
        return;
    m_ImageOnOff->hide();
    OrderSet::Issue(*this, Order::OnOff);
}

void TMainForm::ImageStandbyClick() {
    if (RefusedDuringRun())
        return;
    m_ImageStandby->hide();
    OrderSet::Issue(*this, Order::Standby);
}

void TMainForm::ImageMemClick() {
    if (RefusedDuringRun())
        return;
    m_ImageMem->hide();
    OrderSet::Issue(*this, Order::Mem);
}

// The check box's change runs the PEAK handler, which sends the order for the new state.
void TMainForm::ImagePeakClick() {
    if (RefusedDuringRun())
        return;
    m_ImagePeak->hide();
    m_chkbPeak->setChecked(!m_chkbPeak->isChecked());
    // When the handler sent nothing (a mark left by the reply side swallowed the change), the
    // key must still come back.
    if (!m_TimerPress->isActive())
        m_TimerPress->start();
}
