#include "tests/support/PostgresServer.h"

#include <QCollator>
#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>

namespace {
using namespace std::chrono_literals;
constexpr auto ToolPatience = 60s;
constexpr auto StartPatience = 60s;
constexpr auto StopPatience = 20s;
} // namespace

PostgresServer::~PostgresServer() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    // A fast shutdown: clients are disconnected rather than waited for.
    ::kill(pid_t(m_server.processId()), SIGINT);
    if (!m_server.waitForFinished(int(std::chrono::milliseconds(StopPatience).count())))
        m_server.kill();
    m_server.waitForFinished();
}

QString PostgresServer::Tool(const QString& name) const {
    return QDir(m_binDir).filePath(name);
}

void PostgresServer::StartAs(QProcess& process, const QString& program,
                             const QStringList& arguments) const {
    if (!m_asNobody) {
        process.start(program, arguments);
        return;
    }
    const passwd* nobody = ::getpwnam("nobody");
    process.start(QStringLiteral("setpriv"),
                  QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                              QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                              QStringLiteral("--clear-groups"), program} +
                      arguments);
}

bool PostgresServer::RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    StartAs(process, Tool(tool), arguments);
    if (!process.waitForFinished(int(std::chrono::milliseconds(ToolPatience).count())) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = tool + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll());
        process.kill();
        process.waitForFinished();
        return false;
    }
    return true;
}

bool PostgresServer::Start() {
    // Debian keeps the server's programs by version, out of PATH; the newest is taken.
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), numeric);
    for (const QString& version : versions)
        if (QFileInfo::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/initdb").arg(version)))
            m_binDir = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
    if (m_binDir.isEmpty()) {
        const QString initdb = QStandardPaths::findExecutable(QStringLiteral("initdb"));
        if (initdb.isEmpty()) {
            m_error =
                QStringLiteral("the PostgreSQL server is not installed (scripts/deps --test)");
            return false;
        }
        m_binDir = QFileInfo(initdb).absolutePath();
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()) {
            m_error = QStringLiteral("run as root without a user 'nobody' or setpriv");
            return false;
        }
        m_asNobody = true;
        if (::chown(QFile::encodeName(m_dir.path()).constData(), nobody->pw_uid, nobody->pw_gid) !=
            0) {
            m_error = QStringLiteral("cannot hand the folder to 'nobody'");
            return false;
        }
    }
    const QString data = m_dir.filePath(QStringLiteral("data"));
    if (!RunTool(QStringLiteral("initdb"),
                 {QStringLiteral("-D"), data, QStringLiteral("-U"), User(),
                  QStringLiteral("--auth=trust"), QStringLiteral("--encoding=UTF8"),
                  QStringLiteral("--no-locale"), QStringLiteral("--no-sync")}))
        return false;

    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0)) {
            m_error = QStringLiteral("no free port on 127.0.0.1");
            return false;
        }
        m_port = probe.serverPort();
    }
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    StartAs(m_server, Tool(QStringLiteral("postgres")),
            {QStringLiteral("-D"), data, QStringLiteral("-h"), Host(), QStringLiteral("-p"),
             QString::number(m_port), QStringLiteral("-k"), m_dir.path(), QStringLiteral("-c"),
             QStringLiteral("fsync=off")});
    if (!m_server.waitForStarted()) {
        m_error = QStringLiteral("the server did not start");
        return false;
    }
    const QDeadlineTimer deadline(StartPatience);
    while (!deadline.hasExpired()) {
        QProcess ready;
        ready.start(Tool(QStringLiteral("pg_isready")),
                    {QStringLiteral("-h"), Host(), QStringLiteral("-p"), QString::number(m_port)});
        ready.waitForFinished();
        if (ready.exitStatus() == QProcess::NormalExit && ready.exitCode() == 0)
            return true;
        if (m_server.state() == QProcess::NotRunning)
            break;
        QThread::msleep(100);
    }
    m_error =
        QStringLiteral("the server did not answer: ") + QString::fromLocal8Bit(m_server.readAll());
    return false;
}

bool PostgresServer::CreateDatabase(const QString& name) {
    return RunTool(QStringLiteral("createdb"),
                   {QStringLiteral("-h"), Host(), QStringLiteral("-p"), QString::number(m_port),
                    QStringLiteral("-U"), User(), name});
}
