// The settings panel and the keys of the instrument picture. A control the reply side has
// just changed carries the SuppressNextClick mark; its handler then sends nothing back.
#include "app/MainForm.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/ClickGuard.h"
#include "app/widgets/RadioGroup.h"

#include <QTimer>

void TMainForm::rgUnitClick() {
    if (TakeSuppressedClick(*m_rgUnit))
        return;
    // Stand-in: sends "Su" with the unit of the selected item.
}

// Serves the check box and the mode group alike; both share the check box's mark.
void TMainForm::chkbPeakClick() {
    if (TakeSuppressedClick(*m_chkbPeak))
        return;
    // Stand-in: sends "Sp0", "Sp1" or "Sp2".
}

void TMainForm::rgSpeedClick() {
    // Stand-in: the sample-time caption follows the speed before the mark is looked at.
    if (TakeSuppressedClick(*m_rgSpeed))
        return;
    // Stand-in: sends "Sf0" or "Sf1".
}

void TMainForm::rgAcquisitionClick() {
    if (TakeSuppressedClick(*m_rgAcquisition))
        return;
    // Stand-in: sends "Sa0" or "Sa1".
}

void TMainForm::chkbThrClick() {
    if (TakeSuppressedClick(*m_chkbThr))
        return;
    // Stand-in: sends "Sk1" or "Sk0".
}

void TMainForm::sbLowClick() {
    // Stand-in: checks the low threshold and sends "SL".
}

void TMainForm::sbHighClick() {
    // Stand-in: checks the high threshold and sends "SH".
}

void TMainForm::dbZeroClick() {
    // Stand-in: checks the zero threshold and sends "SM".
}

void TMainForm::sbSampleCountClick() {
    // Stand-in: checks the sample count against the bound of its caption and sends "Sv".
}

void TMainForm::sbSampleTimeClick() {
    // Stand-in: checks the sampling time for the instrument and speed and sends "St".
}

void TMainForm::sbAccelerationClick() {
    // Stand-in: checks the acceleration and sends "Sn".
}

// The next tick of the report poll asks for the whole settings report.
void TMainForm::sbUpdateSettingsClick() {
    EnableTimer(WindowTimer::Report);
}

void TMainForm::ImageZeroClick() {
    // Stand-in: hides the key and sends "ST".
}

void TMainForm::ImageOnOffClick() {
    // Stand-in: hides the key and sends "SS".
}

void TMainForm::ImageStandbyClick() {
    // Stand-in: hides the key and sends "Ss".
}

void TMainForm::ImagePeakClick() {
    // Stand-in: hides the key, inverts "Tryb PEAK" and sends the matching order.
}

void TMainForm::ImageMemClick() {
    // Stand-in: hides the key and sends "Sm".
}
