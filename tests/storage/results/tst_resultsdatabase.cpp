// The results database against SQLite and against a PostgreSQL server of the test's own: what
// is stored comes back unchanged, old databases are brought forward, damaged ones are reported,
// and the store on its thread keeps what could not be stored until it can.
#include "storage/XMLConfig.h"
#include "storage/results/ResultsDatabase.h"
#include "storage/results/ResultsStore.h"
#include "tests/support/PostgresServer.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestResultsDatabase final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void storedTestsComeBack_data() { Backends(); }
    void storedTestsComeBack();
    void olderSchemaIsBroughtForward_data() { Backends(); }
    void olderSchemaIsBroughtForward();
    void newerSchemaIsRefused_data() { Backends(); }
    void newerSchemaIsRefused();
    void damagedSamplesAreReported_data() { Backends(); }
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

    QTemporaryDir m_dir;
    std::unique_ptr<PostgresServer> m_server;
    int m_databases = 0;
};

void TestResultsDatabase::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_server = std::make_unique<PostgresServer>();
    QVERIFY2(m_server->Start(), qPrintable(m_server->ErrorText()));
}

void TestResultsDatabase::Backends() {
    QTest::addColumn<DatabaseKind>("kind");
    QTest::newRow("SQLite") << DatabaseKind::SQLite;
    QTest::newRow("PostgreSQL") << DatabaseKind::PostgreSQL;
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
    const QList<TestRecord> records{
        Record(QStringLiteral("Test 1"), {{0.0, 1.5}, {0.025, -12.125}, {0.05, 3.0}},
               Tolerance{-13.0, -10.0}),
        Record(QStringLiteral("Ciągnięcie; \"2\""), {{0.0, 0.1 + 0.2}, {1e-9, -0.0}}, std::nullopt),
        Record(QStringLiteral("Test 3"), {{0.0, 1e300}}, Tolerance{0.0, 1.0})};
    QString error;
    {
        ResultsDatabase database(QStringLiteral("write"));
        database.SetStation(QStringLiteral("station-1"));
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
    QCOMPARE(first->Tests, 3);
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

    QVERIFY(database.Rename(records[1].Key, QStringLiteral("Nowa nazwa"), &error));
    QVERIFY(database.Remove({records[0].Key}, &error));
    loaded = database.Load(seriesKey, &error);
    QCOMPARE(loaded->size(), 2);
    QCOMPARE(loaded->at(0).Name, QStringLiteral("Nowa nazwa"));
    QVERIFY(!database.Load(QUuid::createUuid(), &error));
    QVERIFY(!error.isEmpty());
}

void TestResultsDatabase::olderSchemaIsBroughtForward() {
    const DatabaseSettings settings = Fresh();
    QString error;
    {
        ResultsDatabase old(QStringLiteral("old"));
        QVERIFY2(old.Open(settings, &error, 1), qPrintable(error));
        QCOMPARE(old.Version(), 1);
        QSqlQuery query(old.Connection());
        QVERIFY(query.exec(QStringLiteral("INSERT INTO series (key, name) VALUES ('k', 'kept')")));
    }
    ResultsDatabase database(QStringLiteral("new"));
    QVERIFY2(database.Open(settings, &error), qPrintable(error));
    QCOMPARE(database.Version(), ResultsDatabase::SchemaVersion);
    QSqlQuery query(database.Connection());
    QVERIFY(query.exec(QStringLiteral("SELECT name FROM series WHERE key = 'k'")) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("kept"));
    QVERIFY2(database.Store(QUuid::createUuid(), QStringLiteral("S"),
                            Record(QStringLiteral("T"), {{0.0, 1.0}}, std::nullopt), &error),
             qPrintable(error));
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

void TestResultsDatabase::damagedSamplesAreReported() {
    const DatabaseSettings settings = Fresh();
    ResultsDatabase database(QStringLiteral("damaged"));
    QString error;
    QVERIFY(database.Open(settings, &error));
    const QUuid seriesKey = QUuid::createUuid();
    const TestRecord whole = Record(QStringLiteral("Cały"), {{0.0, 1.0}, {0.1, 2.0}}, std::nullopt);
    const TestRecord broken = Record(QStringLiteral("Zepsuty"), {{0.0, 5.0}}, std::nullopt);
    QVERIFY(database.Store(seriesKey, QStringLiteral("S"), whole, &error));
    QVERIFY(database.Store(seriesKey, QStringLiteral("S"), broken, &error));
    QSqlQuery query(database.Connection());
    query.prepare(QStringLiteral("UPDATE samples SET data = ? WHERE test_key = ?"));
    query.addBindValue(QByteArray("\x01\x02\x03", 3));
    query.addBindValue(broken.Key.toString(QUuid::WithoutBraces));
    QVERIFY(query.exec());

    const auto loaded = database.Load(seriesKey, &error);
    QVERIFY(loaded);
    QCOMPARE(loaded->size(), 2);
    QCOMPARE(loaded->at(0).Samples, whole.Samples);
    QVERIFY(loaded->at(1).Samples.isEmpty());
    QCOMPARE(loaded->at(1).Peak, 5.0);
    QVERIFY2(error.contains(QStringLiteral("Zepsuty")), qPrintable(error));
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
