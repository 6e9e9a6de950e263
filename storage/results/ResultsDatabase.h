#pragma once

#include "series/TestRecord.h"
#include "storage/results/DatabaseSettings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QUuid>

#include <algorithm>
#include <optional>

// A series as the results database lists it.
struct StoredSeries {
    QUuid Key;
    QString Name;
    // When its first test began.
    QDateTime Start;
    int Tests = 0;
    // The computer that recorded its first test.
    QString Station;
};

// The results database: test records with their samples, grouped in series, in SQLite or on
// a PostgreSQL server through the same statements. The schema carries its version and is
// brought forward when an older database is opened. An object serves one thread: Qt's
// connections may not cross threads.
class ResultsDatabase final {
    Q_DECLARE_TR_FUNCTIONS(ResultsDatabase)

public:
    static constexpr int SchemaVersion = 3;
    // Samples in one row of the samples table (16 MB). A day's run at the gauge's top rate is
    // more than one value may hold in either database, and a piece is encoded and sent on its
    // own, so that storing never holds the whole test encoded.
    static constexpr qsizetype PieceSamples = 1'048'576;

    explicit ResultsDatabase(QString connectionName);
    ~ResultsDatabase();
    ResultsDatabase(const ResultsDatabase&) = delete;
    ResultsDatabase& operator=(const ResultsDatabase&) = delete;

    // Opens the database, creating or upgrading its tables; false with the reason. The schema
    // is taken no further than upToVersion (tests make old databases so).
    bool Open(const DatabaseSettings& settings, QString* error, int upToVersion = SchemaVersion);
    void Close();
    bool IsOpen() const;
    // The schema version of the open database.
    int Version() const;
    // The computer's name stored with every test.
    void SetStation(const QString& station) { m_station = station; }
    // Tests store in smaller pieces, so that a few pieces take a few thousand samples. Pieces
    // of any size are read.
    void SetPieceSamples(qsizetype samples) { m_pieceSamples = std::max<qsizetype>(samples, 1); }

    // Stores the test and its samples in the series, made when it is new; a test stored
    // before is left as it is. All or nothing.
    bool Store(const QUuid& seriesKey, const QString& seriesName, const TestRecord& record,
               QString* error);
    bool Rename(const QUuid& testKey, const QString& name, QString* error);
    bool Remove(const QList<QUuid>& testKeys, QString* error);
    // The series that hold tests, the newest first.
    std::optional<QList<StoredSeries>> Series(QString* error) const;
    // The series' tests in the order they were stored; nothing when the series is unknown.
    std::optional<QList<TestRecord>> Load(const QUuid& seriesKey, QString* error) const;

    // The connection, for tests that look into the tables.
    QSqlDatabase Connection() const;

private:
    bool Migrate(int upToVersion, QString* error);

    QString m_connection;
    DatabaseKind m_kind = DatabaseKind::SQLite;
    QString m_station;
    qsizetype m_pieceSamples = PieceSamples;
};
