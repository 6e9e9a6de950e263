// Where the results database is.
#include "storage/results/DatabaseSettings.h"

#include "protocol/Numbers.h"
#include "storage/XMLConfig.h"

#include <QDir>
#include <QStandardPaths>

QString DatabaseSettings::DefaultSqlitePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("results.sqlite"));
}

QString DatabaseSettings::SqlitePath() const {
    return Path.isEmpty() ? DefaultSqlitePath() : Path;
}

QString DatabaseSettings::Description() const {
    if (Kind == DatabaseKind::SQLite)
        return QDir::toNativeSeparators(SqlitePath());
    const QString user = User.isEmpty() ? QString() : User + QLatin1Char('@');
    return QStringLiteral("%1%2:%3/%4").arg(user, Host).arg(Port).arg(Name);
}

DatabaseSettings DatabaseSettings::FromConfig(const DatabaseConfig& config) {
    DatabaseSettings settings;
    settings.Kind = config.Kind.compare(ConfigText::DatabasePostgres, Qt::CaseInsensitive) == 0
                        ? DatabaseKind::PostgreSQL
                        : DatabaseKind::SQLite;
    settings.Path = config.Path.trimmed();
    if (!config.Host.trimmed().isEmpty())
        settings.Host = config.Host.trimmed();
    const std::optional<int> port = ReadInteger(config.Port);
    if (port && *port > 0 && *port <= 65535)
        settings.Port = *port;
    if (!config.Name.trimmed().isEmpty())
        settings.Name = config.Name.trimmed();
    settings.User = config.User.trimmed();
    settings.Password = config.Password;
    return settings;
}

DatabaseConfig DatabaseSettings::ToConfig() const {
    DatabaseConfig config;
    config.Kind = Kind == DatabaseKind::PostgreSQL ? QString(ConfigText::DatabasePostgres)
                                                   : QString(ConfigText::DatabaseSqlite);
    config.Path = Path;
    config.Host = Host;
    config.Port = QString::number(Port);
    config.Name = Name;
    config.User = User;
    config.Password = Password;
    return config;
}
