#pragma once

#include "link/GaugeLink.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpSocket>

#include <chrono>
#include <cstdint>

// The TCP link to a gauge with a network interface: one connection at a time, toggled by
// the port button, silent on every failed attempt, handing on the received text line by
// line (BytesReceived carries one whole line each time).
class CEthConnection final : public GaugeLink {
    Q_OBJECT

public:
    // `EthLinkState` values.
    static constexpr std::uint8_t Idle = 0;
    static constexpr std::uint8_t Connecting = 1;
    static constexpr std::uint8_t Connected = 2;
    static constexpr std::uint8_t Closing = 255;

    // Text without a line end is kept up to this size; a longer line is dropped whole.
    static constexpr qsizetype RxBufferLimit = 64 * 1024;
    // A socket being closed gets this long to send what it holds before it is cut off.
    static constexpr std::chrono::milliseconds CloseGrace{3000};
    // When the program ends, a connected socket gets this long to say goodbye.
    static constexpr std::chrono::milliseconds ExitGrace{500};

    explicit CEthConnection(QObject* parent = nullptr);
    ~CEthConnection() override;

    // Says goodbye to the peer and goes silent for good. Unlike deleting the link, safe while
    // one of its lines is being handled further down the stack.
    void Shutdown();

    // Connects (idle), gives up an attempt or a close under way, or disconnects.
    void Toggle(const QString& host, int port);
    // Sends the text unchanged while connected; otherwise it is dropped.
    void Send(const QByteArray& text);

    // The peer Open connects to.
    void SetPeer(const QString& host, int port);
    // Starts an attempt unless connected or connecting; the link is open once Connected.
    bool Open() override;
    // Disconnects, or gives up an attempt under way.
    void Close() override;
    bool IsOpen() const override { return m_state == Connected; }
    bool Write(const QByteArray& bytes) override;
    QString Name() const override;

    std::uint8_t EthLinkState() const { return m_state; }
    // Received text not yet handed on (an incomplete line).
    QByteArray EthRxBuffer() const { return m_rxBuffer; }

signals:
    void StateChanged(std::uint8_t state);

private:
    void SetState(std::uint8_t state);
    void StartAttempt(const QString& host, int port);
    void Retire(QTcpSocket* socket);
    void SocketConnected();
    void SocketDisconnected();
    void SocketReadable();
    void ReadAvailable();

    QPointer<QTcpSocket> m_socket;
    QString m_host;
    int m_port = 0;
    QByteArray m_rxBuffer;
    // The text received since the buffer overflowed belongs to an overlong line.
    bool m_discardingLine = false;
    bool m_shutDown = false;
    std::uint8_t m_state = Idle;
};
