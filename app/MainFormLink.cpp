// The window's side of the link to the gauge: the port button, the connection dialog, the
// polls and every order's way out.
#include "app/MainForm.h"

#include "app/state/Global.h"
#include "link/TConnectionForm.h"

#include <QTimer>

void TMainForm::SendOrder(const QByteArray& order, bool press) {
    // A key press shows its key again after a moment; a running press timer is not restarted.
    if (press && !m_TimerPress->isActive())
        m_TimerPress->start();
    // Stand-in: the serial and network links take the order (order + CR LF) here.
    Q_UNUSED(order);
}

void TMainForm::sbComPortClick() {
    // Stand-in: opens or closes the serial port, or starts the network connection.
}

void TMainForm::ConnectionClick() {
    Global.ConnectionDialogOpen = true;
    if (m_connectionForm)
        m_connectionForm->exec();
    Global.ConnectionDialogOpen = false;
}

void TMainForm::TimerDisplayTimer() {
    // Stand-in: asks for the reading ("Sx1").
}

void TMainForm::TimerBatteryTimer() {
    // Stand-in: asks for the battery ("Sb").
}

void TMainForm::TimerReportTimer() {
    // Stand-in: asks for the settings report ("Sid").
}

void TMainForm::LoadComPortIni() {
    // Stand-in: the serial port's basic settings from "ComPort.ini", failures ignored.
}

void TMainForm::CloseSerialPortAndStoreIni() {
    // Stand-in: closes the serial port and, when that worked, writes "ComPort.ini".
}

void TMainForm::CreateEthLink() {
    // Stand-in: creates the network link object.
}

void TMainForm::DestroyEthLink() {
    // Stand-in: destroys the network link, closing a connection that is open.
}

void TMainForm::ShowAutoConfiguration(bool autoStart) {
    // Stand-in: the auto-configuration dialog, shown modally, scanning by itself on request.
    Q_UNUSED(autoStart);
}
