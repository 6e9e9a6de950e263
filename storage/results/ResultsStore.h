#pragma once

#include "series/TestRecord.h"
#include "storage/results/DatabaseSettings.h"
#include "storage/results/ResultsDatabase.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThread>
#include <QUuid>

#include <chrono>
#include <memory>

// The results database on a thread of its own: a finished test is handed over and the
// interface goes on at once, whether the disk or the server is slow or away. A test that
// could not be stored is kept and tried again; the store is not torn down before everything
// handed over has been tried, and what a server did not take by then is kept in this
// computer's own file.
class ResultsStore final : public QObject {
    Q_OBJECT

public:
    // How long a test that could not be stored waits for its next attempt.
    static constexpr std::chrono::seconds RetryInterval{30};

    explicit ResultsStore(QObject* parent = nullptr);
    ~ResultsStore() override;

    // Opens the database (closing the one in use); Opened or Failed tells how it went.
    void Open(const DatabaseSettings& settings);
    void Store(const QUuid& seriesKey, const QString& seriesName, const TestRecord& record);
    void Rename(const QUuid& testKey, const QString& name);
    void Remove(const QList<QUuid>& testKeys);
    // SeriesListed answers.
    void ListSeries();
    // SeriesLoaded answers, or Failed.
    void LoadSeries(const QUuid& seriesKey);
    // Returns when everything handed over so far has been done (or has failed).
    void Flush();

signals:
    void Opened(const QString& description);
    void Failed(const QString& message);
    // The test is kept: in the chosen database, or at the end in this computer's own file.
    // Raised on the store's thread.
    void Stored(const QUuid& testKey);
    // Tests handed over and not stored yet (after a failure); zero once all are in.
    void UnsavedChanged(int count);
    void SeriesListed(const QList<StoredSeries>& series);
    // A warning names tests whose samples could not be read.
    void SeriesLoaded(const QUuid& seriesKey, const QString& name, const QList<TestRecord>& records,
                      const QString& warning);

private:
    struct Unsaved {
        QUuid SeriesKey;
        QString SeriesName;
        TestRecord Record;
    };

    // On the store's thread.
    template <typename Work> void OnThread(Work work);
    bool EnsureOpen();
    void StoreUnsaved();
    // At the end: what the chosen database did not take goes to the default SQLite file.
    void KeepUnsavedLocally();
    void ScheduleRetry();

    QThread m_thread;
    // Lives on m_thread: the work is queued to it.
    QObject* m_worker = nullptr;
    // Used on m_thread only.
    std::unique_ptr<ResultsDatabase> m_database;
    QString m_connectionName;
    DatabaseSettings m_settings;
    bool m_opened = false;
    QList<Unsaved> m_unsaved;
    bool m_retryScheduled = false;
};
