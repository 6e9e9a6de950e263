#pragma once

#include "GaugeConfig.h"

#include <QByteArray>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <functional>

class EventLog;
class Link;

// Everything the gauge sends passes here, in order, and here it misbehaves on request:
// replies dropped, delayed, doubled, preceded by noise or by reading lines; all output cut
// into chunks; bursts of noise; junk instead of text at a wrong line speed.
class Output final : public QObject {
    Q_OBJECT

public:
    Output(Link* link, const Misbehaviour& faults, quint32 seed, EventLog* log,
           QObject* parent = nullptr);

    void SetLink(Link* link);
    // A reply (lines with their CR LF). streamLine makes a reading line for --interleave.
    void Reply(const QList<QByteArray>& lines, const std::function<QByteArray()>& streamLine);
    // A line of continuous sending or a raw text: no reply misbehaviour, but chunked.
    void Send(const QByteArray& bytes);
    void Burst(qint64 bytes, bool lineEnds);
    // The line was closed or the client left: what waits is lost.
    void Discard();

    // Below this speed-check answer the gauge sends nothing (or junk with garble).
    void RequireLineSpeed(int baud, bool garble);
    Misbehaviour& Faults() { return m_faults; }
    qint64 DroppedBytes() const { return m_dropped; }

private:
    void Enqueue(const QByteArray& bytes);
    void Pump();
    void PumpOnce();
    void WriteOut(const QByteArray& bytes);
    QByteArray NoiseLine();
    QByteArray Noise(qint64 size, bool lineEnds);

    static constexpr qint64 BurstPiece = 1024;
    // A burst is made as the line takes it, so that replies queued behind it are not
    // dropped for want of room.
    static constexpr qint64 BurstLowWater = 16 * 1024;

    Link* m_link = nullptr;
    Misbehaviour m_faults;
    EventLog* m_log = nullptr;
    QRandomGenerator m_random;
    QByteArray m_pending;
    QTimer m_chunkTimer;
    qint64 m_burstLeft = 0;
    qint64 m_burstTotal = 0;
    bool m_burstLineEnds = false;
    int m_burstLineLeft = 0;
    qint64 m_dropped = 0;
    qint64 m_replies = 0;
    bool m_pumping = false;
    int m_requiredSpeed = 0;
    bool m_garble = false;
};
