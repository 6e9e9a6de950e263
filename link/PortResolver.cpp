#include "link/PortResolver.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr int MaxPortNumber = 255;

// System serial devices, USB adapters first, each group in natural name order.
QStringList SystemDevices() {
    QStringList usb;
    QStringList other;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString name = info.portName();
        if (name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")))
            usb << info.systemLocation();
        else
            other << info.systemLocation();
    }
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(usb.begin(), usb.end(), collator);
    std::sort(other.begin(), other.end(), collator);
    return usb + other;
}

} // namespace

namespace PortResolver {

QString PortsFolder() {
    const QString fromEnvironment = qEnvironmentVariable("ZENTO_FM_PORTS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString userPorts = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                              QStringLiteral("/ports");
    return QFileInfo(userPorts).isDir() ? userPorts : QString();
}

int PortNumber(const QString& portName) {
    static const QRegularExpression comName(QStringLiteral("^COM([0-9]{1,3})$"));
    const QRegularExpressionMatch match = comName.match(portName);
    if (!match.hasMatch())
        return 0;
    const int number = match.captured(1).toInt();
    return number >= 1 && number <= MaxPortNumber ? number : 0;
}

QString Resolve(const QString& portName) {
    const int number = PortNumber(portName);
    if (number == 0)
        return portName;
    const QString folder = PortsFolder();
    if (!folder.isEmpty()) {
        const QFileInfo link(QDir(folder).filePath(portName));
        if (!link.exists())
            return {};
        return link.isSymLink() ? link.symLinkTarget() : link.absoluteFilePath();
    }
    const QStringList devices = SystemDevices();
    return number <= devices.size() ? devices.at(number - 1) : QString();
}

QStringList AvailablePorts() {
    QStringList names;
    const QString folder = PortsFolder();
    if (!folder.isEmpty()) {
        for (int n = 1; n <= MaxPortNumber; ++n) {
            const QString name = QStringLiteral("COM%1").arg(n);
            if (QFileInfo::exists(QDir(folder).filePath(name)))
                names << name;
        }
        return names;
    }
    const int count = std::min<int>(int(SystemDevices().size()), MaxPortNumber);
    for (int n = 1; n <= count; ++n)
        names << QStringLiteral("COM%1").arg(n);
    return names;
}

} // namespace PortResolver
