// A run's journal from its start until its record is in the results database.
#include "app/RunJournalKeeper.h"

#include "link/GaugeExchange.h"
#include "protocol/ProcessData.h"
#include "storage/results/ResultsStore.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

// The store reports a record stored on its own thread, and at the program's end after the
// window has gone: the journals waiting for it are removed there and then.
struct WaitingJournals {
    QMutex Lock;
    QHash<QUuid, QString> Paths;

    void Remove(const QUuid& record) {
        QString path;
        {
            const QMutexLocker locker(&Lock);
            path = Paths.take(record);
        }
        if (!path.isEmpty() && !QFile::remove(path) && QFile::exists(path))
            qWarning("journal: %s cannot be removed", qPrintable(path));
    }
};

RunJournalKeeper::RunJournalKeeper(GaugeExchange& exchange, ResultsStore& results, QObject* parent)
    : QObject(parent)
    , m_exchange(exchange)
    , m_waiting(std::make_shared<WaitingJournals>()) {
    // A fast run's samples come as captured text; the others one by one from the reply side.
    connect(&exchange.Replies(), &ProcessData::SampleTaken, this,
            [this](double, double value) { m_journal.Append(value); });
    connect(&exchange, &GaugeExchange::Captured, this, &RunJournalKeeper::TakeCaptured);
    connect(&m_journal, &RunJournal::Failed, this, &RunJournalKeeper::Failed);
    connect(
        &results, &ResultsStore::Stored, &results,
        [waiting = m_waiting](const QUuid& record) { waiting->Remove(record); },
        Qt::DirectConnection);
}

void RunJournalKeeper::RunStarted(const QStringList& header) {
    // A journal still open belongs to a run that never ended (its link was lost): Begin ends
    // it and keeps it, to be offered at the next start rather than lost.
    m_captureLine.clear();
    m_path = m_journal.Begin(header);
}

void RunJournalKeeper::RunEnded(const std::optional<QUuid>& record) {
    if (m_path.isEmpty())
        return;
    TakeCaptured(QByteArrayLiteral("\n"));
    m_journal.Finish(!record);
    if (record)
        RemoveWhenStored(m_path, record);
    m_path.clear();
}

void RunJournalKeeper::Recovered(const QString& journal, const std::optional<QUuid>& record) {
    if (record)
        RemoveWhenStored(journal, record);
}

void RunJournalKeeper::RemoveWhenStored(const QString& journal,
                                        const std::optional<QUuid>& record) {
    const QMutexLocker locker(&m_waiting->Lock);
    m_waiting->Paths.insert(*record, journal);
}

void RunJournalKeeper::Forget(const QList<QUuid>& records) {
    for (const QUuid& record : records)
        m_waiting->Remove(record);
}

void RunJournalKeeper::TakeCaptured(const QByteArray& text) {
    if (m_path.isEmpty())
        return;
    for (const char c : text) {
        if (c != '\r' && c != '\n') {
            if (m_captureLine.size() < LongestCaptureLine)
                m_captureLine.append(c);
            continue;
        }
        if (const std::optional<double> value = ProcessData::ParseCaptureLine(m_captureLine))
            m_journal.Append(*value);
        m_captureLine.clear();
    }
}
