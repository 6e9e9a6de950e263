#include "storage/ResultsFile.h"

#include "protocol/Numbers.h"
#include "state/AppPaths.h"
#include "state/Global.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

namespace ResultsFile {

QString NameFor(const QString& folder, const QDateTime& moment) {
    const QLocale locale;
    // The long time format of Qt carries the time zone; the file name does not.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    timeFormat.remove(zone);
    QString stamp = locale.toString(moment.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                    locale.toString(moment.time(), timeFormat);
    stamp.remove(QLatin1Char(':'));
    static const QRegularExpression forbidden(QStringLiteral("[/\\\\\\x00-\\x1f]"));
    stamp.replace(forbidden, QStringLiteral("-"));

    QString base = folder.isEmpty() ? AppPaths::WritableProgramDir() : folder;
    if (!base.endsWith(QLatin1Char('/')) && !base.endsWith(QDir::separator()))
        base += QLatin1Char('/');
    return QDir::toNativeSeparators(base) + QStringLiteral("wyniki od ") + stamp +
           QStringLiteral(".txt");
}

bool Create(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool Append(const QString& path, double value) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray line = FormatGeneralLocal(value).toLocal8Bit() + "\r\n";
    return file.write(line) == line.size() && file.flush();
}

bool Start(SharedState& state, const QDateTime& moment) {
    state.ResultsFileName = NameFor(state.DataDirectory, moment);
    if (!Create(state.ResultsFileName))
        return false;
    state.ResultsFileActive = true;
    return true;
}

} // namespace ResultsFile
