#pragma once

#include <QString>

struct DatabaseConfig;

enum class DatabaseKind { SQLite, PostgreSQL };

// Where the results are kept: a file of this computer, or a server that several stations of
// a lab share.
struct DatabaseSettings {
    DatabaseKind Kind = DatabaseKind::SQLite;
    // The SQLite file; empty for results.sqlite in the per-user data folder.
    QString Path;
    QString Host = QStringLiteral("localhost");
    int Port = DefaultPort;
    QString Name = QStringLiteral("zento_fm");
    QString User;
    QString Password;

    static constexpr int DefaultPort = 5432;

    // The SQLite file in use: Path, or the default.
    QString SqlitePath() const;
    static QString DefaultSqlitePath();
    // The file, or user@host:port/name, as the program shows where it keeps the results.
    QString Description() const;

    // From config.xml's texts: an unknown kind is SQLite, a port out of range the default.
    static DatabaseSettings FromConfig(const DatabaseConfig& config);
    DatabaseConfig ToConfig() const;

    bool operator==(const DatabaseSettings&) const = default;
};
