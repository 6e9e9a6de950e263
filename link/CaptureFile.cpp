#include "link/CaptureFile.h"

#include "state/AppPaths.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

QString CaptureFile::DefaultPath() {
    return QDir(AppPaths::WritableProgramDir()).filePath(QLatin1String(FileName));
}

std::unique_ptr<CaptureFile> CaptureFile::Claim() {
    // More gauges than any bench holds; past them, the first name as before.
    constexpr int MostFiles = 64;
    const QString first = DefaultPath();
    const qsizetype dot = first.lastIndexOf(QLatin1Char('.'));
    for (int number = 1; number <= MostFiles; ++number) {
        const QString path =
            number == 1 ? first
                        : first.left(dot) + QStringLiteral("-%1").arg(number) + first.mid(dot);
        // The lock names the holding process: one that has ended holds nothing.
        auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            auto capture = std::make_unique<CaptureFile>(path);
            capture->m_claim = std::move(lock);
            return capture;
        }
        // A folder that takes no lock takes no capture either: the run says so at its start.
        if (lock->error() != QLockFile::LockFailedError)
            return std::make_unique<CaptureFile>(path);
    }
    return std::make_unique<CaptureFile>(first);
}

CaptureFile::CaptureFile(QString path)
    : m_path(std::move(path)) {
    m_file.setFileName(m_path);
}

CaptureFile::~CaptureFile() {
    if (m_runHasFile)
        WriteBuffer();
}

bool CaptureFile::CanWrite() const {
    if (QFileInfo(m_path).isDir())
        return false;
    QFile probe(m_path);
    const bool existed = probe.exists();
    const bool writable = probe.open(QIODevice::WriteOnly | QIODevice::Append);
    probe.close();
    if (writable && !existed)
        probe.remove();
    return writable;
}

bool CaptureFile::Start() {
    m_file.close();
    m_runHasFile = false;
    m_fileIsThisRuns = false;
    return EnsureOpen();
}

void CaptureFile::Append(const QByteArray& text) {
    if (text.isEmpty())
        return;
    m_buffer += text;
    m_count += text.size();
    if (m_count > BlockThreshold && WriteBuffer())
        m_count = 0;
    LimitBuffer();
}

bool CaptureFile::Finish() {
    const bool written = WriteBuffer();
    if (written)
        m_count = 0;
    m_file.close();
    m_runHasFile = false;
    return written;
}

void CaptureFile::ClearBuffer() {
    m_buffer.clear();
    m_count = 0;
}

bool CaptureFile::EnsureOpen() {
    if (m_file.isOpen())
        return true;
    // A run that began without Start (a scheduled start) still gets a file of its own; a
    // reopened file is continued. (Only a regular file can be continued: a device is
    // written as it is.)
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (!m_runHasFile)
        mode |= QIODevice::Truncate;
    else if (QFileInfo(m_path).isFile())
        mode |= QIODevice::Append;
    if (!m_file.open(mode))
        return false;
    if (!m_runHasFile)
        m_fileIsThisRuns = true;
    m_runHasFile = true;
    return true;
}

bool CaptureFile::WriteBuffer() {
    if (m_buffer.isEmpty())
        return true;
    if (!EnsureOpen())
        return false;
    const qint64 written = m_file.write(m_buffer);
    if (written > 0)
        m_buffer.remove(0, written);
    if (m_buffer.isEmpty())
        return true;
    // Reopened at the next attempt, in case the failure belongs to this handle.
    m_file.close();
    return false;
}

void CaptureFile::LimitBuffer() {
    if (m_buffer.size() <= BufferLimit)
        return;
    const qsizetype excess = m_buffer.size() - BufferLimit;
    const qsizetype lineEnd = m_buffer.indexOf('\n', excess - 1);
    m_buffer.remove(0, lineEnd < 0 ? excess : lineEnd + 1);
}
