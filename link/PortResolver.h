#pragma once

#include <QString>
#include <QStringList>

// Turns the program's port names ("COM1" to "COM255") into serial devices. A name that is
// not "COM" and a number is a device name or path and is used as it stands.
namespace PortResolver {

// Folder of "COMn" links consulted instead of the system's ports, when one is in force:
// $ZENTO_FM_PORTS, else the "ports" folder of the per-user configuration if it exists.
QString PortsFolder();

// The device behind a port name; empty when a "COMn" name names no port.
QString Resolve(const QString& portName);

// The number n of a "COMn" name, 0 for any other name.
int PortNumber(const QString& portName);

// The ports present, as "COMn" names in number order.
QStringList AvailablePorts();

} // namespace PortResolver
