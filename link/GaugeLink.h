#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// One way to a gauge, serial port or network socket: the exchange owner opens and closes
// it, writes orders into it and hears the bytes it receives and its loss.
class GaugeLink : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Opens the link; true when it is open or (network) on its way to open. An open link
    // stays as it is.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes the bytes as they are; false when the link is closed or the write failed.
    virtual bool Write(const QByteArray& bytes) = 0;
    // The port's or the peer's name, for status texts: "COM1", "192.168.1.10:1001".
    virtual QString Name() const = 0;

signals:
    // Bytes as they arrived, never empty.
    void BytesReceived(const QByteArray& bytes);
    // The open link failed (device vanished, peer closed or reset) and is closed now; once
    // per loss, not for a Close of our own.
    void Lost(const QString& reason);
};
