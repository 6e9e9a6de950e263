// The results database against SQLite and against a PostgreSQL server of the test's own: what
// is stored comes back unchanged (long tests in pieces), old databases are brought forward,
// damaged ones are reported, and the store on its thread keeps what could not be stored until
// it can.
#include "storage/XMLConfig.h"
#include "storage/results/ResultsDatabase.h"
#include "storage/results/ResultsStore.h"
#include "tests/support/PostgresServer.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

class TestResultsDatabase final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void storedTestsComeBack_data() { Backends(); }
    void storedTestsComeBack();
    void olderSchemaIsBroughtForward_data();
    void olderSchemaIsBroughtForward();
    void newerSchemaIsRefused_data() { Backends(); }
    void newerSchemaIsRefused();
    void damagedSamplesAreReported_data();
    void damagedSamplesAreReported();
    void storeKeepsWhatItCouldNotStore_data() { Backends(); }
    void storeKeepsWhatItCouldNotStore();
    void serverAwayAtCloseKeepsTestsLocally();
    void settingsFromConfig_data();
    void settingsFromConfig();

private:
    void Backends();
    // A fresh database of the row's backend.
    DatabaseSettings Fresh();
    static TestRecord Record(const QString& name, QList<QPointF> samples,
                             std::optional<Tolerance> limits);
    // count samples of a curve whose every value differs, so that a piece out of its place shows.
    static QList<QPointF> Curve(int count, double offset);
    // The byte sizes of the test's pieces in the order of their numbers; a number missing or out
    // of its place fails.
    static QList<qint64> PieceSizes(const ResultsDatabase& database, const QUuid& testKey);

    QTemporaryDir m_dir;
    std::unique_ptr<PostgresServer> m_server;
    int m_databases = 0;
};

void TestResultsDatabase::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_server = std::make_unique<PostgresServer>();
    QVERIFY2(m_server->Start(), qPrintable(m_server->ErrorText()));
}

namespace {

const std::pair<const char*, DatabaseKind> BackendRows[] = {
    {"SQLite", DatabaseKind::SQLite}, {"PostgreSQL", DatabaseKind::PostgreSQL}};

// Small pieces, so that a test of a few thousand samples has several.
constexpr int TestPieceSamples = 1000;
constexpr qint64 TestPieceBytes = TestPieceSamples * 16;

// A test row and its samples as one value, as the program wrote them before pieces.
void StoreOldLayout(const QSqlDatabase& db, const QUuid& seriesKey, const TestRecord& record) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO series (key, name) VALUES (?, 'Stara seria')"));
    query.addBindValue(seriesKey.toString(QUuid::WithoutBraces));
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    query.prepare(QStringLiteral(
        "INSERT INTO tests (key, series_key, position, name, origin, start_time, model,"
        " serial_number, unit, sample_time, operator, part, note, sample_count, duration,"
        " min_value, max_value, mean_value, peak, peak_time, verdict) VALUES (?, ?, 1, ?, 0, ?,"
        " 'TFG-500', '12345', 'N', 0.025, '', '', '', ?, ?, ?, ?, ?, ?, ?, 0)"));
    for (const QVariant& value :
         {QVariant(record.Key.toString(QUuid::WithoutBraces)),
          QVariant(seriesKey.toString(QUuid::WithoutBraces)), QVariant(record.Name),
          QVariant(record.Context.Start.toUTC().toString(Qt::ISODateWithMs)),
          QVariant(record.SampleCount), QVariant(record.Duration), QVariant(record.Min),
          QVariant(record.Max), QVariant(record.Mean), QVariant(record.Peak),
          QVariant(record.PeakTime)})
        query.addBindValue(value);
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    QByteArray data;
    for (const QPointF& sample : record.Samples) {
        char bytes[16];
        qToLittleEndian(sample.x(), bytes);
        qToLittleEndian(sample.y(), bytes + 8);
        data.append(bytes, sizeof bytes);
    }
    query.prepare(QStringLiteral("INSERT INTO samples (test_key, data) VALUES (?, ?)"));
    query.addBindValue(record.Key.toString(QUuid::WithoutBraces));
    query.addBindValue(data);
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
}

} // namespace

void TestResultsDatabase::Backends() {
    QTest::addColumn<DatabaseKind>("kind");
    for (const auto& [name, kind] : BackendRows)
        QTest::newRow(name) << kind;
}

QList<QPointF> TestResultsDatabase::Curve(int count, double offset) {
    QList<QPointF> samples;
    for (int i = 0; i < count; ++i)
        samples.append(QPointF(i * 0.025, offset + i * 0.5));
    return samples;
}

QList<qint64> TestResultsDatabase::PieceSizes(const ResultsDatabase& database,
                                              const QUuid& testKey) {
    QSqlQuery query(database.Connection());
    query.prepare(QStringLiteral(
        "SELECT piece, LENGTH(data) FROM samples WHERE test_key = ? ORDER BY piece"));
    query.addBindValue(testKey.toString(QUuid::WithoutBraces));
    QList<qint64> sizes;
    if (!query.exec())
        return {-1};
    while (query.next()) {
        if (query.value(0).toInt() != sizes.size())
            return {-1};
        sizes.append(query.value(1).toLongLong());
    }
    return sizes;
}

DatabaseSettings TestResultsDatabase::Fresh() {
    QFETCH(DatabaseKind, kind);
    DatabaseSettings settings;
    settings.Kind = kind;
    const QString name = QStringLiteral("results_%1").arg(++m_databases);
    if (kind == DatabaseKind::SQLite) {
        settings.Path = m_dir.filePath(name + QStringLiteral(".sqlite"));
    } else {
        settings.Host = m_server->Host();
        settings.Port = m_server->Port();
        settings.User = m_server->User();
        settings.Name = name;
        if (!m_server->CreateDatabase(name))
            qWarning("%s", qPrintable(m_server->ErrorText()));
    }
    return settings;
}

TestRecord TestResultsDatabase::Record(const QString& name, QList<QPointF> samples,
                                       std::optional<Tolerance> limits) {
    TestContext context;
    context.Start = QDateTime(QDate(2026, 12, 10), QTime(9, 15, 30, 250));
    context.Model = QStringLiteral("TFG-500");
    context.SerialNumber = QStringLiteral("12345");
    context.Unit = QStringLiteral("N");
    context.SampleTime = 0.025;
    context.Limits = limits;
    context.Operator = QStringLiteral("Zofia Łęcka");
    context.Part = QStringLiteral("partia 7, \"B\"");
    context.Note = QStringLiteral("line one\nline 'two'");
    TestRecord record = *TestRecord::Make(context, samples);
    record.Key = QUuid::createUuid();
    record.Name = name;
    return record;
}

void TestResultsDatabase::storedTestsComeBack() {
    const DatabaseSettings settings = Fresh();
    const QUuid seriesKey = QUuid::createUuid();
    QList<TestRecord> records{
        // Three whole pieces and a shorter one.
        Record(QStringLiteral("Długi"), Curve(3 * TestPieceSamples + 500, -20.0),
               Tolerance{0.0, 2000.0}),
        // Exactly two pieces: no empty one after them.
        Record(QStringLiteral("Równy"), Curve(2 * TestPieceSamples, 5.0), std::nullopt),
        Record(QStringLiteral("Test 1"), {{0.0, 1.5}, {0.025, -12.125}, {0.05, 3.0}},
               Tolerance{-13.0, -10.0}),
        Record(QStringLiteral("Ciągnięcie; \"2\""), {{0.0, 0.1 + 0.2}, {1e-9, -0.0}}, std::nullopt),
        Record(QStringLiteral("Test 3"), {{0.0, 1e300}}, Tolerance{0.0, 1.0})};
    // A test made at another station keeps its own; the others take the storing one's.
    records[2].Context.Station = QStringLiteral("stand-2");
    records[2].Context.Model = QStringLiteral("FS-20");
    records[2].Context.SerialNumber = QStringLiteral("777");
    QString error;
    {
        ResultsDatabase database(QStringLiteral("write"));
        database.SetStation(QStringLiteral("station-1"));
        database.SetPieceSamples(TestPieceSamples);
        QVERIFY2(database.Open(settings, &error), qPrintable(error));
        QCOMPARE(database.Version(), ResultsDatabase::SchemaVersion);
        for (const TestRecord& record : records)
            QVERIFY2(database.Store(seriesKey, QStringLiteral("Seria A"), record, &error),
                     qPrintable(error));
        // Handed over twice (a retry after a lost answer): kept once.
        QVERIFY(database.Store(seriesKey, QStringLiteral("Seria A"), records[0], &error));
        QVERIFY(database.Store(QUuid::createUuid(), QStringLiteral("Seria B"),
                               Record(QStringLiteral("Inny"), {{0.0, 1.0}}, std::nullopt), &error));
    }

    ResultsDatabase database(QStringLiteral("read"));
    QVERIFY2(database.Open(settings, &error), qPrintable(error));
    const auto series = database.Series(&error);
    QVERIFY2(series, qPrintable(error));
    QCOMPARE(series->size(), 2);
    const auto first = std::find_if(series->begin(), series->end(),
                                    [&](const StoredSeries& s) { return s.Key == seriesKey; });
    QVERIFY(first != series->end());
    QCOMPARE(first->Name, QStringLiteral("Seria A"));
    QCOMPARE(first->Tests, 5);
    QCOMPARE(first->Station, QStringLiteral("station-1"));
    QCOMPARE(first->Start, records[0].Context.Start);

    auto loaded = database.Load(seriesKey, &error);
    QVERIFY2(loaded, qPrintable(error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(loaded->size(), records.size());
    for (int i = 0; i < records.size(); ++i) {
        const TestRecord& want = records[i];
        const TestRecord& got = loaded->at(i);
        QCOMPARE(got.Key, want.Key);
        QCOMPARE(got.Name, want.Name);
        QCOMPARE(got.Context.Start, want.Context.Start);
        QCOMPARE(got.Context.Operator, want.Context.Operator);
        QCOMPARE(got.Context.Part, want.Context.Part);
        QCOMPARE(got.Context.Note, want.Context.Note);
        QCOMPARE(got.Context.Model, want.Context.Model);
        QCOMPARE(got.Context.SerialNumber, want.Context.SerialNumber);
        QCOMPARE(got.Context.Station, want.Context.Station.isEmpty() ? QStringLiteral("station-1")
                                                                     : want.Context.Station);
        QCOMPARE(got.Context.Limits.has_value(), want.Context.Limits.has_value());
        if (want.Context.Limits) {
            QCOMPARE(got.Context.Limits->Low, want.Context.Limits->Low);
            QCOMPARE(got.Context.Limits->High, want.Context.Limits->High);
        }
        QCOMPARE(got.Peak, want.Peak);
        QCOMPARE(got.Mean, want.Mean);
        QCOMPARE(got.Result, want.Result);
        // Bit for bit: a sum that is not a short decimal and a negative zero included.
        QCOMPARE(got.Samples, want.Samples);
        QCOMPARE(std::signbit(got.Samples.constLast().y()),
                 std::signbit(want.Samples.constLast().y()));
    }

    // Stored twice, the long test still has each piece once.
    QCOMPARE(PieceSizes(database, records[0].Key),
             (QList<qint64>{TestPieceBytes, TestPieceBytes, TestPieceBytes, TestPieceBytes / 2}));
    QCOMPARE(PieceSizes(database, records[1].Key), (QList<qint64>{TestPieceBytes, TestPieceBytes}));

    QVERIFY(database.Rename(records[1].Key, QStringLiteral("Nowa nazwa"), &error));
    QVERIFY(database.Remove({records[0].Key}, &error));
    QVERIFY(PieceSizes(database, records[0].Key).isEmpty());
    loaded = database.Load(seriesKey, &error);
    QCOMPARE(loaded->size(), 4);
    QCOMPARE(loaded->at(0).Name, QStringLiteral("Nowa nazwa"));
    QCOMPARE(loaded->at(0).Samples, records[1].Samples);
    QVERIFY(!database.Load(QUuid::createUuid(), &error));
    QVERIFY(!error.isEmpty());
}

void TestResultsDatabase::olderSchemaIsBroughtForward_data() {
    QTest::addColumn<DatabaseKind>("kind");
    QTest::addColumn<int>("version");
    for (const auto& [name, kind] : BackendRows)
        for (const int version : {1, 2})
            QTest::addRow("%s, version %d", name, version) << kind << version;
}

void TestResultsDatabase::olderSchemaIsBroughtForward() {
    QFETCH(int, version);
    const DatabaseSettings settings = Fresh();
    const QUuid oldSeries = QUuid::createUuid();
    // One value of more samples than a piece holds: it becomes the first piece as it is.
    const TestRecord old =
        Record(QStringLiteral("Sprzed zmiany"), Curve(TestPieceSamples + 7, 1.0), std::nullopt);
    QString error;
    {
        ResultsDatabase database(QStringLiteral("old"));
        QVERIFY2(database.Open(settings, &error, version), qPrintable(error));
        QCOMPARE(database.Version(), version);
        StoreOldLayout(database.Connection(), oldSeries, old);
        if (QTest::currentTestFailed())
            return;
    }
    ResultsDatabase database(QStringLiteral("new"));
    database.SetPieceSamples(TestPieceSamples);
    QVERIFY2(database.Open(settings, &error), qPrintable(error));
    QCOMPARE(database.Version(), ResultsDatabase::SchemaVersion);
    QCOMPARE(PieceSizes(database, old.Key), QList<qint64>{old.SampleCount * 16});
    auto loaded = database.Load(oldSeries, &error);
    QVERIFY2(loaded && error.isEmpty(), qPrintable(error));
    QCOMPARE(loaded->size(), 1);
    QCOMPARE(loaded->front().Name, old.Name);
    QCOMPARE(loaded->front().Peak, old.Peak);
    QCOMPARE(loaded->front().Samples, old.Samples);

    // New tests go in beside it, in pieces, and leave with it.
    const TestRecord added =
        Record(QStringLiteral("Po zmianie"), Curve(TestPieceSamples + 1, 2.0), std::nullopt);
    QVERIFY2(database.Store(oldSeries, QString(), added, &error), qPrintable(error));
    loaded = database.Load(oldSeries, &error);
    QVERIFY2(loaded && error.isEmpty(), qPrintable(error));
    QCOMPARE(loaded->size(), 2);
    QCOMPARE(loaded->at(1).Samples, added.Samples);
    QCOMPARE(PieceSizes(database, added.Key), (QList<qint64>{TestPieceBytes, 16}));
    QVERIFY2(database.Remove({old.Key, added.Key}, &error), qPrintable(error));
    QVERIFY(PieceSizes(database, old.Key).isEmpty());
    QVERIFY(PieceSizes(database, added.Key).isEmpty());
}

void TestResultsDatabase::newerSchemaIsRefused() {
    const DatabaseSettings settings = Fresh();
    QString error;
    {
        ResultsDatabase database(QStringLiteral("future"));
        QVERIFY(database.Open(settings, &error));
        QSqlQuery query(database.Connection());
        QVERIFY(query.exec(QStringLiteral("UPDATE schema_info SET version = 99")));
    }
    ResultsDatabase database(QStringLiteral("present"));
    QVERIFY(!database.Open(settings, &error));
    QVERIFY2(error.contains(QLatin1String("99")), qPrintable(error));
    QVERIFY(!database.IsOpen());
}

void TestResultsDatabase::damagedSamplesAreReported_data() {
    QTest::addColumn<DatabaseKind>("kind");
    // Run on the damaged test's pieces: the bytes (when given) bound first, then its key.
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray none;
    const struct {
        const char* Name;
        const char* Damage;
        QByteArray Bytes;
    } damages[] = {
        {"piece cut short", "UPDATE samples SET data = ? WHERE test_key = ? AND piece = 1",
         QByteArray("\x01\x02\x03", 3)},
        {"middle piece missing", "DELETE FROM samples WHERE test_key = ? AND piece = 1", none},
        {"last piece missing", "DELETE FROM samples WHERE test_key = ? AND piece = 2", none},
        // As many bytes as the count asks for, in pieces out of their order.
        {"piece numbers with a gap",
         "UPDATE samples SET piece = 5 WHERE test_key = ? AND piece = 1", none},
        {"a piece too many",
         "INSERT INTO samples (test_key, piece, data)"
         " SELECT test_key, 3, data FROM samples WHERE test_key = ? AND piece = 0",
         none},
        {"no pieces at all", "DELETE FROM samples WHERE test_key = ?", none},
    };
    for (const auto& [backend, kind] : BackendRows)
        for (const auto& damage : damages)
            QTest::addRow("%s, %s", backend, damage.Name)
                << kind << QString::fromLatin1(damage.Damage) << damage.Bytes;
}

void TestResultsDatabase::damagedSamplesAreReported() {
    QFETCH(QString, damage);
    QFETCH(QByteArray, bytes);
    const DatabaseSettings settings = Fresh();
    ResultsDatabase database(QStringLiteral("damaged"));
    database.SetPieceSamples(TestPieceSamples);
    QString error;
    QVERIFY2(database.Open(settings, &error), qPrintable(error));
    const QUuid seriesKey = QUuid::createUuid();
    // The damaged test between two whole ones of several pieces each.
    const QList<TestRecord> records{
        Record(QStringLiteral("Cały"), Curve(2 * TestPieceSamples + 1, 1.0), std::nullopt),
        Record(QStringLiteral("Zepsuty"), Curve(2 * TestPieceSamples + 500, 5.0), std::nullopt),
        Record(QStringLiteral("Następny"), Curve(3 * TestPieceSamples, 9.0), std::nullopt)};
    for (const TestRecord& record : records)
        QVERIFY2(database.Store(seriesKey, QStringLiteral("S"), record, &error), qPrintable(error));
    QSqlQuery query(database.Connection());
    query.prepare(damage);
    if (!bytes.isNull())
        query.addBindValue(bytes);
    query.addBindValue(records[1].Key.toString(QUuid::WithoutBraces));
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));

    const auto loaded = database.Load(seriesKey, &error);
    QVERIFY2(loaded, qPrintable(error));
    QCOMPARE(loaded->size(), 3);
    QCOMPARE(loaded->at(0).Samples, records[0].Samples);
    QCOMPARE(loaded->at(2).Samples, records[2].Samples);
    // The figures stay, the curve is gone, and only the damaged test is named.
    QVERIFY(loaded->at(1).Samples.isEmpty());
    QCOMPARE(loaded->at(1).Peak, records[1].Peak);
    QCOMPARE(loaded->at(1).SampleCount, records[1].SampleCount);
    QVERIFY2(error.contains(QStringLiteral("Zepsuty")), qPrintable(error));
    QVERIFY2(!error.contains(QStringLiteral("Cały")) && !error.contains(QStringLiteral("Następny")),
             qPrintable(error));
}

void TestResultsDatabase::storeKeepsWhatItCouldNotStore() {
    const DatabaseSettings settings = Fresh();
    DatabaseSettings unreachable = settings;
    // A folder that cannot be made, or a port where no server listens.
    unreachable.Path = QStringLiteral("/dev/null/results.sqlite");
    unreachable.Port = 1;
    const QUuid seriesKey = QUuid::createUuid();
    QList<TestRecord> records;
    for (int i = 0; i < 5; ++i)
        records.append(
            Record(QStringLiteral("Test %1").arg(i + 1), {{0.0, double(i)}}, std::nullopt));
    {
        ResultsStore store;
        QSignalSpy failed(&store, &ResultsStore::Failed);
        QSignalSpy unsaved(&store, &ResultsStore::UnsavedChanged);
        QSignalSpy stored(&store, &ResultsStore::Stored);
        store.Open(unreachable);
        store.Store(seriesKey, QStringLiteral("S"), records[0]);
        store.Rename(records[0].Key, QStringLiteral("Przemianowany"));
        store.Flush();
        QVERIFY(failed.count() >= 1);
        QVERIFY(!failed.constLast().at(0).toString().isEmpty());
        QCOMPARE(unsaved.constLast().at(0).toInt(), 1);
        QCOMPARE(stored.count(), 0);

        // The database is back: what waited goes in first, under its new name.
        store.Open(settings);
        for (int i = 1; i < records.size(); ++i)
            store.Store(seriesKey, QStringLiteral("S"), records[i]);
        // Torn down at once: everything handed over is stored before the thread ends.
    }
    ResultsDatabase database(QStringLiteral("check"));
    QString error;
    QVERIFY2(database.Open(settings, &error), qPrintable(error));
    const auto loaded = database.Load(seriesKey, &error);
    QVERIFY2(loaded, qPrintable(error));
    QCOMPARE(loaded->size(), records.size());
    QCOMPARE(loaded->at(0).Name, QStringLiteral("Przemianowany"));
    QCOMPARE(loaded->at(0).Key, records[0].Key);
}

void TestResultsDatabase::serverAwayAtCloseKeepsTestsLocally() {
    // The default file lies in the per-user folder of tests, never the user's own.
    QStandardPaths::setTestModeEnabled(true);
    const DatabaseSettings local;
    QFile::remove(local.SqlitePath());
    DatabaseSettings away;
    away.Kind = DatabaseKind::PostgreSQL;
    away.Host = m_server->Host();
    away.Port = 1;
    const QUuid seriesKey = QUuid::createUuid();
    const TestRecord record = Record(QStringLiteral("Ostatni"), {{0.0, 7.0}}, std::nullopt);
    {
        ResultsStore store;
        store.Open(away);
        store.Store(seriesKey, QStringLiteral("S"), record);
    }
    ResultsDatabase database(QStringLiteral("local"));
    QString error;
    QVERIFY2(database.Open(local, &error), qPrintable(error));
    const auto loaded = database.Load(seriesKey, &error);
    QVERIFY2(loaded, qPrintable(error));
    QCOMPARE(loaded->size(), 1);
    QCOMPARE(loaded->front().Key, record.Key);
    database.Close();
    QFile::remove(local.SqlitePath());
}

void TestResultsDatabase::settingsFromConfig_data() {
    QTest::addColumn<DatabaseConfig>("config");
    QTest::addColumn<DatabaseKind>("kind");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("host");
    const DatabaseConfig defaults;
    QTest::newRow("defaults") << defaults << DatabaseKind::SQLite << 5432 << "localhost";
    DatabaseConfig server = defaults;
    server.Kind = "postgresql";
    server.Port = " 6543 ";
    server.Host = " db.lab ";
    QTest::newRow("server") << server << DatabaseKind::PostgreSQL << 6543 << "db.lab";
    DatabaseConfig unknown = defaults;
    unknown.Kind = "Oracle";
    unknown.Port = "70000";
    unknown.Host = "";
    QTest::newRow("unknown kind, port out of range, no host")
        << unknown << DatabaseKind::SQLite << 5432 << "localhost";
    DatabaseConfig letters = server;
    letters.Port = "5432x";
    QTest::newRow("port with letters") << letters << DatabaseKind::PostgreSQL << 5432 << "db.lab";
}

void TestResultsDatabase::settingsFromConfig() {
    QFETCH(DatabaseConfig, config);
    QFETCH(DatabaseKind, kind);
    QFETCH(int, port);
    QFETCH(QString, host);
    const DatabaseSettings settings = DatabaseSettings::FromConfig(config);
    QCOMPARE(settings.Kind, kind);
    QCOMPARE(settings.Port, port);
    QCOMPARE(settings.Host, host);
    // What is written back reads the same.
    QCOMPARE(DatabaseSettings::FromConfig(settings.ToConfig()), settings);
}

QTEST_GUILESS_MAIN(TestResultsDatabase)
#include "tst_resultsdatabase.moc"
