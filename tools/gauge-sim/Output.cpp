#include "Output.h"

#include "EventLog.h"
#include "LineFormat.h"
#include "Links.h"

namespace {

// Noise holds no capital letters, no space, no sign, colon or point: it can never pass
// for a reply marker, a report keyword or a reading.
constexpr char NoiseChars[] = "abcdefghijklmnopqrstuvwxyz0123456789#*?!~^_;";
constexpr int NoiseCharCount = int(sizeof(NoiseChars)) - 1;

} // namespace

Output::Output(Link* link, const Misbehaviour& faults, quint32 seed, EventLog* log, QObject* parent)
    : QObject(parent)
    , m_link(link)
    , m_faults(faults)
    , m_log(log)
    , m_random(seed) {
    m_chunkTimer.setSingleShot(true);
    connect(&m_chunkTimer, &QTimer::timeout, this, &Output::Pump);
    SetLink(link);
}

void Output::SetLink(Link* link) {
    if (m_link)
        disconnect(m_link, nullptr, this, nullptr);
    m_link = link;
    if (m_link)
        connect(m_link, &Link::Drained, this, &Output::Pump);
}

void Output::RequireLineSpeed(int baud, bool garble) {
    m_requiredSpeed = baud;
    m_garble = garble;
}

void Output::Reply(const QList<QByteArray>& lines, const std::function<QByteArray()>& streamLine) {
    if (lines.isEmpty())
        return;
    const QByteArray first = lines.first().chopped(qMin<qsizetype>(2, lines.first().size()));
    for (DropRule& rule : m_faults.Drops) {
        if (rule.Times > 0 && first.startsWith(rule.Prefix)) {
            --rule.Times;
            m_log->Event("dropped " + LineFormat::Escape(first));
            return;
        }
    }
    QByteArray bytes;
    ++m_replies;
    if (m_faults.NoiseEvery > 0 && m_replies % m_faults.NoiseEvery == 0)
        bytes += NoiseLine();
    for (int i = 0; i < m_faults.Interleave && streamLine; ++i)
        bytes += streamLine();
    QByteArray reply;
    for (const QByteArray& line : lines)
        reply += line;
    bytes += reply;
    if (m_faults.Duplicate)
        bytes += reply;
    m_log->Event("reply " + QByteArray::number(lines.size()) + ' ' + LineFormat::Escape(first));
    if (m_faults.DelayMs > 0)
        QTimer::singleShot(m_faults.DelayMs, this, [this, bytes] { Enqueue(bytes); });
    else
        Enqueue(bytes);
}

void Output::Send(const QByteArray& bytes) {
    Enqueue(bytes);
}

void Output::Burst(qint64 bytes, bool lineEnds) {
    m_burstLeft += qMax<qint64>(0, bytes);
    m_burstTotal += qMax<qint64>(0, bytes);
    m_burstLineEnds = lineEnds;
    m_burstLineLeft = 1 + int(m_random.bounded(80));
    Pump();
}

void Output::Discard() {
    m_pending.clear();
    m_chunkTimer.stop();
}

void Output::Enqueue(const QByteArray& bytes) {
    m_pending += bytes;
    Pump();
}

void Output::WriteOut(const QByteArray& bytes) {
    if (!m_link || bytes.isEmpty())
        return;
    if (m_requiredSpeed > 0 && m_link->LineSpeed() != m_requiredSpeed) {
        if (!m_garble) {
            m_dropped += bytes.size();
            return;
        }
        // What a receiver at the wrong speed makes of the bytes: no text, no line ends.
        QByteArray junk(bytes.size(), '\0');
        for (char& c : junk)
            c = char(0x80 + m_random.bounded(0x7f));
        m_dropped += m_link->Write(junk);
        return;
    }
    m_dropped += m_link->Write(bytes);
}

void Output::Pump() {
    if (m_chunkTimer.isActive() || m_pumping)
        return;
    m_pumping = true;
    PumpOnce();
    m_pumping = false;
}

void Output::PumpOnce() {
    if (m_burstLeft > 0 && (!m_link || !m_link->Listening())) {
        // Nobody listens: the whole burst goes to the floor at once.
        m_dropped += m_burstLeft;
        m_burstLeft = 0;
        m_log->Event("burst done " + QByteArray::number(m_burstTotal));
        m_burstTotal = 0;
    }
    for (;;) {
        if (m_pending.isEmpty() && m_burstLeft > 0 && m_link && m_link->Backlog() < BurstLowWater) {
            const qint64 piece = qMin(m_burstLeft, BurstPiece);
            m_pending += Noise(piece, m_burstLineEnds);
            m_burstLeft -= piece;
            if (m_burstLeft == 0) {
                m_log->Event("burst done " + QByteArray::number(m_burstTotal));
                m_burstTotal = 0;
            }
        }
        if (m_pending.isEmpty())
            return;
        if (m_faults.ChunkMin <= 0) {
            const QByteArray bytes = m_pending;
            m_pending.clear();
            // Writing may bring more (a listener change starts a burst): go round again.
            WriteOut(bytes);
            continue;
        }
        const int size = m_faults.ChunkMin +
                         int(m_random.bounded(quint32(m_faults.ChunkMax - m_faults.ChunkMin + 1)));
        const QByteArray chunk = m_pending.left(size);
        m_pending.remove(0, chunk.size());
        WriteOut(chunk);
        if (!m_pending.isEmpty() || m_burstLeft > 0)
            m_chunkTimer.start(m_faults.ChunkPauseMs);
        return;
    }
}

QByteArray Output::NoiseLine() {
    return Noise(1 + m_random.bounded(30), false) + LineFormat::LineEnd;
}

QByteArray Output::Noise(qint64 size, bool lineEnds) {
    QByteArray bytes;
    bytes.reserve(size);
    while (bytes.size() < size) {
        if (lineEnds && m_burstLineLeft <= 0) {
            m_burstLineLeft = 1 + int(m_random.bounded(80));
            bytes += size - bytes.size() >= 2 ? "\r\n" : "\n";
            continue;
        }
        bytes += NoiseChars[m_random.bounded(NoiseCharCount)];
        --m_burstLineLeft;
    }
    bytes.truncate(size);
    return bytes;
}
