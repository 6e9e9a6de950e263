// Writing run journals on their own thread, and finding the ones left behind.
#include "storage/RunJournal.h"

#include "storage/CodePage1250.h"
#include "storage/DataFile.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace {

const QString NamePattern = QStringLiteral("run-*.txt");
constexpr QByteArrayView LineEnd{"\r\n"};

// Unique among the journals of all windows: the pid tells processes apart, the counter this
// process's journals, the random part a pid used again after a crash.
// What a journal's name tells: when its run began and which process wrote it.
struct Naming {
    QDateTime Start;
    qint64 Pid = 0;
};

std::optional<Naming> NamingOf(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^run-(\\d{8}-\\d{6})-(\\d+)-\\d+-[0-9a-f]+\\.txt$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    Naming naming{QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss")),
                  match.captured(2).toLongLong()};
    if (!naming.Start.isValid() || naming.Pid <= 0)
        return std::nullopt;
    return naming;
}

// Seconds since the epoch at which the system started; 0 when unknown.
qint64 BootTime() {
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // Files of /proc tell no size: read to the end rather than up to it.
    for (const QByteArray& line : stat.readAll().split('\n'))
        if (line.startsWith("btime "))
            return line.mid(6).trimmed().toLongLong();
    return 0;
}

// Whether the process that named a journal still runs: a process of that number that began
// after the journal was named (the number taken again after a restart) is another one.
bool WriterAlive(qint64 pid, const QDateTime& named) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    // The command name may hold spaces and parentheses; the fields follow its last ')', and
    // the start time (field 22) is the 20th of them.
    const qsizetype close = text.lastIndexOf(')');
    const QList<QByteArray> fields =
        close < 0 ? QList<QByteArray>() : text.mid(close + 2).split(' ');
    bool read = false;
    const qulonglong ticks = fields.size() > 19 ? fields.at(19).toULongLong(&read) : 0;
    const long perSecond = ::sysconf(_SC_CLK_TCK);
    const qint64 boot = BootTime();
    if (!read || perSecond <= 0 || boot <= 0)
        return true; // cannot tell: the journal is left to its writer
    const qint64 started = boot + qint64(ticks / qulonglong(perSecond));
    // The name holds whole seconds, the start time whole clock ticks.
    return started <= named.toSecsSinceEpoch() + 1;
}

QString NewName() {
    static QAtomicInt counter;
    return QStringLiteral("run-%1-%2-%3-%4.txt")
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")))
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetchAndAddRelaxed(1))
        .arg(QRandomGenerator::global()->bounded(1u << 24), 6, 16, QLatin1Char('0'));
}

// The entry of a new file survives a power cut only once its folder is on the disk too.
void SyncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

// The journal's file, used on the journal's thread only. A failed write is cut back to the
// last whole line and its lines are tried again a second later, so that the file never holds
// a line made of two halves.
class JournalWriter final : public QObject {
public:
    explicit JournalWriter(RunJournal& journal)
        : m_journal(journal) {
        m_syncTimer.setSingleShot(true);
        QObject::connect(&m_syncTimer, &QTimer::timeout, this, [this] { Sync(); });
    }

    void Open(const QString& path, const QByteArray& header) {
        m_file.setFileName(path);
        m_pending = header;
        m_whole = 0;
        m_count = 0;
        m_failing = false;
        const QString folder = QFileInfo(path).absolutePath();
        QDir().mkpath(folder);
        // Unbuffered: the batches are the buffer, and a write that fails says so at once.
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            Report(m_file.errorString());
            m_pending.clear();
            return;
        }
        // Held while the journal is written: the lock tells Leftovers it is in use. It
        // goes with the process, however that ends.
        if (::flock(m_file.handle(), LOCK_EX | LOCK_NB) != 0)
            qWarning("journal: %s cannot be locked: %s", qPrintable(path), std::strerror(errno));
        if (WritePending())
            Sync();
        SyncFolder(folder);
    }

    void Write(const std::vector<double>& values) {
        if (!m_file.isOpen())
            return;
        for (const double value : values)
            DataFile::AppendSampleLine(m_pending, ++m_count, value);
        if (!WritePending())
            return;
        const qint64 sinceSync = m_sinceSync.isValid() ? m_sinceSync.elapsed() : IntervalMs;
        if (sinceSync >= IntervalMs)
            Sync();
        else if (!m_syncTimer.isActive())
            m_syncTimer.start(int(IntervalMs - sinceSync));
    }

    // Forces what was written to the disk; lines a failed write left are tried again first.
    void Sync() {
        m_syncTimer.stop();
        if (!m_file.isOpen() || (!m_pending.isEmpty() && !WritePending()) || !m_unsynced)
            return;
        m_unsynced = false;
        m_sinceSync.start();
        if (::fdatasync(m_file.handle()) != 0)
            Report(QString::fromLocal8Bit(std::strerror(errno)));
    }

    void Close(bool remove) {
        if (m_file.isOpen()) {
            if (remove) {
                // Removed while still locked, so that no other window takes it for a leftover.
                if (!QFile::remove(m_file.fileName()))
                    qWarning("journal: %s cannot be removed", qPrintable(m_file.fileName()));
            } else {
                Sync();
            }
            m_file.close();
        }
        m_syncTimer.stop();
        m_pending.clear();
        m_unsynced = false;
    }

private:
    static constexpr qint64 IntervalMs = RunJournal::SyncInterval.count();

    bool WritePending() {
        const qint64 written = m_file.write(m_pending);
        // A write cut short (the disk filled up on the way) leaves no error in the file.
        const int writeError = errno;
        if (written == m_pending.size()) {
            m_whole += written;
            m_pending.clear();
            m_unsynced = true;
            m_failing = false;
            return true;
        }
        const QString reason = m_file.error() == QFileDevice::NoError || written > 0
                                   ? QString::fromLocal8Bit(std::strerror(writeError))
                                   : m_file.errorString();
        if (!m_file.resize(m_whole) || !m_file.seek(m_whole))
            qWarning("journal: %s cannot be cut back to its last line: %s",
                     qPrintable(m_file.fileName()), qPrintable(m_file.errorString()));
        if (!m_failing)
            Report(reason);
        m_failing = true;
        m_syncTimer.start(int(IntervalMs));
        return false;
    }

    // Failed reaches the owner on the owner's thread.
    void Report(const QString& reason) {
        const QString message = DataFile::tr("Nie można zapisać pliku %1: %2")
                                    .arg(QDir::toNativeSeparators(m_file.fileName()), reason);
        qWarning("journal: %s cannot be written: %s", qPrintable(m_file.fileName()),
                 qPrintable(reason));
        RunJournal* journal = &m_journal;
        QMetaObject::invokeMethod(
            journal, [journal, message] { emit journal->Failed(message); }, Qt::QueuedConnection);
    }

    RunJournal& m_journal;
    QFile m_file{this};
    // Lines not on the disk yet: the header, or the batch whose write failed.
    QByteArray m_pending;
    // Where the last whole line ends.
    qint64 m_whole = 0;
    qsizetype m_count = 0;
    bool m_unsynced = false;
    // Reported already: a disk that stays full is reported once.
    bool m_failing = false;
    QElapsedTimer m_sinceSync;
    QTimer m_syncTimer{this};
};

RunJournal::RunJournal(QObject* parent)
    : QObject(parent)
    , m_writer(new JournalWriter(*this)) {
    m_handOverTimer.setParent(this);
    m_handOverTimer.setSingleShot(true);
    m_handOverTimer.setInterval(HandOverInterval);
    connect(&m_handOverTimer, &QTimer::timeout, this, &RunJournal::HandOver);
    m_thread.setObjectName(QStringLiteral("journal"));
    m_writer->moveToThread(&m_thread);
    m_thread.start();
}

RunJournal::~RunJournal() {
    if (m_open) {
        HandOver();
        OnThread([writer = m_writer] { writer->Close(false); });
    }
    OnThread([this] { m_thread.quit(); });
    m_thread.wait();
    delete m_writer;
}

template <typename Work> void RunJournal::OnThread(Work work) {
    QMetaObject::invokeMethod(m_writer, std::move(work), Qt::QueuedConnection);
}

QString RunJournal::Folder() {
    // Tests run side by side: each keeps its journals, and what its crashes leave, apart.
    if (const QString folder = qEnvironmentVariable("ZENTO_FM_RECOVERY"); !folder.isEmpty())
        return folder;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("recovery"));
}

QString RunJournal::Begin(const QStringList& headerLines, const QString& folder) {
    if (m_open)
        Finish(false);
    QStringList header = headerLines;
    DataFile::MarkUnfinished(header);
    QByteArray bytes;
    for (const QString& line : std::as_const(header)) {
        bytes += CodePage1250::Encode(line);
        bytes += LineEnd;
    }
    const QString path = QDir(folder).absoluteFilePath(NewName());
    m_open = true;
    OnThread([writer = m_writer, path, bytes] { writer->Open(path, bytes); });
    return path;
}

void RunJournal::BatchStarted() {
    m_batch.reserve(BatchSize);
    m_batchAge.start();
    m_handOverTimer.start();
}

void RunJournal::HandOver() {
    m_handOverTimer.stop();
    if (m_batch.empty())
        return;
    if (!m_open) {
        m_batch.clear();
        return;
    }
    OnThread([writer = m_writer, values = std::exchange(m_batch, {})] { writer->Write(values); });
}

void RunJournal::Flush() {
    HandOver();
    QMetaObject::invokeMethod(
        m_writer, [writer = m_writer] { writer->Sync(); }, Qt::BlockingQueuedConnection);
}

void RunJournal::Finish(bool remove) {
    if (!m_open)
        return;
    HandOver();
    m_open = false;
    OnThread([writer = m_writer, remove] { writer->Close(remove); });
}

QStringList RunJournal::Leftovers(const QString& folder) {
    QStringList paths;
    const QFileInfoList files = QDir(folder).entryInfoList({NamePattern}, QDir::Files, QDir::Time);
    for (const QFileInfo& info : files) {
        // Nothing to recover; or a journal created a moment ago and not locked yet.
        if (info.size() == 0)
            continue;
        QFile file(info.absoluteFilePath());
        if (file.open(QIODevice::ReadOnly)) {
            if (::flock(file.handle(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
                continue;
        }
        // A finished run's journal waits unlocked for its record to be stored, as long as the
        // program that wrote it runs.
        if (const std::optional<Naming> naming = NamingOf(info.fileName());
            naming && WriterAlive(naming->Pid, naming->Start))
            continue;
        paths.append(info.absoluteFilePath());
    }
    return paths;
}

QDateTime RunJournal::StartOf(const QString& path) {
    const std::optional<Naming> naming = NamingOf(QFileInfo(path).fileName());
    return naming ? naming->Start : QDateTime();
}
