#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Runs the virtual gauge (ZFM_GAUGE_SIM) for a test: on a pseudo-terminal linked as "COMn"
// in a ports folder (for ZENTO_FM_PORTS), or on a TCP port of 127.0.0.1. Collects its event
// lines, sends it commands, and ends it by its process id at the latest on destruction. The
// gauge is started with --quit-on-eof, so it also ends if the test dies.
class GaugeSim final : public QObject {
    Q_OBJECT

public:
    explicit GaugeSim(QObject* parent = nullptr);
    ~GaugeSim() override;

    // portsFolder empty: a temporary folder of the gauge's own. Several gauges may share one
    // folder under different numbers.
    bool StartPty(const QStringList& options = {}, int comNumber = 1,
                  const QString& portsFolder = {});
    bool StartTcp(const QStringList& options = {}, quint16 port = 0);
    // Extra environment for the next start ("LC_ALL=de_DE.UTF-8").
    void SetEnvironment(const QStringList& variables) { m_environment = variables; }
    // Asks the gauge to quit, then ends it by its process id if it does not.
    void Stop();

    bool IsRunning() const;
    QString PortsFolder() const { return m_portsFolder; }
    QString PortName() const { return m_portName; }
    QString LinkPath() const { return m_linkPath; }
    QString DevicePath() const { return m_devicePath; }
    quint16 TcpPort() const { return m_tcpPort; }
    QString ErrorText() const { return m_error; }

    // One command line on the gauge's stdin ("unit kg", "vanish", ...).
    void Command(const QByteArray& line);
    // The same, and returns once the gauge has carried it out (it answers a "state" sent
    // after it), so that what the test sends on the line next meets the changed gauge.
    bool CommandAndWait(const QByteArray& line, int timeoutMs = 5000);

    // Every event line so far, without its line feed.
    const QList<QByteArray>& Events() const { return m_events; }
    // Position after the last event, to wait for events that come later.
    int Mark() const { return int(m_events.size()); }
    // What follows "<kind> " in the events of that kind, from position `from` on.
    QList<QByteArray> EventsOf(const QByteArray& kind, int from = 0) const;
    QList<QByteArray> Orders(int from = 0) const { return EventsOf("order", from); }
    // The values of the "sample" events.
    QList<double> Samples(int from = 0) const;
    // Waits (running the event loop) for `count` events starting with `prefix` at or after
    // position `from`.
    bool WaitForEvent(const QByteArray& prefix, int from = 0, int timeoutMs = 5000, int count = 1);
    // The gauge's settings from a fresh "state" event; empty on time-out.
    QMap<QByteArray, QByteArray> State(int timeoutMs = 5000);

signals:
    void EventReceived(const QByteArray& line);

private:
    bool Launch(const QStringList& arguments);
    void OnOutput();

    QProcess m_process;
    std::unique_ptr<QTemporaryDir> m_ownFolder;
    QStringList m_environment;
    QString m_portsFolder;
    QString m_portName;
    QString m_linkPath;
    QString m_devicePath;
    quint16 m_tcpPort = 0;
    QString m_error;
    QByteArray m_partial;
    QList<QByteArray> m_events;
};
