#include "link/SerialLink.h"

#include "link/PortResolver.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
#include <QMetaObject>

#include <algorithm>
#include <climits>

namespace {

QSerialPort::DataBits ToQt(SerialSettings::Data bits) {
    switch (bits) {
    case SerialSettings::Data::Five:
        return QSerialPort::Data5;
    case SerialSettings::Data::Six:
        return QSerialPort::Data6;
    case SerialSettings::Data::Seven:
        return QSerialPort::Data7;
    case SerialSettings::Data::Eight:
        break;
    }
    return QSerialPort::Data8;
}

QSerialPort::StopBits ToQt(SerialSettings::Stop bits) {
    switch (bits) {
    case SerialSettings::Stop::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case SerialSettings::Stop::Two:
        return QSerialPort::TwoStop;
    case SerialSettings::Stop::One:
        break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::Parity ToQt(SerialSettings::ParityKind parity) {
    switch (parity) {
    case SerialSettings::ParityKind::Odd:
        return QSerialPort::OddParity;
    case SerialSettings::ParityKind::Even:
        return QSerialPort::EvenParity;
    case SerialSettings::ParityKind::Mark:
        return QSerialPort::MarkParity;
    case SerialSettings::ParityKind::Space:
        return QSerialPort::SpaceParity;
    case SerialSettings::ParityKind::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::FlowControl ToQt(SerialSettings::Flow flow) {
    switch (flow) {
    case SerialSettings::Flow::Hardware:
        return QSerialPort::HardwareControl;
    case SerialSettings::Flow::Software:
        return QSerialPort::SoftwareControl;
    case SerialSettings::Flow::None:
    case SerialSettings::Flow::Custom:
        break;
    }
    return QSerialPort::NoFlowControl;
}

// Errors that say nothing about the port being gone.
bool IsHarmless(QSerialPort::SerialPortError error) {
    return error == QSerialPort::NoError || error == QSerialPort::TimeoutError;
}

} // namespace

namespace {

// The devices this program's windows hold open. The platform's own exclusive use of a port
// does not stop a second open by the same user everywhere (nor by root), and two windows reading
// one gauge would each get half of its lines.
QHash<QString, const SerialLink*>& HeldDevices() {
    static QHash<QString, const SerialLink*> held;
    return held;
}

QString DeviceKey(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

} // namespace

SerialLink::SerialLink(QObject* parent)
    : GaugeLink(parent)
    , m_port(new QSerialPort(this)) {
    setObjectName(QStringLiteral("ComPort1"));
    m_port->setObjectName(QStringLiteral("ComPort1"));
    connect(m_port, &QSerialPort::readyRead, this, &SerialLink::ComPort1RxChar);
    connect(m_port, &QSerialPort::errorOccurred, this, &SerialLink::PortError);
}

SerialLink::~SerialLink() {
    // The port is destroyed after this object's own part; it must not call back into it.
    m_port->disconnect(this);
    m_port->close();
    Release();
}

void SerialLink::Release() {
    if (!m_heldDevice.isEmpty() && HeldDevices().value(m_heldDevice) == this)
        HeldDevices().remove(m_heldDevice);
    m_heldDevice.clear();
}

bool SerialLink::ApplySettings(const SerialSettings& settings) {
    SerialSettings next = settings;
    if (next.FlowControl == SerialSettings::Flow::Custom)
        next.FlowControl = m_settings.FlowControl;
    const bool renamed = next.Port != m_settings.Port;
    const SerialSettings working = m_settings;
    m_settings = next;
    if (!IsOpen())
        return true;
    if (!renamed) {
        if (Configure())
            return true;
        // The open port keeps what worked, in memory and so in "ComPort.ini"; the refusal
        // stays readable in ErrorString.
        const QString refusal = m_error;
        m_settings = working;
        Configure();
        m_error = refusal;
        return false;
    }

    Close();
    if (OpenPort())
        return true;
    emit Lost(m_error);
    return false;
}

bool SerialLink::LoadSettings(const QString& iniPath) {
    return ApplySettings(ComPortIni::Load(iniPath, m_settings));
}

bool SerialLink::SaveSettings(const QString& iniPath) const {
    return ComPortIni::Save(iniPath, m_settings);
}

bool SerialLink::Open() {
    if (IsOpen())
        return true;
    return OpenPort();
}

bool SerialLink::OpenPort() {
    const QString device = PortResolver::Resolve(m_settings.Port);
    if (device.isEmpty()) {
        m_error = tr("Port %1 nie istnieje").arg(m_settings.Port);
        return false;
    }
    const QString key = DeviceKey(device);
    if (const SerialLink* holder = HeldDevices().value(key); holder && holder != this) {
        m_error = tr("Port %1 jest używany w innym oknie programu").arg(m_settings.Port);
        return false;
    }
    m_port->setPortName(device);
    m_configuring = true;
    const bool opened = m_port->open(QIODevice::ReadWrite);
    m_configuring = false;
    if (!opened) {
        m_error = tr("Nie można otworzyć portu %1: %2").arg(m_settings.Port, m_port->errorString());
        m_port->clearError();
        return false;
    }
    if (!Configure()) {
        m_port->close();
        return false;
    }
    m_lossPending = false;
    m_error.clear();
    m_heldDevice = key;
    HeldDevices().insert(key, this);
    return true;
}

bool SerialLink::Configure() {
    m_configuring = true;
    // Every setting is tried; the first one refused is named.
    QString refused;
    const auto take = [&refused](bool accepted, const char* setting) {
        if (!accepted && refused.isEmpty())
            refused = tr(setting);
        return accepted;
    };
    bool ok = take(m_port->setBaudRate(m_settings.BitsPerSecond()), QT_TR_NOOP("prędkość"));
    ok = take(m_port->setDataBits(ToQt(m_settings.DataBits)), QT_TR_NOOP("bity danych")) && ok;
    ok = take(m_port->setStopBits(ToQt(m_settings.StopBits)), QT_TR_NOOP("bity stopu")) && ok;
    ok = take(m_port->setParity(ToQt(m_settings.Parity)), QT_TR_NOOP("parzystość")) && ok;
    ok = take(m_port->setFlowControl(ToQt(m_settings.FlowControl)),
              QT_TR_NOOP("sterowanie przepływem")) &&
         ok;
    if (ok && m_settings.FlowControl == SerialSettings::Flow::None) {
        // Without flow control both lines are held inactive. Ports without modem lines
        // (pseudo-terminals, some adapters) refuse this, which does not matter to them.
        m_port->setDataTerminalReady(false);
        m_port->setRequestToSend(false);
    }
    if (!ok)
        m_error = tr("Port %1 nie przyjął ustawień (%2): %3")
                      .arg(m_settings.Port, refused, m_port->errorString());
    m_port->clearError();
    m_configuring = false;
    return ok;
}

void SerialLink::Close() {
    m_lossPending = false;
    m_deliveryQueued = false;
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
    Release();
}

bool SerialLink::IsOpen() const {
    return m_port->isOpen();
}

std::chrono::milliseconds SerialLink::WriteTimeout(qsizetype characters) {
    const qint64 limit = (qint64(INT_MAX) - WriteFixed.count()) / WritePerCharacter.count();
    return WritePerCharacter * std::clamp<qint64>(characters, 0, limit) + WriteFixed;
}

bool SerialLink::Write(const QByteArray& data) {
    if (!IsOpen() || m_lossPending) {
        m_error = tr("Port jest zamknięty");
        return false;
    }
    if (data.isEmpty())
        return true;
    m_writing = true;
    bool written = m_port->write(data) == data.size();
    const QDeadlineTimer deadline(WriteTimeout(data.size()));
    while (written && m_port->isOpen() && m_port->bytesToWrite() > 0 && !m_lossPending) {
        written =
            !deadline.hasExpired() && m_port->waitForBytesWritten(int(deadline.remainingTime()));
    }
    m_writing = false;
    if (!written && m_port->isOpen() && !m_lossPending) {
        // What was not sent in time would otherwise go out with a later order.
        m_error = tr("Przekroczony czas zapisu do portu %1").arg(m_settings.Port);
        m_port->clear(QSerialPort::Output);
        m_port->clearError();
    }
    if (m_port->isOpen() && m_port->bytesAvailable() > 0)
        ComPort1RxChar();
    return written && !m_lossPending;
}

void SerialLink::ComPort1RxChar() {
    // A write waits for its bytes in a nested loop that may report arrivals; the receiver
    // must not be entered from inside an order being sent, so delivery waits for the event
    // loop.
    if (m_writing || m_deliveryQueued)
        return;
    m_deliveryQueued = true;
    QMetaObject::invokeMethod(this, &SerialLink::DeliverWaiting, Qt::QueuedConnection);
}

void SerialLink::DeliverWaiting() {
    if (!m_deliveryQueued)
        return;
    m_deliveryQueued = false;
    if (!m_port->isOpen() || m_lossPending)
        return;
    const QByteArray data = m_port->readAll();
    if (!data.isEmpty())
        emit BytesReceived(data);
}

void SerialLink::PortError(QSerialPort::SerialPortError error) {
    if (IsHarmless(error) || m_configuring || m_lossPending || !m_port->isOpen())
        return;
    // A vanished device shows up as an endless run of read errors; the first one is enough.
    m_lossPending = true;
    // The reason alone: whoever shows the loss says which port it was.
    m_lossReason = m_port->errorString();
    QMetaObject::invokeMethod(this, &SerialLink::HandleLoss, Qt::QueuedConnection);
}

void SerialLink::HandleLoss() {
    if (!m_lossPending)
        return; // closed on purpose in the meantime
    m_lossPending = false;
    m_deliveryQueued = false;
    m_port->close();
    m_port->clearError();
    Release();
    m_error = tr("Połączenie z portem %1 zostało przerwane: %2").arg(m_settings.Port, m_lossReason);
    emit Lost(m_lossReason);
}
