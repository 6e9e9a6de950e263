#pragma once

#include <QByteArray>
#include <QFile>
#include <QLockFile>
#include <QString>

#include <memory>

// The raw text of a fast on-line run ("fcf.dat"): gathered as it arrives and written out in
// blocks, so that the receive path does no parsing; replayed when the run stops.
class CaptureFile final {
public:
    inline static constexpr char FileName[] = "fcf.dat";
    // A block is written once more than this many characters have gathered.
    static constexpr int BlockThreshold = 100;
    // Text kept while writes keep failing (a full disk); the oldest lines go first.
    static constexpr qsizetype BufferLimit = 16 * 1024 * 1024;

    // Where the program keeps the file.
    static QString DefaultPath();
    // The file of one gauge's exchange, which no other window or program uses while this one
    // lives: DefaultPath() for the first, "fcf-2.dat", "fcf-3.dat", ... beside it for others,
    // so that two fast runs at once never write one file.
    static std::unique_ptr<CaptureFile> Claim();

    explicit CaptureFile(QString path = DefaultPath());
    // Text still gathered goes to the file: however the program ends, a run keeps its tail.
    ~CaptureFile();
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    // Whether the file can be written (it is neither created nor emptied here): a run must
    // not start with a capture that only memory would hold.
    bool CanWrite() const;

    // Creates or empties the file at the start of a fast run. False when it cannot be
    // created; the text is then kept and the file is tried again at the next block.
    bool Start();
    // Text received during the run, stored unchanged.
    void Append(const QByteArray& text);
    // Writes what is left and closes the file; false when some text could not be written
    // (it stays in Buffer()). The file at Path() holds the run for the replay.
    bool Finish();
    // Empties the gathered text without touching the file (the port is being opened).
    void ClearBuffer();

    QString Path() const { return m_path; }
    // Whether the file at Path() was begun by the current (or last) run: otherwise it holds
    // an earlier run's text, which must never be replayed as new samples.
    bool FileHoldsThisRun() const { return m_fileIsThisRuns; }
    bool IsOpen() const { return m_file.isOpen(); }
    // `CaptureBuffer` and `CaptureCount`: text not yet written, and characters received
    // since the last successful write.
    QByteArray Buffer() const { return m_buffer; }
    qsizetype Count() const { return m_count; }

private:
    bool WriteBuffer();
    bool EnsureOpen();
    void LimitBuffer();

    QString m_path;
    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_count = 0;
    // Whether this run has its file yet: the first opening empties it, later ones append.
    bool m_runHasFile = false;
    // Set by the opening that emptied the file for this run, cleared by the next Start.
    bool m_fileIsThisRuns = false;
    // Held while the path is this object's alone (see Claim).
    std::unique_ptr<QLockFile> m_claim;
};
