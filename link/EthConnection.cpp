#include "link/EthConnection.h"

#include <QList>
#include <QTimer>

// Socket errors (refused, timed out, lost) are deliberately not listened to: the link is
// silent about them, and the state follows only the connected and disconnected events.

CEthConnection::CEthConnection(QObject* parent)
    : GaugeLink(parent) {}

CEthConnection::~CEthConnection() {
    Shutdown();
}

void CEthConnection::Shutdown() {
    m_shutDown = true;
    const QList<QTcpSocket*> sockets = findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly);
    for (QTcpSocket* socket : sockets)
        socket->disconnect(this);
    if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
        m_socket->disconnectFromHost();
        if (m_socket->state() != QAbstractSocket::UnconnectedState)
            m_socket->waitForDisconnected(int(ExitGrace.count()));
    }
}

void CEthConnection::SetState(std::uint8_t state) {
    if (m_state == state)
        return;
    m_state = state;
    emit StateChanged(state);
}

void CEthConnection::SetPeer(const QString& host, int port) {
    m_host = host;
    m_port = port;
}

QString CEthConnection::Name() const {
    return m_host + QLatin1Char(':') + QString::number(m_port);
}

bool CEthConnection::Open() {
    if (m_shutDown)
        return false;
    if (m_state == Connected || m_state == Connecting)
        return true;
    StartAttempt(m_host, m_port);
    return true;
}

void CEthConnection::Close() {
    if (m_state == Connected || m_state == Connecting)
        Toggle(m_host, m_port);
}

bool CEthConnection::Write(const QByteArray& bytes) {
    if (!IsOpen())
        return false;
    Send(bytes);
    return true;
}

void CEthConnection::Toggle(const QString& host, int port) {
    if (m_shutDown)
        return;
    SetPeer(host, port);
    if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
        SetState(Closing);
        QTcpSocket* socket = m_socket;
        m_socket = nullptr;
        Retire(socket);
        return;
    }
    if (m_state == Connecting || m_state == Closing) {
        SetState(Idle);
        if (m_socket)
            m_socket->abort();
        return;
    }
    StartAttempt(host, port);
}

void CEthConnection::StartAttempt(const QString& host, int port) {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
    }
    // Text left from an earlier connection would be glued to the first line of this one.
    m_rxBuffer.clear();
    m_discardingLine = false;
    SetState(Connecting);

    auto* socket = new QTcpSocket(this);
    // While a receiver holds a line (a message box waits for the user), the socket keeps
    // reading; bounded, the rest waits in the system and the peer is slowed down.
    socket->setReadBufferSize(RxBufferLimit);
    m_socket = socket;
    connect(socket, &QTcpSocket::connected, this, &CEthConnection::SocketConnected);
    connect(socket, &QTcpSocket::disconnected, this, &CEthConnection::SocketDisconnected);
    connect(socket, &QTcpSocket::readyRead, this, &CEthConnection::SocketReadable);
    // A port the connection cannot name fails like a host that does not answer.
    if (port > 0 && port <= 0xFFFF)
        socket->connectToHost(host, quint16(port));
}

void CEthConnection::Retire(QTcpSocket* socket) {
    disconnect(socket, &QTcpSocket::readyRead, this, &CEthConnection::SocketReadable);
    disconnect(socket, &QTcpSocket::connected, this, &CEthConnection::SocketConnected);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    // A peer that never takes the last bytes must not keep the socket alive for ever.
    QTimer::singleShot(CloseGrace, socket, [this, socket] {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        if (m_state == Closing && !m_socket)
            SetState(Idle);
    });
    socket->disconnectFromHost();
}

void CEthConnection::Send(const QByteArray& text) {
    if (!m_shutDown && m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->write(text);
}

void CEthConnection::SocketConnected() {
    if (sender() == m_socket && m_state == Connecting)
        SetState(Connected);
}

void CEthConnection::SocketDisconnected() {
    if (sender() == m_socket) {
        // Closed or reset by the peer: an own close has already given the socket up.
        const bool wasConnected = m_state == Connected;
        SetState(Idle);
        if (wasConnected && !m_shutDown)
            emit Lost(m_socket->errorString());
    } else if (m_state == Closing && !m_socket) {
        SetState(Idle);
    }
}

void CEthConnection::SocketReadable() {
    if (sender() == m_socket)
        ReadAvailable();
}

void CEthConnection::ReadAvailable() {
    if (!m_socket || m_shutDown)
        return;
    QByteArray text = m_socket->readAll();
    if (text.isEmpty())
        return;
    if (m_discardingLine) {
        const qsizetype lineEnd = text.indexOf('\n');
        if (lineEnd < 0)
            return;
        text.remove(0, lineEnd + 1);
        m_discardingLine = false;
    }
    m_rxBuffer += text;

    // Lines are taken out before anyone hears of them: a receiver may send, or toggle the
    // link, while they are being handed on.
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype lineEnd = m_rxBuffer.indexOf('\n'); lineEnd >= 0;
         lineEnd = m_rxBuffer.indexOf('\n', start)) {
        lines.append(m_rxBuffer.mid(start, lineEnd + 1 - start));
        start = lineEnd + 1;
    }
    m_rxBuffer.remove(0, start);
    if (m_rxBuffer.size() > RxBufferLimit) {
        m_rxBuffer.clear();
        m_discardingLine = true;
    }
    for (const QByteArray& line : lines) {
        if (m_shutDown)
            return;
        emit BytesReceived(line);
    }
    // What came while the lines were handed on announces itself no more (the socket does not
    // repeat its signal from inside its own handler): it is read on the next turn.
    if (m_socket && m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &CEthConnection::ReadAvailable, Qt::QueuedConnection);
}
