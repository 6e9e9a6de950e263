#pragma once

#include "protocol/ExchangeControl.h"
#include "protocol/GaugeSettings.h"
#include "state/Messages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>

#include <optional>

// Reply assembly: every piece of text from the gauge enters here, is cut into lines by the
// rules of the current exchange and handed to the handler of that exchange. What the lines
// say goes into the gauge's settings or out as events; it never knows which link the bytes
// came from, nor who listens.
class ProcessData final : public QObject {
    Q_OBJECT

public:
    // A gauge sending garbage without line ends must not grow memory without limit.
    static constexpr qsizetype IncomingLimit = 64 * 1024;
    // Lines of this length in a settings report are the stream of a gauge left sending;
    // this many in a row, with no report line between, however few at a time the link
    // hands them over, bring the warning.
    static constexpr int ContinuousLineLength = 7;
    static constexpr int ContinuousLinesForWarning = 20;
    // The battery is asked for less often once it has answered.
    static constexpr int BatteryIntervalAfterReport = 11111;

    ProcessData(GaugeSettings& settings, ExchangeControl& exchange, QObject* parent = nullptr);

    void ProcessIncoming(const QByteArray& text);
    void ResetIncoming();

    // Text received and not yet consumed.
    QByteArray IncomingBuffer() const;
    qsizetype HeldBytes() const { return m_buffer.size() - m_start; }

    // Samples parsed from a fast run's capture line ("-012.34": sign, six value
    // characters); nothing for a line of another length or one that is not a number.
    static std::optional<double> ParseCaptureLine(QByteArrayView line);

    // The user gave the download under way up. No order stops the gauge's dump, so the rest of
    // it is read and dropped (none of its samples is taken) and the exchange settles at its
    // end, as it would have; a dump whose count has not come yet settles at once.
    void AbandonDownload();

    // "Próbka [unit]": the value-axis title of a data set in that unit.
    static QString SampleTitle(const QString& unit);

    // A sample in `unit` may join the data set: false when the set already holds samples
    // taken in another unit.
    bool UnitFits(const QString& unit) const;

signals:
    // A text for the status bar.
    void StatusText(const QString& text);
    // A reading has come (it is in the settings' Reading); the link is alive.
    void ReadingTaken();
    void BatteryRead(int percent);
    // The gauge took the new speed: its sampling-time range is to be read again.
    void SpeedConfirmed();
    // The settings report is complete.
    void SettingsReportEnded();

    // A sample for the data set, one sampling step after the last.
    void SampleTaken(double sampleTime, double value);
    // The data set's samples are in this unit from now on.
    void SeriesUnitNamed(const QString& unit);
    void TimeAxisNamed(const QString& title);
    void SeriesNamed(const QString& name);
    // The gauge asks for a results file during a run, and a value for it.
    void ResultsFileStarted();
    void ResultTaken(double value);

    // A stored series is coming: `taken` of its `count` samples so far.
    void DownloadProgress(int taken, int count);
    void DownloadEnded();

    // Something the user must be told. Raised once the text received has been read, never
    // in the middle of it, so that whoever shows it may run an event loop.
    void Warning(const QString& title, const QString& text, MessageIcon icon);

private:
    QByteArrayView Rest() const;
    void Consume(qsizetype count);
    void Compact();
    void Append(const QByteArray& text);
    void Warn(const QString& title, const QString& text, MessageIcon icon);

    void Dispatch();
    void ProcessConfirming();
    void ProcessDisplay();
    void ProcessStreaming();
    void ProcessSettings();
    void ProcessDownload();

    // Confirmations: returns how much of the buffer the handler consumed itself, or -1 for
    // the usual cut of the first line.
    qsizetype HandleConfirmation();
    qsizetype HandleStreamEnd();
    void HandleSampleCount(QByteArrayView rest);
    void HandleBattery(QByteArrayView rest);

    // Returns false for a line that is not a reading.
    bool HandleDisplayReading(QByteArrayView line);
    void HandleStreamLineFamily0(QByteArrayView line);
    void HandleStreamLineFamily12(QByteArrayView line);
    void ReportUnitConflict();
    void NameSeriesUnit(const QString& unit);
    void TakeStreamSample(const QString& unit, double value);

    void HandleSettingsLine(const QString& line);
    void IdentifyDevice(const QString& model);
    // Returns false when the line stopped the download (a sample that is not a number).
    bool HandleDownloadLine(const QString& line);
    void EndDownload();
    void DropDownloadLine(const QString& line);

    struct PendingWarning {
        QString Title;
        QString Text;
        MessageIcon Icon;
    };

    GaugeSettings& m_settings;
    GaugeState& Gauge() const { return m_exchange.Gauge(); }

    ExchangeControl& m_exchange;
    QByteArray m_buffer;
    qsizetype m_start = 0;
    QList<PendingWarning> m_warnings;
    int m_continuousLines = 0;
    int m_downloadedSamples = 0;
    // The rest of an abandoned dump is being read and dropped.
    bool m_droppingDownload = false;
};
