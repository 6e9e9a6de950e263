#pragma once

#include "link/SerialSettings.h"
#include "state/GaugeState.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// What the auto-configuration does to the main window: its serial port and the way orders
// leave. PortControl implements it; tests use a fake, so that a scan runs without a port.
class AutoKonfTarget {
public:
    virtual ~AutoKonfTarget() = default;

    // The gauge the window serves: whether its port is configured.
    virtual GaugeState& Gauge() const = 0;
    virtual bool SerialPortIsOpen() const = 0;
    virtual void CloseSerialPort() = 0;
    // Names the port and sets its speed (the other settings stay), then opens it. Text that
    // arrived from an earlier port or speed is forgotten. False when the port cannot be opened.
    virtual bool OpenSerialPortAt(const QString& portName, SerialSettings::Baud baudRate) = 0;
    // Sends "SI": its display reading is the answer the scan waits for.
    virtual void AskForDisplay() = 0;
};
