#pragma once

#include "link/GaugeLink.h"
#include "link/SerialSettings.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <chrono>

// The gauge's serial port (`ComPort1`): its six settings, opening by "COMn" name,
// synchronous writes and the bytes that arrive, on the user-interface thread.
class SerialLink final : public GaugeLink {
    Q_OBJECT

public:
    // A write may take this long per character, plus the fixed part, before it gives up.
    static constexpr std::chrono::milliseconds WritePerCharacter{100};
    static constexpr std::chrono::milliseconds WriteFixed{1000};

    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    const SerialSettings& Settings() const { return m_settings; }

    // All six settings as one reconfiguration. An open port is reconfigured while open; a
    // new port name closes it and opens the new one (Lost if that fails). Settings the
    // device refuses are kept as chosen, and false is returned with ErrorString().
    bool ApplySettings(const SerialSettings& settings);

    // "ComPort.ini": read over the current settings and applied; stored as they are.
    bool LoadSettings(const QString& iniPath);
    bool SaveSettings(const QString& iniPath) const;

    // Opens the port named in the settings; an open port stays as it is and succeeds.
    bool Open() override;
    void Close() override;
    bool IsOpen() const override;

    // Writes all bytes before returning, or fails after WriteTimeout. Fails when closed.
    bool Write(const QByteArray& data) override;
    QString Name() const override { return m_settings.Port; }
    static std::chrono::milliseconds WriteTimeout(qsizetype characters);

    // The reason of the last failed operation, for a status text.
    QString ErrorString() const { return m_error; }

    // BytesReceived never comes while a write is under way; Lost leaves the port closed
    // until Open.

private:
    void Release();
    void ComPort1RxChar();
    void DeliverWaiting();
    void PortError(QSerialPort::SerialPortError error);
    void HandleLoss();
    bool OpenPort();
    bool Configure();

    QSerialPort* m_port = nullptr;
    SerialSettings m_settings;
    QString m_error;
    // The device this link holds open, as the other links see it.
    QString m_heldDevice;
    // Errors raised by our own open and configuration calls are answers, not a lost link.
    bool m_configuring = false;
    bool m_writing = false;
    bool m_deliveryQueued = false;
    bool m_lossPending = false;
    QString m_lossReason;
};
