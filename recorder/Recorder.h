#pragma once

#include "recorder/RecorderOptions.h"
#include "state/GaugeState.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>

class GaugeExchange;
class GaugeLink;

// Records one on-line run of a gauge without a window: opens the link the options or the
// program's configuration name, reads the gauge's settings, records its stream (the fast
// capture where the program would use it) until the time is up, Ctrl+C or the link is lost,
// and writes the samples as the program's data file or as CSV. It follows the reply side as the
// window does, without widgets.
class Recorder final : public QObject {
    Q_OBJECT

public:
    enum class Phase { Connecting, ReadingSettings, Recording, Stopping, Done };

    // How long the gauge may take to answer at all, and to confirm the stream's end.
    static constexpr std::chrono::seconds AnswerTimeout{10};
    static constexpr std::chrono::seconds StopGrace{5};
    static constexpr std::chrono::milliseconds ReportInterval{1234};
    static constexpr std::chrono::milliseconds StopInterval{1000};
    static constexpr std::chrono::seconds ProgressInterval{1};

    explicit Recorder(RecorderOptions options, QObject* parent = nullptr);
    ~Recorder() override;

    // Opens the link and goes on by itself; Finished tells the exit code.
    void Start();
    // Ctrl+C: the run is stopped as the Stop button would, and what it holds is written.
    void RequestStop();

    Phase CurrentPhase() const { return m_phase; }
    // Takes the samples and the settings of this exchange; Start makes its own.
    void Follow(GaugeExchange& exchange);
    int SampleCount() const { return int(m_samples.size()); }

signals:
    void Finished(int exitCode);

private:
    bool OpenLink();
    void LinkOpened();
    void AskForReport();
    void BeginRecording();
    void Stop();
    void StopRepeat();
    void RunEnded();
    void LinkLost(const QString& reason);
    void Finish(int exitCode);
    bool WriteOutput();
    void ReplayCapture();
    QString Unit() const;
    void AddSample(double sampleTime, double value);
    QByteArray CsvHeader() const;
    void WriteStandardOutput(const QByteArray& text);
    void Progress(bool last = false);
    void Say(const QString& text) const;

    RecorderOptions m_options;
    QTemporaryDir m_captureDir;
    // One gauge per process: a group of recorders runs one child each.
    GaugeState m_gauge;
    GaugeExchange* m_exchange = nullptr;
    GaugeLink* m_link = nullptr;
    Phase m_phase = Phase::Connecting;
    int m_exitCode = RecorderExit::Done;

    QTimer m_answerTimer;
    QTimer m_reportTimer;
    QTimer m_stopTimer;
    QTimer m_runTimer;
    QTimer m_progressTimer;
    QElapsedTimer m_runClock;
    QElapsedTimer m_stopClock;

    double m_sampleTime = 0;
    bool m_fastCapture = false;
    bool m_replayed = false;

    QList<QPointF> m_samples;
    // CSV to standard output is written as the samples come, after its header.
    bool m_headerWritten = false;
};
