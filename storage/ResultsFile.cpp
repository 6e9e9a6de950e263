#include "storage/ResultsFile.h"

#include "protocol/Numbers.h"
#include "state/AppPaths.h"
#include "state/GaugeState.h"

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

namespace {

// Enough for every window and program of one station starting in the same second.
constexpr int MostNumbered = 100;

// "wyniki od ... (n).txt"
QString Numbered(const QString& name, int number) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return name.left(dot) + QStringLiteral(" (%1)").arg(number) + name.mid(dot);
}

} // namespace

bool Start(GaugeState& state, const QString& folder, const QDateTime& moment) {
    const QString name = NameFor(folder, moment);
    // This window's own file of the same second is emptied and taken again. A file of that
    // name that another window or program started is never touched: the new one is numbered,
    // and made only where no file is, so two starting at once cannot both take one name.
    if (state.ResultsFileActive) {
        for (int number = 1; number <= MostNumbered; ++number)
            if (state.ResultsFileName == (number == 1 ? name : Numbered(name, number)))
                return Create(state.ResultsFileName);
    }
    state.ResultsFileName = name;
    for (int number = 1; number <= MostNumbered; ++number) {
        const QString path = number == 1 ? name : Numbered(name, number);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            state.ResultsFileName = path;
            state.ResultsFileActive = true;
            return true;
        }
        if (!file.exists())
            return false; // not taken: the folder cannot hold it
    }
    return false;
}

} // namespace ResultsFile
