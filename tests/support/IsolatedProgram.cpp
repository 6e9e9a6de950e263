#include "tests/support/IsolatedProgram.h"

#include "state/AppPaths.h"
#include "state/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

IsolatedProgram::IsolatedProgram() {
    m_previousDir = QDir::currentPath();
    m_hadPorts = qEnvironmentVariableIsSet("ZENTO_FM_PORTS");
    m_previousPorts = qgetenv("ZENTO_FM_PORTS");
    QDir(m_dir.path()).mkpath(QStringLiteral("ports"));
    qputenv("ZENTO_FM_PORTS", Ports().toLocal8Bit());
    // The recovery folder is per user, and every test's window offers what it finds there.
    qputenv("ZENTO_FM_RECOVERY", QFile::encodeName(RecoveryFolder()));
    QDir::setCurrent(m_dir.path());
    AppPaths::SetExecutablePathOverride(m_dir.filePath(QStringLiteral("zento-fm")));
    // Per-user folders of tests never mix with the user's own.
    QStandardPaths::setTestModeEnabled(true);
    CopyLanguageModules();
}

IsolatedProgram::~IsolatedProgram() {
    AppPaths::SetExecutablePathOverride(QString());
    QDir::setCurrent(m_previousDir);
    qunsetenv("ZENTO_FM_RECOVERY");
    if (m_hadPorts)
        qputenv("ZENTO_FM_PORTS", m_previousPorts);
    else
        qunsetenv("ZENTO_FM_PORTS");
}

QString IsolatedProgram::RecoveryFolder() const {
    return m_dir.filePath(QStringLiteral("recovery"));
}

QString IsolatedProgram::Ports() const {
    return m_dir.filePath(QStringLiteral("ports"));
}

void IsolatedProgram::CopyLanguageModules() const {
    for (const char* extension : {"SKY", "ENP", "DEU"}) {
        const QString name = QStringLiteral("zento-fm.") + QLatin1String(extension);
        QFile::copy(QStringLiteral(ZFM_BINARY_DIR "/bin/") + name, m_dir.filePath(name));
    }
}
