// Storing test records on the store's own thread.
#include "storage/results/ResultsStore.h"

#include <QAtomicInt>
#include <QSysInfo>
#include <QTimer>

namespace {
// Each store has a connection of its own: several windows may keep results at once.
QString NextConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("zfm-results-%1").arg(counter.fetchAndAddRelaxed(1));
}
} // namespace

ResultsStore::ResultsStore(QObject* parent)
    : QObject(parent)
    , m_worker(new QObject) {
    m_thread.setObjectName(QStringLiteral("results"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    m_connectionName = NextConnectionName();
    OnThread([this] {
        m_database = std::make_unique<ResultsDatabase>(m_connectionName);
        m_database->SetStation(QSysInfo::machineHostName());
    });
}

ResultsStore::~ResultsStore() {
    // Queued behind everything handed over: the last attempt for unsaved tests, then the end.
    OnThread([this] {
        StoreUnsaved();
        KeepUnsavedLocally();
        m_database.reset();
        m_thread.quit();
    });
    m_thread.wait();
    delete m_worker;
}

template <typename Work> void ResultsStore::OnThread(Work work) {
    QMetaObject::invokeMethod(m_worker, std::move(work), Qt::QueuedConnection);
}

void ResultsStore::Flush() {
    QMetaObject::invokeMethod(
        m_worker, [] {}, Qt::BlockingQueuedConnection);
}

void ResultsStore::Open(const DatabaseSettings& settings) {
    OnThread([this, settings] {
        m_settings = settings;
        m_opened = true;
        m_database->Close();
        if (EnsureOpen())
            StoreUnsaved();
    });
}

bool ResultsStore::EnsureOpen() {
    if (!m_opened)
        return false;
    if (m_database->IsOpen())
        return true;
    QString error;
    if (!m_database->Open(m_settings, &error)) {
        emit Failed(error);
        return false;
    }
    emit Opened(m_settings.Description());
    return true;
}

void ResultsStore::Store(const QUuid& seriesKey, const QString& seriesName,
                         const TestRecord& record) {
    OnThread([this, unsaved = Unsaved{seriesKey, seriesName, record}] {
        m_unsaved.append(unsaved);
        StoreUnsaved();
    });
}

void ResultsStore::StoreUnsaved() {
    if (m_unsaved.isEmpty() || !EnsureOpen()) {
        if (!m_unsaved.isEmpty())
            ScheduleRetry();
        emit UnsavedChanged(int(m_unsaved.size()));
        return;
    }
    while (!m_unsaved.isEmpty()) {
        const Unsaved& next = m_unsaved.constFirst();
        QString error;
        if (!m_database->Store(next.SeriesKey, next.SeriesName, next.Record, &error)) {
            // The connection may have gone (a server restarted): the next attempt opens anew.
            m_database->Close();
            emit Failed(error);
            ScheduleRetry();
            break;
        }
        const QUuid stored = next.Record.Key;
        m_unsaved.removeFirst();
        emit Stored(stored);
    }
    emit UnsavedChanged(int(m_unsaved.size()));
}

void ResultsStore::KeepUnsavedLocally() {
    const DatabaseSettings local;
    if (m_unsaved.isEmpty() ||
        (m_settings.Kind == DatabaseKind::SQLite && m_settings.SqlitePath() == local.SqlitePath()))
        return;
    // The server is away as the program ends: the tests go to this computer's own file, from
    // which they can be opened, rather than nowhere.
    ResultsDatabase fallback(m_connectionName + QStringLiteral("-local"));
    fallback.SetStation(QSysInfo::machineHostName());
    QString error;
    if (!fallback.Open(local, &error)) {
        qWarning("results: %d tests could not be stored: %s", int(m_unsaved.size()),
                 qPrintable(error));
        return;
    }
    for (const Unsaved& unsaved : std::as_const(m_unsaved)) {
        if (fallback.Store(unsaved.SeriesKey, unsaved.SeriesName, unsaved.Record, &error))
            emit Stored(unsaved.Record.Key);
        else
            qWarning("results: test %s could not be stored: %s", qPrintable(unsaved.Record.Name),
                     qPrintable(error));
    }
    qWarning("results: %d tests were kept in %s", int(m_unsaved.size()),
             qPrintable(local.Description()));
    m_unsaved.clear();
}

void ResultsStore::ScheduleRetry() {
    if (m_retryScheduled)
        return;
    m_retryScheduled = true;
    QTimer::singleShot(RetryInterval, m_worker, [this] {
        m_retryScheduled = false;
        StoreUnsaved();
    });
}

void ResultsStore::Rename(const QUuid& testKey, const QString& name) {
    OnThread([this, testKey, name] {
        // A test still waiting to be stored goes in with its new name.
        for (Unsaved& unsaved : m_unsaved)
            if (unsaved.Record.Key == testKey)
                unsaved.Record.Name = name;
        QString error;
        if (EnsureOpen() && !m_database->Rename(testKey, name, &error))
            emit Failed(error);
    });
}

void ResultsStore::Remove(const QList<QUuid>& testKeys) {
    OnThread([this, testKeys] {
        m_unsaved.removeIf(
            [&](const Unsaved& unsaved) { return testKeys.contains(unsaved.Record.Key); });
        QString error;
        if (EnsureOpen() && !m_database->Remove(testKeys, &error))
            emit Failed(error);
    });
}

void ResultsStore::ListSeries() {
    OnThread([this] {
        if (!EnsureOpen())
            return;
        QString error;
        if (const auto series = m_database->Series(&error))
            emit SeriesListed(*series);
        else
            emit Failed(error);
    });
}

void ResultsStore::LoadSeries(const QUuid& seriesKey) {
    OnThread([this, seriesKey] {
        if (!EnsureOpen())
            return;
        QString error;
        const auto records = m_database->Load(seriesKey, &error);
        if (!records) {
            emit Failed(error);
            return;
        }
        QString name;
        if (const auto series = m_database->Series(nullptr))
            for (const StoredSeries& stored : *series)
                if (stored.Key == seriesKey)
                    name = stored.Name;
        emit SeriesLoaded(seriesKey, name, *records, error);
    });
}
