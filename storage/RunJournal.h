#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <vector>

class JournalWriter;

// A run's samples on disk as they arrive, so that a crash loses at most the last second.
//
// The journal is a data file whose header says it is unfinished, so "open data file" reads
// it up to its last whole line. The disk is only touched on the journal's own thread; the
// calling thread collects values and hands them over in batches. Used from the thread the
// journal lives on.
class RunJournal final : public QObject {
    Q_OBJECT

public:
    // The longest a value waits before it is handed over, and handed-over values before
    // they are forced to the disk: together at most a second, all a power cut may take.
    static constexpr std::chrono::milliseconds HandOverInterval{500};
    static constexpr std::chrono::milliseconds SyncInterval{500};
    // Values in one batch at most, so that a fast run hands over without waiting for the
    // interval and the writer never holds much.
    static constexpr std::size_t BatchSize = 8192;

    explicit RunJournal(QObject* parent = nullptr);
    // Writes what was handed over and keeps the file: a run that did not end normally is
    // one to recover.
    ~RunJournal() override;

    // Where journals are kept: the per-user data folder's "recovery" (ZENTO_FM_RECOVERY
    // instead, when set).
    static QString Folder();
    // Starts a journal under a new name of its own in folder, with the header the run's data
    // file would have (DataFile::NewHeader); the counts are marked unfinished. A journal
    // still open is ended first and kept. Returns the path chosen; Failed tells when the
    // file cannot be written.
    QString Begin(const QStringList& headerLines, const QString& folder = Folder());
    // Cheap enough for every sample: the clock is read once in a while, the disk never.
    void Append(double value) {
        if (!m_open)
            return;
        if (m_batch.empty())
            BatchStarted();
        m_batch.push_back(value);
        if (m_batch.size() >= BatchSize ||
            (m_batch.size() % AgeCheckEvery == 0 && m_batchAge.hasExpired(IntervalMs)))
            HandOver();
    }
    // Hands over what was appended and returns once it is on the disk (or has failed).
    void Flush();
    // The run ended and its data is safe elsewhere: remove drops the journal, otherwise it
    // is kept for a later recovery.
    void Finish(bool remove);
    // Journals that no running journal holds, newest first: what the runs that did not
    // finish left behind. The caller removes them once their data is recovered.
    static QStringList Leftovers(const QString& folder = Folder());
    // When the run a journal holds began, as its name tells; invalid for another name.
    static QDateTime StartOf(const QString& path);

signals:
    // The journal cannot be written (folder not writable, disk full ...); later values
    // are still tried.
    void Failed(const QString& message);

private:
    static constexpr qint64 IntervalMs = HandOverInterval.count();

    // A busy event loop may hold the hand-over timer back; a steady run hands over anyway.
    static constexpr std::size_t AgeCheckEvery = 16;

    void BatchStarted();
    void HandOver();
    template <typename Work> void OnThread(Work work);

    QThread m_thread;
    // Lives on m_thread, and only its thread calls it.
    JournalWriter* m_writer = nullptr;
    std::vector<double> m_batch;
    QElapsedTimer m_batchAge;
    // Hands over a batch that waits while the values stop coming.
    QTimer m_handOverTimer;
    bool m_open = false;
};
