// The results database's tables and what is read from and written to them.
#include "storage/results/ResultsDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

const QString SqliteDriver = QStringLiteral("QSQLITE");
const QString PostgresDriver = QStringLiteral("QPSQL");
// Another station or program may hold the SQLite file for a moment.
const QString SqliteOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
// A server that does not answer must not keep the store waiting for long.
const QString PostgresOptions = QStringLiteral("connect_timeout=5");

// A sample in the database: its time and value, little-endian doubles.
constexpr qsizetype SampleBytes = 2 * sizeof(double);

// The statements that bring a database from the version before to this one. BLOB becomes
// the server's binary type.
struct SchemaStep {
    int Version;
    QList<const char*> Statements;
};

const SchemaStep SchemaSteps[] = {
    {1,
     {"CREATE TABLE schema_info (version INTEGER NOT NULL)",
      "INSERT INTO schema_info (version) VALUES (0)",
      "CREATE TABLE series (key TEXT PRIMARY KEY, name TEXT NOT NULL)",
      "CREATE TABLE tests (key TEXT PRIMARY KEY,"
      " series_key TEXT NOT NULL REFERENCES series (key) ON DELETE CASCADE,"
      " position INTEGER NOT NULL, name TEXT NOT NULL, origin INTEGER NOT NULL,"
      " start_time TEXT NOT NULL, model TEXT NOT NULL, serial_number TEXT NOT NULL,"
      " unit TEXT NOT NULL, sample_time DOUBLE PRECISION NOT NULL,"
      " low_threshold DOUBLE PRECISION, high_threshold DOUBLE PRECISION,"
      " operator TEXT NOT NULL, part TEXT NOT NULL, note TEXT NOT NULL,"
      " sample_count INTEGER NOT NULL, duration DOUBLE PRECISION NOT NULL,"
      " min_value DOUBLE PRECISION NOT NULL, max_value DOUBLE PRECISION NOT NULL,"
      " mean_value DOUBLE PRECISION NOT NULL, peak DOUBLE PRECISION NOT NULL,"
      " peak_time DOUBLE PRECISION NOT NULL, verdict INTEGER NOT NULL)",
      "CREATE INDEX tests_by_series ON tests (series_key, position)",
      "CREATE TABLE samples (test_key TEXT PRIMARY KEY"
      " REFERENCES tests (key) ON DELETE CASCADE, data BLOB NOT NULL)"}},
    // Several stations write to one server: each test says where it was recorded.
    {2, {"ALTER TABLE tests ADD COLUMN station TEXT NOT NULL DEFAULT ''"}},
    // A day's run at the top rate is more than one value may hold (1 GB in either database):
    // a test's samples are kept in pieces numbered from 0, and what was stored before becomes
    // piece 0 as it is, without being decoded.
    {3,
     {"CREATE TABLE sample_pieces (test_key TEXT NOT NULL"
      " REFERENCES tests (key) ON DELETE CASCADE, piece INTEGER NOT NULL,"
      " data BLOB NOT NULL, PRIMARY KEY (test_key, piece))",
      "INSERT INTO sample_pieces (test_key, piece, data) SELECT test_key, 0, data FROM samples",
      "DROP TABLE samples", "ALTER TABLE sample_pieces RENAME TO samples"}},
};

bool Fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

bool Fail(QString* error, const QSqlError& sqlError) {
    return Fail(error, sqlError.text().trimmed());
}

// The columns are NOT NULL: an empty text is stored as such, not as a missing one.
QVariant Text(const QString& text) {
    return text.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

QString KeyText(const QUuid& key) {
    return key.toString(QUuid::WithoutBraces);
}

QString TimeText(const QDateTime& time) {
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

double Finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}

QByteArray EncodePiece(const QList<QPointF>& samples, qsizetype first, qsizetype count) {
    QByteArray data(count * SampleBytes, Qt::Uninitialized);
    char* out = data.data();
    for (qsizetype i = first; i < first + count; ++i) {
        qToLittleEndian(samples[i].x(), out);
        qToLittleEndian(samples[i].y(), out + sizeof(double));
        out += SampleBytes;
    }
    return data;
}

// Appends a piece's samples; false when it holds no whole number of them.
bool DecodePiece(const QByteArray& data, QList<QPointF>& samples) {
    if (data.size() % SampleBytes != 0)
        return false;
    for (const char* in = data.constData(); in != data.constData() + data.size(); in += SampleBytes)
        samples.append(
            QPointF(qFromLittleEndian<double>(in), qFromLittleEndian<double>(in + sizeof(double))));
    return true;
}

enum class SampleRead { Whole, Damaged, Failed };

// A test's samples assembled from its pieces, one piece asked for at a time: a day's run does
// not fit twice into memory, whatever a driver keeps of a query's result.
// Damaged when the pieces are not numbered 0, 1, 2, ... or do not hold count whole samples.
SampleRead ReadSamples(const QSqlDatabase& db, const QString& testKey, int count,
                       QList<QPointF>& samples, QSqlError& failure) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT COUNT(*), MIN(piece), MAX(piece),"
                       " COALESCE(SUM(LENGTH(data)), 0) FROM samples WHERE test_key = ?"));
    query.addBindValue(testKey);
    if (!query.exec() || !query.next()) {
        failure = query.lastError();
        return SampleRead::Failed;
    }
    const qint64 pieces = query.value(0).toLongLong();
    const qint64 bytes = query.value(3).toLongLong();
    const bool numbered = pieces == 0 || (query.value(1).toLongLong() == 0 &&
                                          query.value(2).toLongLong() == pieces - 1);
    // Checked before anything is read, so that a damaged count reserves no memory.
    if (count < 0 || !numbered || bytes != qint64(count) * SampleBytes)
        return SampleRead::Damaged;
    samples.reserve(count);
    query.prepare(QStringLiteral("SELECT data FROM samples WHERE test_key = ? AND piece = ?"));
    for (qint64 piece = 0; piece < pieces; ++piece) {
        query.addBindValue(testKey);
        query.addBindValue(int(piece));
        if (!query.exec()) {
            failure = query.lastError();
            return SampleRead::Failed;
        }
        // A piece gone since it was counted, or one not of whole samples.
        if (!query.next() || !DecodePiece(query.value(0).toByteArray(), samples))
            return SampleRead::Damaged;
    }
    return samples.size() == count ? SampleRead::Whole : SampleRead::Damaged;
}

// Commits on Commit(); rolls back otherwise.
class Transaction final {
public:
    explicit Transaction(QSqlDatabase db)
        : m_db(std::move(db))
        , m_open(m_db.transaction()) {}
    ~Transaction() {
        if (m_open)
            m_db.rollback();
    }
    bool IsOpen() const { return m_open; }
    bool Commit() {
        m_open = false;
        return m_db.commit();
    }

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

} // namespace

ResultsDatabase::ResultsDatabase(QString connectionName)
    : m_connection(std::move(connectionName)) {}

ResultsDatabase::~ResultsDatabase() {
    Close();
}

QSqlDatabase ResultsDatabase::Connection() const {
    return QSqlDatabase::database(m_connection, false);
}

bool ResultsDatabase::IsOpen() const {
    return QSqlDatabase::contains(m_connection) && Connection().isOpen();
}

void ResultsDatabase::Close() {
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = Connection();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool ResultsDatabase::Open(const DatabaseSettings& settings, QString* error, int upToVersion) {
    Close();
    m_kind = settings.Kind;
    const QString driver = m_kind == DatabaseKind::SQLite ? SqliteDriver : PostgresDriver;
    if (!QSqlDatabase::isDriverAvailable(driver))
        return Fail(error, tr("Brak sterownika bazy danych %1 w tej instalacji Qt.").arg(driver));
    std::optional<QSqlError> opened;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_connection);
        if (m_kind == DatabaseKind::SQLite) {
            const QString path = settings.SqlitePath();
            if (!QDir().mkpath(QFileInfo(path).absolutePath()))
                return Fail(error,
                            tr("Nie można utworzyć folderu %1.")
                                .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
            db.setDatabaseName(path);
            db.setConnectOptions(SqliteOptions);
        } else {
            db.setHostName(settings.Host);
            db.setPort(settings.Port);
            db.setDatabaseName(settings.Name);
            db.setUserName(settings.User);
            db.setPassword(settings.Password);
            db.setConnectOptions(PostgresOptions);
        }
        if (!db.open())
            opened = db.lastError();
        if (!opened && m_kind == DatabaseKind::SQLite) {
            QSqlQuery pragma(db);
            // Samples are written while others read; the log keeps a crash from damaging
            // what was stored before.
            pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
            pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        }
    }
    if (opened) {
        Close();
        return Fail(error, *opened);
    }
    // Two stations opening a new server database at once: one of them makes the tables, the
    // other finds them at its second look.
    if (!Migrate(upToVersion, error) && !Migrate(upToVersion, error)) {
        Close();
        return false;
    }
    return true;
}

int ResultsDatabase::Version() const {
    QSqlDatabase db = Connection();
    if (!db.isOpen() || !db.tables().contains(QStringLiteral("schema_info")))
        return 0;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM schema_info")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool ResultsDatabase::Migrate(int upToVersion, QString* error) {
    const int found = Version();
    if (found < 0)
        return Fail(error, tr("Nie można odczytać wersji bazy wyników."));
    if (found > SchemaVersion)
        return Fail(error, tr("Baza wyników pochodzi z nowszej wersji programu (schemat %1, "
                              "ten program zna schemat %2).")
                               .arg(found)
                               .arg(SchemaVersion));
    QSqlDatabase db = Connection();
    for (const SchemaStep& step : SchemaSteps) {
        if (step.Version <= found || step.Version > upToVersion)
            continue;
        Transaction transaction(db);
        if (!transaction.IsOpen())
            return Fail(error, db.lastError());
        QSqlQuery query(db);
        for (const char* statement : step.Statements) {
            QString text = QString::fromLatin1(statement);
            if (m_kind == DatabaseKind::PostgreSQL)
                text.replace(QLatin1String(" BLOB "), QLatin1String(" BYTEA "));
            if (!query.exec(text))
                return Fail(error, query.lastError());
        }
        query.prepare(QStringLiteral("UPDATE schema_info SET version = ?"));
        query.addBindValue(step.Version);
        if (!query.exec() || !transaction.Commit())
            return Fail(error, query.lastError());
    }
    return true;
}

bool ResultsDatabase::Store(const QUuid& seriesKey, const QString& seriesName,
                            const TestRecord& record, QString* error) {
    QSqlDatabase db = Connection();
    if (!db.isOpen())
        return Fail(error, tr("Baza wyników nie jest otwarta."));
    Transaction transaction(db);
    if (!transaction.IsOpen())
        return Fail(error, db.lastError());
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO series (key, name) VALUES (?, ?) ON CONFLICT (key) DO NOTHING"));
    query.addBindValue(KeyText(seriesKey));
    query.addBindValue(Text(seriesName));
    if (!query.exec())
        return Fail(error, query.lastError());

    query.prepare(QStringLiteral("SELECT COUNT(*) FROM tests WHERE key = ?"));
    query.addBindValue(KeyText(record.Key));
    if (!query.exec() || !query.next())
        return Fail(error, query.lastError());
    if (query.value(0).toInt() > 0)
        return transaction.Commit() || Fail(error, db.lastError());

    query.prepare(
        QStringLiteral("SELECT COALESCE(MAX(position), 0) + 1 FROM tests WHERE series_key = ?"));
    query.addBindValue(KeyText(seriesKey));
    if (!query.exec() || !query.next())
        return Fail(error, query.lastError());
    const int position = query.value(0).toInt();

    const TestContext& context = record.Context;
    const QVariant noThreshold(QMetaType::fromType<double>());
    query.prepare(QStringLiteral(
        "INSERT INTO tests (key, series_key, position, name, origin, start_time, model,"
        " serial_number, unit, sample_time, low_threshold, high_threshold, operator, part, note,"
        " sample_count, duration, min_value, max_value, mean_value, peak, peak_time, verdict,"
        " station) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?)"));
    for (const QVariant& value : {QVariant(KeyText(record.Key)),
                                  QVariant(KeyText(seriesKey)),
                                  QVariant(position),
                                  Text(record.Name),
                                  QVariant(int(context.Origin)),
                                  Text(TimeText(context.Start)),
                                  Text(context.Model),
                                  Text(context.SerialNumber),
                                  Text(context.Unit),
                                  QVariant(Finite(context.SampleTime)),
                                  context.Limits ? QVariant(context.Limits->Low) : noThreshold,
                                  context.Limits ? QVariant(context.Limits->High) : noThreshold,
                                  Text(context.Operator),
                                  Text(context.Part),
                                  Text(context.Note),
                                  QVariant(record.SampleCount),
                                  QVariant(record.Duration),
                                  QVariant(record.Min),
                                  QVariant(record.Max),
                                  QVariant(record.Mean),
                                  QVariant(record.Peak),
                                  QVariant(record.PeakTime),
                                  QVariant(int(record.Result)),
                                  Text(context.Station.isEmpty() ? m_station : context.Station)})
        query.addBindValue(value);
    if (!query.exec())
        return Fail(error, query.lastError());

    // One piece encoded at a time, besides the one the statement still holds. A test without
    // samples (one whose curve was lost) has no pieces.
    query.prepare(QStringLiteral("INSERT INTO samples (test_key, piece, data) VALUES (?, ?, ?)"));
    const QString testKey = KeyText(record.Key);
    const qsizetype total = record.Samples.size();
    int piece = 0;
    for (qsizetype first = 0; first < total; first += m_pieceSamples, ++piece) {
        query.bindValue(0, testKey);
        query.bindValue(1, piece);
        query.bindValue(
            2, EncodePiece(record.Samples, first, std::min(m_pieceSamples, total - first)));
        if (!query.exec())
            return Fail(error, query.lastError());
    }
    return transaction.Commit() || Fail(error, db.lastError());
}

bool ResultsDatabase::Rename(const QUuid& testKey, const QString& name, QString* error) {
    QSqlQuery query(Connection());
    query.prepare(QStringLiteral("UPDATE tests SET name = ? WHERE key = ?"));
    query.addBindValue(Text(name));
    query.addBindValue(KeyText(testKey));
    return query.exec() || Fail(error, query.lastError());
}

bool ResultsDatabase::Remove(const QList<QUuid>& testKeys, QString* error) {
    QSqlDatabase db = Connection();
    Transaction transaction(db);
    if (!transaction.IsOpen())
        return Fail(error, db.lastError());
    QSqlQuery query(db);
    for (const QUuid& key : testKeys) {
        for (const QString& statement : {QStringLiteral("DELETE FROM samples WHERE test_key = ?"),
                                         QStringLiteral("DELETE FROM tests WHERE key = ?")}) {
            query.prepare(statement);
            query.addBindValue(KeyText(key));
            if (!query.exec())
                return Fail(error, query.lastError());
        }
    }
    return transaction.Commit() || Fail(error, db.lastError());
}

std::optional<QList<StoredSeries>> ResultsDatabase::Series(QString* error) const {
    QSqlQuery query(Connection());
    if (!query.exec(QStringLiteral(
            "SELECT s.key, s.name, MIN(t.start_time), COUNT(t.key),"
            " (SELECT f.station FROM tests f WHERE f.series_key = s.key"
            " ORDER BY f.position LIMIT 1)"
            " FROM series s JOIN tests t ON t.series_key = s.key GROUP BY s.key, s.name"
            " ORDER BY MIN(t.start_time) DESC"))) {
        Fail(error, query.lastError());
        return std::nullopt;
    }
    QList<StoredSeries> series;
    while (query.next()) {
        StoredSeries found;
        found.Key = QUuid::fromString(query.value(0).toString());
        found.Name = query.value(1).toString();
        found.Start =
            QDateTime::fromString(query.value(2).toString(), Qt::ISODateWithMs).toLocalTime();
        found.Tests = query.value(3).toInt();
        found.Station = query.value(4).toString();
        series.append(found);
    }
    return series;
}

std::optional<QList<TestRecord>> ResultsDatabase::Load(const QUuid& seriesKey,
                                                       QString* error) const {
    QSqlQuery query(Connection());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM series WHERE key = ?"));
    query.addBindValue(KeyText(seriesKey));
    if (!query.exec() || !query.next()) {
        Fail(error, query.lastError());
        return std::nullopt;
    }
    if (query.value(0).toInt() == 0) {
        Fail(error, tr("Tej serii nie ma w bazie wyników."));
        return std::nullopt;
    }
    query.prepare(QStringLiteral(
        "SELECT t.key, t.name, t.origin, t.start_time, t.model, t.serial_number, t.unit,"
        " t.sample_time, t.low_threshold, t.high_threshold, t.operator, t.part, t.note,"
        " t.sample_count, t.duration, t.min_value, t.max_value, t.mean_value, t.peak,"
        " t.peak_time, t.verdict, t.station FROM tests t WHERE t.series_key = ?"
        " ORDER BY t.position"));
    query.addBindValue(KeyText(seriesKey));
    query.setForwardOnly(true);
    if (!query.exec()) {
        Fail(error, query.lastError());
        return std::nullopt;
    }
    QList<TestRecord> records;
    while (query.next()) {
        TestRecord record;
        record.Key = QUuid::fromString(query.value(0).toString());
        record.Name = query.value(1).toString();
        TestContext& context = record.Context;
        const int origin = query.value(2).toInt();
        context.Origin = origin == int(TestOrigin::Download) ? TestOrigin::Download
                         : origin == int(TestOrigin::File)   ? TestOrigin::File
                                                             : TestOrigin::Run;
        context.Start =
            QDateTime::fromString(query.value(3).toString(), Qt::ISODateWithMs).toLocalTime();
        context.Model = query.value(4).toString();
        context.SerialNumber = query.value(5).toString();
        context.Unit = query.value(6).toString();
        context.SampleTime = query.value(7).toDouble();
        if (!query.value(8).isNull() && !query.value(9).isNull())
            context.Limits = Tolerance{query.value(8).toDouble(), query.value(9).toDouble()};
        context.Operator = query.value(10).toString();
        context.Part = query.value(11).toString();
        context.Note = query.value(12).toString();
        record.SampleCount = query.value(13).toInt();
        record.Duration = query.value(14).toDouble();
        record.Min = query.value(15).toDouble();
        record.Max = query.value(16).toDouble();
        record.Mean = query.value(17).toDouble();
        record.Peak = query.value(18).toDouble();
        record.PeakTime = query.value(19).toDouble();
        const int verdict = query.value(20).toInt();
        record.Result = verdict == int(Verdict::Pass)   ? Verdict::Pass
                        : verdict == int(Verdict::Fail) ? Verdict::Fail
                                                        : Verdict::None;
        context.Station = query.value(21).toString();
        records.append(std::move(record));
    }
    // The tests' rows are read to their end first: a connection runs one query at a time, and a
    // server's forward-only result may be dropped when the next query starts.
    query.finish();
    // The figures stay where the curve is lost.
    QStringList damaged;
    QStringList tooLarge;
    for (TestRecord& record : records) {
        QList<QPointF> samples;
        QSqlError failure;
        try {
            switch (ReadSamples(Connection(), KeyText(record.Key), record.SampleCount, samples,
                                failure)) {
            case SampleRead::Whole:
                record.Samples = std::move(samples);
                break;
            case SampleRead::Damaged:
                damaged.append(record.Name);
                break;
            case SampleRead::Failed:
                Fail(error, failure);
                return std::nullopt;
            }
        } catch (const std::bad_alloc&) {
            tooLarge.append(record.Name);
        }
    }
    QStringList warnings;
    if (!damaged.isEmpty())
        warnings.append(tr("Próbki testów %1 są uszkodzone; wczytano ich wyniki bez przebiegów.")
                            .arg(damaged.join(QStringLiteral(", "))));
    if (!tooLarge.isEmpty())
        warnings.append(
            tr("Za mało pamięci na próbki testów %1; wczytano ich wyniki bez przebiegów.")
                .arg(tooLarge.join(QStringLiteral(", "))));
    if (!warnings.isEmpty())
        Fail(error, warnings.join(QLatin1Char('\n')));
    return records;
}
