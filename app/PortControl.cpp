// The port button's link: serial or network, its settings file and the link dialogs.
#include "app/PortControl.h"

#include "app/dialogs/CPortSetup.h"
#include "app/dialogs/TAutoKonfForm.h"
#include "app/dialogs/TConnectionForm.h"
#include "link/EthConnection.h"
#include "link/GaugeExchange.h"
#include "link/GaugeLink.h"
#include "link/SerialLink.h"
#include "state/GaugeState.h"
#include "state/Messages.h"

#include <QFileInfo>

PortControl::PortControl(GaugeExchange& exchange, QWidget* window)
    : QObject(window)
    , m_exchange(exchange)
    , m_port(exchange.Serial())
    , m_window(window) {
    connect(&m_port, &SerialLink::Lost, this, [this](const QString& reason) {
        SetSerialOpen(false);
        emit SerialLost(reason);
    });
}

GaugeState& PortControl::Gauge() const {
    return m_exchange.Gauge();
}

void PortControl::SetDialogs(TAutoKonfForm* autoKonf, TConnectionForm* connection) {
    m_autoKonf = autoKonf;
    m_connectionForm = connection;
    if (m_autoKonf) {
        m_autoKonf->SetTarget(this);
        // The dialog owns the text from now on; without a loaded one it keeps its own.
        if (!m_maxPortText.isEmpty())
            m_autoKonf->SetMaxPortText(m_maxPortText);
    }
    if (m_connectionForm)
        m_connectionForm->SetTarget(this);
}

void PortControl::SetSerialOpen(bool open) {
    m_serialOpen = open;
    emit SerialOpenChanged(open);
}

void PortControl::TellPortMissing() {
    ShowMessage(QStringLiteral("JRV-FG"),
                tr("Wskazany port COM nie istnieje lub jest zajęty przez inny program"),
                MessageIcon::Warning, m_window);
}

void PortControl::Toggle() {
    if (Gauge().UseEthernet) {
        if (CEthConnection* network = m_exchange.Network())
            network->Toggle(Gauge().EthHost, Gauge().EthPort);
        return;
    }
    if (m_serialOpen) {
        m_port.Close();
        SetSerialOpen(false);
        return;
    }
    if (!m_exchange.OpenSerial()) {
        TellPortMissing();
        return;
    }
    SetSerialOpen(true);
}

void PortControl::ShowConnectionDialog() {
    Gauge().ConnectionDialogOpen = true;
    if (m_connectionForm)
        m_connectionForm->exec();
    Gauge().ConnectionDialogOpen = false;
}

void PortControl::LoadIni() {
    const QString path = ComPortIni::DefaultPath();
    if (m_keepsIni && QFileInfo::exists(path))
        m_port.LoadSettings(path);
}

void PortControl::CloseAndStoreIni() {
    // A scan still stepping behind a closed dialog would open the port again.
    if (m_autoKonf)
        m_autoKonf->StopScan();
    m_port.Close();
    if (m_keepsIni)
        m_port.SaveSettings(ComPortIni::DefaultPath());
}

void PortControl::CreateNetworkLink() {
    m_exchange.CreateNetworkLink();
    CEthConnection* network = m_exchange.Network();
    connect(network, &GaugeLink::Lost, this, &PortControl::NetworkLost);
    connect(network, &CEthConnection::StateChanged, this, [this](std::uint8_t state) {
        if (state == CEthConnection::Connected)
            emit NetworkConnected();
    });
}

bool PortControl::Reopen() {
    if (Gauge().UseEthernet) {
        CEthConnection* network = m_exchange.Network();
        if (!network)
            return false;
        if (network->IsOpen())
            return true;
        // An attempt the peer refused stays "connecting" without a word.
        network->Close();
        network->SetPeer(Gauge().EthHost, Gauge().EthPort);
        network->Open();
        return false;
    }
    if (m_serialOpen && m_port.IsOpen())
        return true;
    if (!m_exchange.OpenSerial())
        return false;
    SetSerialOpen(true);
    return true;
}

void PortControl::AbandonReopen() {
    if (CEthConnection* network = m_exchange.Network();
        Gauge().UseEthernet && network && network->EthLinkState() == CEthConnection::Connecting)
        network->Close();
}

QString PortControl::LinkName() const {
    if (!Gauge().UseEthernet)
        return m_port.Name();
    return Gauge().EthHost + QLatin1Char(':') + QString::number(Gauge().EthPort);
}

void PortControl::ShutdownNetworkLink() {
    m_exchange.ShutdownNetworkLink();
}

QString PortControl::MaxPortText() const {
    return m_autoKonf ? m_autoKonf->MaxPortText() : m_maxPortText;
}

void PortControl::SetMaxPortText(const QString& text) {
    m_maxPortText = text;
    if (m_autoKonf)
        m_autoKonf->SetMaxPortText(text);
}

void PortControl::ShowAutoConfiguration(bool autoStart) {
    if (m_autoKonf)
        m_autoKonf->DisplayForm(autoStart);
}

bool PortControl::SerialPortIsOpen() const {
    return m_port.IsOpen();
}

// The scan opens and closes the port behind the port button, which keeps its state.
void PortControl::CloseSerialPort() {
    m_port.Close();
}

bool PortControl::OpenSerialPortAt(const QString& portName, SerialSettings::Baud baudRate) {
    m_port.Close();
    SerialSettings settings = m_port.Settings();
    settings.Port = portName;
    settings.BaudRate = baudRate;
    m_port.ApplySettings(settings);
    // Half a line from another port or speed must not spoil the first reply here.
    m_exchange.ResetIncoming();
    return m_port.Open();
}

void PortControl::AskForDisplay() {
    m_exchange.AskForDisplay();
}

SerialSettings PortControl::SerialPortSettings() const {
    return m_port.Settings();
}

bool PortControl::ApplySerialPortSettings(const SerialSettings& settings) {
    const bool reopen = m_port.IsOpen() && settings.Port != m_port.Settings().Port;
    if (!reopen) {
        // A port the device refuses some setting of keeps working with the rest.
        m_port.ApplySettings(settings);
        return true;
    }
    m_port.Close();
    m_port.ApplySettings(settings);
    m_exchange.ResetIncoming();
    if (m_port.Open())
        return true;
    SetSerialOpen(false);
    TellPortMissing();
    return false;
}

void PortControl::ClickPortButton() {
    Toggle();
}

bool PortControl::ExecuteSerialSetup(QWidget* parent) {
    return TComSetupFrm::Execute(m_port, parent ? parent : m_window);
}
