#pragma once

#include "link/SerialSettings.h"
#include "state/GaugeState.h"

class QWidget;

// What the connection settings dialog does to the main window: its serial port, its port
// button and the two dialogs it opens from there. PortControl implements it; tests use a fake.
class ConnectionTarget {
public:
    virtual ~ConnectionTarget() = default;

    // The gauge the window serves: the link it uses and how a lost link is tried again.
    virtual GaugeState& Gauge() const = 0;
    virtual SerialSettings SerialPortSettings() const = 0;
    // An open port is reconfigured at once, or reopened under a new name. False when an open
    // port could not be reopened under its new name: the user has been told, and the link is
    // closed.
    virtual bool ApplySerialPortSettings(const SerialSettings& settings) = 0;
    // The port button has opened the serial port.
    virtual bool SerialLinkOpen() const = 0;
    virtual void ClickPortButton() = 0;
    // The advanced serial dialog; true when it was closed with "Zastosuj".
    virtual bool ExecuteSerialSetup(QWidget* parent) = 0;
    // The auto-configuration dialog, shown modally.
    virtual void ShowAutoConfiguration(bool autoStart) = 0;
};
