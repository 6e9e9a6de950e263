#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

// A folder of "COMn" links that the program takes for the system's serial ports while the
// object lives ($ZENTO_FM_PORTS points at it; the previous value comes back afterwards).
class TestPortsFolder final {
public:
    TestPortsFolder();
    ~TestPortsFolder();
    TestPortsFolder(const TestPortsFolder&) = delete;
    TestPortsFolder& operator=(const TestPortsFolder&) = delete;

    bool IsValid() const { return m_dir.isValid(); }
    QString Path() const { return m_dir.path(); }
    // Makes "COMn" (or any name) a link to `device`.
    bool Link(const QString& name, const QString& device) const;
    bool Unlink(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

// A pseudo-terminal standing in for a gauge on a serial port: the program opens the device
// side, the test plays the gauge on the other side.
class PtyPair final {
public:
    // With a name, the device is linked under it in a ports folder of its own, which is put
    // in force for the lifetime of the pair.
    explicit PtyPair(const QString& comName = QString());
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsValid() const { return m_gauge >= 0; }
    // Path of the device side (what a serial port opens).
    QString DevicePath() const { return m_devicePath; }
    TestPortsFolder* Ports() const { return m_ports.get(); }

    // Gauge side: write everything, read what the program sent.
    bool Write(const QByteArray& bytes);
    // Reads until `expected` bytes have come or the time is up; returns what came.
    QByteArray Read(qsizetype expected, std::chrono::milliseconds timeout);
    // Whatever is waiting, without blocking.
    QByteArray ReadAvailable();

    // The line settings the port was given, as the device side sees them.
    struct LineSettings {
        int BitsPerSecond = 0; // 0 for a rate without a standard code
        int DataBits = 0;
        char Parity = 'N'; // N, O, E, M, S
        int StopBits = 0;
        bool HardwareFlow = false;
        bool SoftwareFlow = false;
        bool operator==(const LineSettings&) const = default;
    };
    LineSettings DeviceLineSettings() const;

    // The gauge goes away (an adapter pulled out): both ends held by the test are closed.
    void Vanish();

private:
    int m_gauge = -1;
    int m_device = -1;
    QString m_devicePath;
    std::unique_ptr<TestPortsFolder> m_ports;
};
