#pragma once

#include "storage/RunJournal.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <memory>
#include <optional>

class GaugeExchange;
class ResultsStore;
struct WaitingJournals;

// Keeps every on-line run in a journal from its first sample until its record is stored, so
// that a crash, a kill or a power cut costs at most the last second of it.
class RunJournalKeeper final : public QObject {
    Q_OBJECT

public:
    RunJournalKeeper(GaugeExchange& exchange, ResultsStore& results, QObject* parent);

    // A run's samples count from now on, under the header its data file would have. A fast
    // run is journaled from its capture as it comes.
    void RunStarted(const QStringList& header);
    // The run is over. Its journal stays until the record made of it (none: the run had no
    // samples) is stored.
    void RunEnded(const std::optional<QUuid>& record);
    // A journal a crash left has become the given record: it goes once that is stored.
    void Recovered(const QString& journal, const std::optional<QUuid>& record);
    // Tests deleted before they were stored never will be: their journals go now.
    void Forget(const QList<QUuid>& records);

    // The journal of the run under way; empty without one.
    const QString& CurrentPath() const { return m_path; }
    RunJournal& Journal() { return m_journal; }

signals:
    void Failed(const QString& message);

private:
    void TakeCaptured(const QByteArray& text);
    void RemoveWhenStored(const QString& journal, const std::optional<QUuid>& record);

    // Longer than any capture line: what exceeds it is noise, not worth keeping.
    static constexpr qsizetype LongestCaptureLine = 64;

    GaugeExchange& m_exchange;
    RunJournal m_journal;
    QString m_path;
    // A capture line whose end has not come yet.
    QByteArray m_captureLine;
    // Journals of ended runs, by the record whose storing makes them unnecessary; shared
    // with the store's thread, which reports the storing.
    std::shared_ptr<WaitingJournals> m_waiting;
};
