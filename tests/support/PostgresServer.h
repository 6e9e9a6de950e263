#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A PostgreSQL server of the test's own: a cluster made in a temporary folder, listening on
// 127.0.0.1 only, with a user who needs no password. The server refuses to run as root, so a
// test run by root starts it as the user "nobody". Stopped on destruction.
class PostgresServer final {
public:
    PostgresServer() = default;
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // False with the reason in ErrorText() when the server's programs are missing or it does
    // not start.
    bool Start();
    // A new empty database on the server.
    bool CreateDatabase(const QString& name);

    QString Host() const { return QStringLiteral("127.0.0.1"); }
    int Port() const { return m_port; }
    QString User() const { return QStringLiteral("zfm"); }
    QString ErrorText() const { return m_error; }

private:
    bool RunTool(const QString& tool, const QStringList& arguments);
    QString Tool(const QString& name) const;
    void StartAs(QProcess& process, const QString& program, const QStringList& arguments) const;

    QTemporaryDir m_dir;
    QString m_binDir;
    int m_port = 0;
    QProcess m_server;
    bool m_asNobody = false;
    QString m_error;
};
