#pragma once

#include "app/dialogs/AutoKonfTarget.h"
#include "app/dialogs/ConnectionTarget.h"

#include <QObject>
#include <QString>

class GaugeExchange;
class SerialLink;
class TAutoKonfForm;
class TConnectionForm;
class QWidget;

// The link the port button opens and closes: the serial port and its ComPort.ini, the network
// link, and what the auto-configuration and connection dialogs do to them.
class PortControl final : public QObject, public AutoKonfTarget, public ConnectionTarget {
    Q_OBJECT

public:
    // Messages and the dialogs it opens sit over `window`.
    PortControl(GaugeExchange& exchange, QWidget* window);

    // The dialogs are created beside the window; the control does not own them.
    void SetDialogs(TAutoKonfForm* autoKonf, TConnectionForm* connection);

    // The port button has opened the serial port (the network link keeps its own state).
    bool SerialOpen() const { return m_serialOpen; }
    // The port button: opens or closes the link config.xml chose.
    void Toggle();
    // "Połączenie": the connection settings, modally.
    void ShowConnectionDialog();
    // A lost link tried once more, without a message: true when it is open (the serial port
    // opens at once; the network link starts an attempt and tells of its success by
    // NetworkConnected). An attempt still under way is given up and started afresh.
    bool Reopen();
    // Gives up a network attempt under way.
    void AbandonReopen();
    // The port or the peer config.xml chose, as status texts name it.
    QString LinkName() const;

    // ComPort.ini, read as the window is created and written as it closes. A further window
    // keeps its port in config.xml instead: it neither reads nor writes the file.
    void SetKeepsIni(bool keeps) { m_keepsIni = keeps; }
    void LoadIni();
    void CloseAndStoreIni();
    void CreateNetworkLink();
    // The exit sequence may run while the network link is handing over a line (a message box
    // waits for the user, with the link's handler below it on the stack): the link says
    // goodbye now and goes once nothing of it is running.
    void ShutdownNetworkLink();

    // The auto-configuration's port limit as config.xml holds it, kept here until the dialog
    // is known.
    QString MaxPortText() const;
    void SetMaxPortText(const QString& text);

    // AutoKonfTarget and ConnectionTarget.
    GaugeState& Gauge() const override;
    // AutoKonfTarget.
    bool SerialPortIsOpen() const override;
    void CloseSerialPort() override;
    bool OpenSerialPortAt(const QString& portName, SerialSettings::Baud baudRate) override;
    void AskForDisplay() override;
    // ConnectionTarget.
    SerialSettings SerialPortSettings() const override;
    bool ApplySerialPortSettings(const SerialSettings& settings) override;
    bool SerialLinkOpen() const override { return m_serialOpen; }
    void ClickPortButton() override;
    bool ExecuteSerialSetup(QWidget* parent) override;
    void ShowAutoConfiguration(bool autoStart) override;

signals:
    // The serial port behind the button opened or closed.
    void SerialOpenChanged(bool open);
    // The serial link was lost (an unplugged adapter); the port is closed already.
    void SerialLost(const QString& reason);
    // The network link was lost.
    void NetworkLost();
    // The network link is connected (by the port button or by Reopen).
    void NetworkConnected();

private:
    void SetSerialOpen(bool open);
    void TellPortMissing();

    GaugeExchange& m_exchange;
    SerialLink& m_port;
    QWidget* m_window = nullptr;
    bool m_serialOpen = false;
    TAutoKonfForm* m_autoKonf = nullptr;
    TConnectionForm* m_connectionForm = nullptr;
    QString m_maxPortText;
    bool m_keepsIni = true;
};
