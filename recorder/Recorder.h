#pragma once

#include "protocol/ReplyTarget.h"
#include "recorder/RecorderOptions.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>
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
// and writes the samples as the program's data file or as CSV. It is the reply side's
// window, keeping the gauge's settings as values.
class Recorder final : public QObject, public ReplyTarget {
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

    // ReplyTarget: the gauge's settings are kept as values, samples go to the output.
    void SetStatusText(const QString&) override {}
    void EnableTimer(WindowTimer) override {}
    void DisableTimer(WindowTimer timer) override;
    void SetTimerInterval(WindowTimer, int) override {}
    bool UpdateDisplayTicked() const override { return true; }
    QString PanelResultCaption() const override { return m_reading; }
    void SetPanelResultCaption(const QString& caption) override { m_reading = caption; }
    void MarkReadingFresh() override {}
    void SetBatteryPercent(int) override {}
    QString ModelText() const override { return m_model; }
    void SetModelText(const QString& text) override { m_model = text; }
    void SetSerialNumberText(const QString& text) override { m_serialNumber = text; }
    QStringList UnitItems() const override { return m_unitItems; }
    void SetUnitItems(const QStringList& items) override;
    int UnitIndex() const override { return m_unitIndex; }
    void SetUnitIndex(int index) override { m_unitIndex = index; }
    void SetTag(TaggedControl, int) override {}
    void SetPeakChecked(bool) override {}
    void SetPeakModeIndex(int) override {}
    int SpeedIndex() const override { return m_speedIndex; }
    void SetSpeedIndex(int index) override { m_speedIndex = index; }
    void SetSpeedVisible(bool) override {}
    void SetAcquisitionIndex(int) override {}
    void SetThrChecked(bool) override {}
    void SetSampleCountCaption(const QString&) override {}
    void SetSampleTimeCaption(const QString&) override {}
    QString EditText(PanelEdit edit) const override;
    void SetEditText(PanelEdit edit, const QString& text) override;
    bool EditHasFocus(PanelEdit) const override { return false; }
    int ChartPointCount() const override { return int(m_samples.size()); }
    QString YTitle() const override { return m_yTitle; }
    void SetYTitle(const QString& title) override { m_yTitle = title; }
    void SetXTitle(const QString&) override {}
    void SetSeriesName(const QString&) override {}
    void AddSample(double sampleTime, double value) override;
    void StartResultsFile() override {}
    void AppendResult(double) override {}

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
    QByteArray CsvHeader() const;
    void WriteStandardOutput(const QByteArray& text);
    void Progress(bool last = false);
    void Say(const QString& text) const;

    RecorderOptions m_options;
    QTemporaryDir m_captureDir;
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

    // The gauge's settings as its report gave them.
    QString m_model;
    QString m_serialNumber;
    QStringList m_unitItems;
    int m_unitIndex = -1;
    int m_speedIndex = -1;
    QMap<PanelEdit, QString> m_edits;
    QString m_reading;
    QString m_yTitle;
    double m_sampleTime = 0;
    bool m_fastCapture = false;
    bool m_replayed = false;

    QList<QPointF> m_samples;
    // CSV to standard output is written as the samples come, after its header.
    bool m_headerWritten = false;
};
