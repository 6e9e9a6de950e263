#include "state/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_executableOverride;

bool IsWritableDir(const QString& dir) {
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}
} // namespace

namespace AppPaths {

QString ExecutablePath() {
    if (!g_executableOverride.isEmpty())
        return g_executableOverride;
    return QCoreApplication::applicationFilePath();
}

QString ProgramDir() {
    return QFileInfo(ExecutablePath()).absolutePath();
}

QString ProgramDirWithSeparator() {
    return QDir::toNativeSeparators(ProgramDir() + QLatin1Char('/'));
}

QString DefaultDataDirWithSeparator() {
    return QDir::toNativeSeparators(WritableProgramDir() + QLatin1Char('/'));
}

QString WritableProgramDir() {
    const QString programDir = ProgramDir();
    if (IsWritableDir(programDir))
        return programDir;
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    return userDir;
}

QStringList SharedDataDirs() {
    QStringList dirs{ProgramDir()};
#ifdef ZFM_INSTALLED_DATADIR
    dirs << QStringLiteral(ZFM_INSTALLED_DATADIR);
#endif
    const QString beside = QDir::cleanPath(ProgramDir() + QStringLiteral("/../share/zento-fm"));
    if (!dirs.contains(beside))
        dirs << beside;
    return dirs;
}

void SetExecutablePathOverride(const QString& path) {
    g_executableOverride = path;
}

} // namespace AppPaths
