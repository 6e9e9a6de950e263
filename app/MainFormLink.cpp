// The window's side of the link to the gauge: the port button, what arrives from either link,
// the polls and every order's way out.
#include "app/MainForm.h"

#include "app/dialogs/CPortSetup.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "app/widgets/CheckBox.h"
#include "app/widgets/SpeedButton.h"
#include "link/CaptureFile.h"
#include "link/EthConnection.h"
#include "link/GaugeExchange.h"
#include "link/GaugeLink.h"
#include "link/SerialLink.h"
#include "link/SerialSettings.h"
#include "protocol/OrderSet.h"
#include "state/Global.h"
#include "state/Messages.h"

#include <QFileInfo>
#include <QTimer>

namespace {

void TellPortMissing(QWidget* window) {
    ShowMessage(QStringLiteral("JRV-FG"),
                TMainForm::tr("Wskazany port COM nie istnieje lub jest zajęty przez inny program"),
                MessageIcon::Warning, window);
}

} // namespace

void TMainForm::BuildLinks() {
    m_exchange = new GaugeExchange(this);
    m_ComPort1 = &m_exchange->Serial();
    connect(m_ComPort1, &SerialLink::Lost, this, &TMainForm::ComPort1LinkLost);
    connect(m_exchange, &GaugeExchange::OrderSent, this, [this](const QByteArray&, bool press) {
        // A key press shows its key again after a moment; a running press timer is not
        // restarted.
        if (press && !m_TimerPress->isActive())
            m_TimerPress->start();
    });
    connect(m_exchange, &GaugeExchange::StatusText, this, &TMainForm::SetStatusText);
    connect(m_exchange, &GaugeExchange::RunEnded, this, &TMainForm::RunEnded);
}

void TMainForm::UpdatePortButton() {
    const QString caption = Connected() ? tr("Zamknij port") : tr("Otwórz port");
    m_sbComPort->setText(caption);
    m_sbComPort->setToolTip(caption);
}

void TMainForm::sbComPortClick() {
    if (Global.UseEthernet) {
        if (CEthConnection* network = m_exchange->Network())
            network->Toggle(Global.EthHost, Global.EthPort);
        return;
    }
    if (m_linkState != LinkState::Closed) {
        m_ComPort1->Close();
        m_linkState = LinkState::Closed;
        UpdatePortButton();
        return;
    }
    if (!m_exchange->OpenSerial()) {
        TellPortMissing(this);
        return;
    }
    m_linkState = LinkState::Open;
    UpdatePortButton();
}

// An unplugged adapter: the port is closed and the button offers to open it again; what the
// chart holds stays.
void TMainForm::ComPort1LinkLost(const QString& reason) {
    // The gauge can no longer confirm a stop: what the fast run captured is shown now.
    ReplayPendingCapture();
    m_linkState = LinkState::Closed;
    UpdatePortButton();
    QString status =
        tr("Połączenie z portem %1 zostało przerwane").arg(m_ComPort1->Settings().Port);
    if (!reason.isEmpty())
        status += QStringLiteral(" (") + reason + QLatin1Char(')');
    SetStatusText(status);
}

void TMainForm::ConnectionClick() {
    Global.ConnectionDialogOpen = true;
    if (m_connectionForm)
        m_connectionForm->exec();
    Global.ConnectionDialogOpen = false;
}

void TMainForm::TimerDisplayTimer() {
    m_TimerDisplay->stop();
    m_exchange->Poll(OrderSet::Order::DisplayPoll);
    if (m_chkbUpdateDisplay->isChecked())
        m_TimerDisplay->start();
}

void TMainForm::TimerBatteryTimer() {
    m_TimerBattery->stop();
    if (m_chkbUpdateBattery->isChecked())
        m_exchange->Poll(OrderSet::Order::Battery);
    if (m_chkbUpdateBattery->isChecked())
        m_TimerBattery->start();
}

// Asks until a whole report has been read; stops for good when it may not ask, until
// something enables it again.
void TMainForm::TimerReportTimer() {
    m_TimerReport->stop();
    if (m_exchange->Poll(OrderSet::Order::Report))
        m_TimerReport->start();
}

void TMainForm::LoadComPortIni() {
    const QString path = ComPortIni::DefaultPath();
    if (QFileInfo::exists(path))
        m_ComPort1->LoadSettings(path);
}

void TMainForm::CloseSerialPortAndStoreIni() {
    // A scan still stepping behind a closed dialog would open the port again.
    if (m_autoKonf)
        m_autoKonf->StopScan();
    m_ComPort1->Close();
    m_ComPort1->SaveSettings(ComPortIni::DefaultPath());
}

void TMainForm::CreateEthLink() {
    m_exchange->CreateNetworkLink();
    // The gauge can no longer confirm a stop: what the fast run captured is shown now.
    connect(m_exchange->Network(), &GaugeLink::Lost, this, &TMainForm::ReplayPendingCapture);
}

// The exit sequence may run while the link is handing over a line (a message box raised by
// the reply side waits for the user, with the link's handler below it on the stack): the
// link says goodbye now and goes with the window, once nothing of it is running.
void TMainForm::DestroyEthLink() {
    m_exchange->ShutdownNetworkLink();
}

// --- Auto-configuration and connection settings -------------------------------------------

void TMainForm::AttachLinkDialogs() {
    if (m_autoKonf) {
        m_autoKonf->SetTarget(this);
        // The dialog owns the text from now on; without a loaded one it keeps its own.
        if (!m_maxPortText.isEmpty())
            m_autoKonf->SetMaxPortText(m_maxPortText);
    }
    if (m_connectionForm)
        m_connectionForm->SetTarget(this);
}

QString TMainForm::MaxPortText() const {
    return m_autoKonf ? m_autoKonf->MaxPortText() : m_maxPortText;
}

void TMainForm::SetMaxPortText(const QString& text) {
    m_maxPortText = text;
    if (m_autoKonf)
        m_autoKonf->SetMaxPortText(text);
}

void TMainForm::ShowAutoConfiguration(bool autoStart) {
    if (m_autoKonf)
        m_autoKonf->DisplayForm(autoStart);
}

bool TMainForm::SerialPortIsOpen() const {
    return m_ComPort1->IsOpen();
}

// The scan opens and closes the port behind the port button, which keeps its state.
void TMainForm::CloseSerialPort() {
    m_ComPort1->Close();
}

bool TMainForm::OpenSerialPortAt(const QString& portName, SerialSettings::Baud baudRate) {
    m_ComPort1->Close();
    SerialSettings settings = m_ComPort1->Settings();
    settings.Port = portName;
    settings.BaudRate = baudRate;
    m_ComPort1->ApplySettings(settings);
    // Half a line from another port or speed must not spoil the first reply here.
    m_exchange->ResetIncoming();
    return m_ComPort1->Open();
}

void TMainForm::AskForDisplay() {
    m_exchange->AskForDisplay();
}

SerialSettings TMainForm::SerialPortSettings() const {
    return m_ComPort1->Settings();
}

bool TMainForm::ApplySerialPortSettings(const SerialSettings& settings) {
    const bool reopen = m_ComPort1->IsOpen() && settings.Port != m_ComPort1->Settings().Port;
    if (!reopen) {
        // A port the device refuses some setting of keeps working with the rest.
        m_ComPort1->ApplySettings(settings);
        return true;
    }
    m_ComPort1->Close();
    m_ComPort1->ApplySettings(settings);
    m_exchange->ResetIncoming();
    if (m_ComPort1->Open())
        return true;
    m_linkState = LinkState::Closed;
    UpdatePortButton();
    TellPortMissing(this);
    return false;
}

void TMainForm::ClickPortButton() {
    m_sbComPort->click();
}

bool TMainForm::ExecuteSerialSetup(QWidget* parent) {
    return TComSetupFrm::Execute(*m_ComPort1, parent ? parent : this);
}
