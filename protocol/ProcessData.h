#pragma once

#include "protocol/ExchangeControl.h"
#include "protocol/ReplyTarget.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>

// Reply assembly: every piece of text from the gauge enters here, is cut into lines by the
// rules of the current exchange and handed to the handler of that exchange. It never knows
// which link the bytes came from.
class ProcessData {
    Q_DECLARE_TR_FUNCTIONS(ProcessData)

public:
    // A gauge sending garbage without line ends must not grow memory without limit.
    static constexpr qsizetype IncomingLimit = 64 * 1024;
    // Lines of this length in a settings report are the stream of a gauge left sending;
    // this many in a row, with no report line between, however few at a time the link
    // hands them over, bring the warning.
    static constexpr int ContinuousLineLength = 7;
    static constexpr int ContinuousLinesForWarning = 20;

    ProcessData(ReplyTarget& target, ExchangeControl& exchange);

    void ProcessIncoming(const QByteArray& text);
    void ResetIncoming();

    // Text received and not yet consumed.
    QByteArray IncomingBuffer() const;
    // Every byte held: the buffer, and what came while a message box was up.
    qsizetype HeldBytes() const { return m_buffer.size() + m_pending.size(); }

    // Samples parsed from a fast run's capture line ("-012.34": sign, six value
    // characters); nothing for a line of another length or one that is not a number.
    static std::optional<double> ParseCaptureLine(QByteArrayView line);

    // "Próbka [unit]": the value-axis title of a data set in that unit.
    static QString SampleTitle(const QString& unit);

private:
    QByteArrayView Rest() const;
    void Consume(qsizetype count);
    void Compact();
    void Append(const QByteArray& text);

    void Dispatch();
    void ProcessConfirming();
    void ProcessDisplay();
    void ProcessStreaming();
    void ProcessSettings();
    void ProcessDownload();

    // Confirmations: returns how much of the buffer the handler consumed itself, or -1 for
    // the usual cut of the first line.
    qsizetype HandleConfirmation(qsizetype lineEnd);
    qsizetype HandleStreamEnd();
    void HandleSampleCount(QByteArrayView rest);
    void HandleBattery(QByteArrayView rest);

    // Returns false for a line that is not a reading.
    bool HandleDisplayReading(QByteArrayView line);
    void HandleStreamLineFamily0(QByteArrayView line);
    void HandleStreamLineFamily12(QByteArrayView line);
    bool UnitConflicts(const QString& unit) const;
    void ReportUnitConflict();
    void TakeStreamSample(double value);

    void HandleSettingsLine(const QString& line);
    void IdentifyDevice(const QString& model);
    // Returns false when the line stopped the download (a sample that is not a number).
    bool HandleDownloadLine(const QString& line);
    void EndDownload();

    ReplyTarget& m_target;
    ExchangeControl& m_exchange;
    QByteArray m_buffer;
    qsizetype m_start = 0;
    QByteArray m_pending;
    bool m_processing = false;
    int m_continuousLines = 0;
    int m_downloadedSamples = 0;
};
