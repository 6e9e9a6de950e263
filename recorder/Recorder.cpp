#include "recorder/Recorder.h"

#include "link/CaptureFile.h"
#include "link/CaptureReplay.h"
#include "link/EthConnection.h"
#include "link/GaugeExchange.h"
#include "link/NewThread.h"
#include "link/SerialLink.h"
#include "link/SerialSettings.h"
#include "protocol/Numbers.h"
#include "protocol/ProcessData.h"
#include "series/TestCsv.h"
#include "state/GaugeState.h"
#include "storage/DataFile.h"
#include "storage/XMLConfig.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <utility>

namespace {

QByteArray CsvLine(const QPointF& sample) {
    // Qt's number texts never follow the locale: "." is the decimal point everywhere. Twelve
    // digits, not the shortest exact form: a time is index times sample time, and the last
    // digits of that product are rounding, not data (the gauge sends fewer digits than that).
    return QByteArray::number(sample.x(), 'g', 12) + ',' + QByteArray::number(sample.y(), 'g', 12) +
           "\r\n";
}

} // namespace

Recorder::Recorder(RecorderOptions options, QObject* parent)
    : QObject(parent)
    , m_options(std::move(options)) {
    m_answerTimer.setSingleShot(true);
    m_runTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        Say(QStringLiteral("no answer from the gauge"));
        Finish(RecorderExit::NoGauge);
    });
    connect(&m_reportTimer, &QTimer::timeout, this, &Recorder::AskForReport);
    connect(&m_runTimer, &QTimer::timeout, this, &Recorder::Stop);
    connect(&m_stopTimer, &QTimer::timeout, this, &Recorder::StopRepeat);
    connect(&m_progressTimer, &QTimer::timeout, this, [this] { Progress(); });
}

Recorder::~Recorder() = default;

void Recorder::Say(const QString& text) const {
    std::fprintf(stderr, "zento-fm-rec: %s\n", qUtf8Printable(text));
}

// --- The link -------------------------------------------------------------------------

void Recorder::Start() {
    m_gauge = GaugeState{};
    Follow(*new GaugeExchange(
        m_gauge, this,
        m_captureDir.isValid() ? m_captureDir.filePath(QString::fromLatin1(CaptureFile::FileName))
                               : QString()));
    m_answerTimer.start(AnswerTimeout);
    if (!OpenLink())
        Finish(RecorderExit::NoGauge);
}

void Recorder::Follow(GaugeExchange& exchange) {
    m_exchange = &exchange;
    connect(m_exchange, &GaugeExchange::RunEnded, this, &Recorder::RunEnded);
    ProcessData& replies = m_exchange->Replies();
    connect(&replies, &ProcessData::SampleTaken, this, &Recorder::AddSample);
    // A whole report has been read: the run may begin, once the reply side has returned.
    connect(&replies, &ProcessData::SettingsReportEnded, this, [this] {
        if (m_phase == Phase::ReadingSettings)
            QMetaObject::invokeMethod(this, &Recorder::BeginRecording, Qt::QueuedConnection);
    });
    connect(&replies, &ProcessData::Warning, this,
            [this](const QString&, const QString& text, MessageIcon) { Say(text); });
}

// The link the command line names, else the one the program's configuration names.
bool Recorder::OpenLink() {
    // One gauge per recorder: several are recorded by a child recorder each.
    const RecorderGauge gauge = m_options.Gauges.value(0);
    QString host = gauge.Host;
    int hostPort = gauge.HostPort;
    if (gauge.Port.isEmpty() && host.isEmpty()) {
        XMLConfig config;
        config.EnsureConfigDefaults();
        const LoadedConfig loaded = config.LoadConfig();
        if (loaded.UseEthernet.value_or(false)) {
            host = loaded.EthHost.value_or(QString());
            hostPort = loaded.EthPort.value_or(0);
        }
    }

    if (!host.isEmpty()) {
        m_gauge.UseEthernet = true;
        m_exchange->CreateNetworkLink();
        CEthConnection* network = m_exchange->Network();
        m_link = network;
        network->SetPeer(host, hostPort);
        connect(network, &CEthConnection::StateChanged, this, [this](std::uint8_t state) {
            if (state == CEthConnection::Connected && m_phase == Phase::Connecting)
                LinkOpened();
        });
        connect(network, &GaugeLink::Lost, this, &Recorder::LinkLost);
        Say(QStringLiteral("connecting to %1").arg(network->Name()));
        return network->Open();
    }

    SerialLink& serial = m_exchange->Serial();
    m_link = &serial;
    SerialSettings settings = ComPortIni::Load(ComPortIni::DefaultPath(), serial.Settings());
    if (!gauge.Port.isEmpty())
        settings.Port = gauge.Port;
    serial.ApplySettings(settings);
    connect(&serial, &GaugeLink::Lost, this, &Recorder::LinkLost);
    if (!m_exchange->OpenSerial()) {
        Say(QStringLiteral("cannot open port %1: %2").arg(settings.Port, serial.ErrorString()));
        return false;
    }
    Say(QStringLiteral("port %1 open").arg(settings.Port));
    LinkOpened();
    return true;
}

void Recorder::LinkOpened() {
    m_phase = Phase::ReadingSettings;
    AskForReport();
    m_reportTimer.start(ReportInterval);
}

void Recorder::AskForReport() {
    m_exchange->Poll(OrderSet::Order::Report);
}

void Recorder::LinkLost(const QString& reason) {
    Say(QStringLiteral("link lost: %1").arg(reason));
    if (m_phase == Phase::Recording || m_phase == Phase::Stopping) {
        ReplayCapture();
        Finish(RecorderExit::LinkLost);
    } else if (m_phase != Phase::Done) {
        Finish(RecorderExit::NoGauge);
    }
}

// --- The run --------------------------------------------------------------------------

void Recorder::BeginRecording() {
    if (m_phase != Phase::ReadingSettings)
        return;
    m_reportTimer.stop();
    const GaugeSettings& settings = m_exchange->Settings();
    const QString sampleTimeText = settings.Text(SettingText::SampleTime);
    const std::optional<double> sampleTime = ReadNumber(sampleTimeText);
    if (!sampleTime || !(*sampleTime > 0)) {
        Say(QStringLiteral("the gauge reported no usable sampling time (\"%1\")")
                .arg(sampleTimeText));
        Finish(RecorderExit::NoGauge);
        return;
    }
    m_answerTimer.stop();
    m_sampleTime = *sampleTime;
    m_gauge.SampleTime = m_sampleTime;
    m_gauge.ChartTimeOffset = 0;
    m_gauge.ChartIndexOffset = 0;
    m_gauge.ResetSampleStats();
    // As the program: only the short lines of families 1 and 2 can be captured raw.
    m_fastCapture = m_gauge.DeviceFamily != Family::Force && RecordRawFor(m_sampleTime);
    Say(QStringLiteral("recording %1 %2, sampling time %3 s%4")
            .arg(settings.Model(), settings.SerialNumber(),
                 FormatGeneral(m_sampleTime, QLatin1Char('.')),
                 m_fastCapture ? QStringLiteral(", fast capture") : QString()));
    m_phase = Phase::Recording;
    m_exchange->StartStream(m_fastCapture, true);
    m_runClock.start();
    if (m_options.Seconds > 0)
        m_runTimer.start(std::chrono::milliseconds(qint64(m_options.Seconds * 1000.0)));
    m_progressTimer.start(ProgressInterval);
}

void Recorder::RequestStop() {
    switch (m_phase) {
    case Phase::Recording:
        Stop();
        return;
    case Phase::Stopping:
        // Asked twice: the confirmation is not waited for.
        ReplayCapture();
        Finish(m_exitCode);
        return;
    case Phase::Connecting:
    case Phase::ReadingSettings:
        Say(QStringLiteral("interrupted before the gauge was read"));
        Finish(RecorderExit::NoGauge);
        return;
    case Phase::Done:
        return;
    }
}

// As the Stop button: a fast run's capture is read back, then the stream is told to end
// and told again each second until the gauge confirms.
void Recorder::Stop() {
    if (m_phase != Phase::Recording)
        return;
    m_runTimer.stop();
    m_phase = Phase::Stopping;
    // Unlike the window, the run goes on until the gauge confirms its stop, so that the
    // samples sent meanwhile are kept; a fast capture is replayed at the confirmation.
    m_exchange->StopAtConfirmation();
    m_stopClock.start();
    m_stopTimer.start(StopInterval);
}

void Recorder::StopRepeat() {
    if (m_stopClock.hasExpired(std::chrono::milliseconds(StopGrace).count())) {
        Say(QStringLiteral("the gauge did not confirm the end of its stream"));
        ReplayCapture();
        Finish(RecorderExit::Done);
        return;
    }
    m_exchange->StopAtConfirmation();
}

void Recorder::RunEnded() {
    if (m_phase == Phase::Recording || m_phase == Phase::Stopping) {
        // Confirmed, or ended by a reply (a unit that changed): what came so far is the run.
        ReplayCapture();
        Finish(RecorderExit::Done);
    }
}

void Recorder::ReplayCapture() {
    if (!m_fastCapture || m_replayed)
        return;
    m_replayed = true;
    m_exchange->EndFastCapture();
    CaptureReplay::ReplayRun(m_exchange->Capture(),
                             [this](double value) { AddSample(m_sampleTime, value); });
}

// --- Samples and output ---------------------------------------------------------------

// The unit of the samples: the one their lines carried, else the gauge's selected unit (a
// fast capture's lines carry none).
QString Recorder::Unit() const {
    if (!m_gauge.SampleUnit.isEmpty())
        return m_gauge.SampleUnit;
    return m_exchange->Settings().UnitName();
}

QByteArray Recorder::CsvHeader() const {
    return TestCsv::SamplesHeader(Unit());
}

void Recorder::WriteStandardOutput(const QByteArray& text) {
    m_headerWritten = true;
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
}

void Recorder::AddSample(double sampleTime, double value) {
    const QPointF sample(double(m_samples.size()) * sampleTime, value);
    m_samples.append(sample);
    ++m_gauge.SampleStats.Count;
    if (m_options.OutputFormat != RecorderOptions::Format::Csv || !m_options.Out.isEmpty())
        return;
    // CSV on standard output goes as it comes, for a script reading along.
    if (!m_headerWritten)
        WriteStandardOutput(CsvHeader());
    WriteStandardOutput(CsvLine(sample));
}

bool Recorder::WriteOutput() {
    if (m_options.OutputFormat == RecorderOptions::Format::Csv) {
        if (m_options.Out.isEmpty()) {
            if (!m_headerWritten)
                WriteStandardOutput(CsvHeader());
            std::fflush(stdout);
            return true;
        }
        QSaveFile file(m_options.Out);
        if (!file.open(QIODevice::WriteOnly)) {
            Say(QStringLiteral("cannot write %1: %2").arg(m_options.Out, file.errorString()));
            return false;
        }
        file.write(CsvHeader());
        for (const QPointF& sample : std::as_const(m_samples))
            file.write(CsvLine(sample));
        if (!file.commit()) {
            Say(QStringLiteral("cannot write %1: %2").arg(m_options.Out, file.errorString()));
            return false;
        }
        return true;
    }

    // The program's data file; on standard output by way of a file of our own.
    const QString path =
        m_options.Out.isEmpty() ? m_captureDir.filePath(QStringLiteral("run.txt")) : m_options.Out;
    QStringList header;
    const DataFileSettings settings{QString(), QString(), Unit(),
                                    m_exchange->Settings().Text(SettingText::SampleTime)};
    const QString error = DataFile::Save(path, header, settings, m_samples);
    if (!error.isEmpty()) {
        Say(error);
        return false;
    }
    if (m_options.Out.isEmpty()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray content = file.readAll();
        std::fwrite(content.constData(), 1, size_t(content.size()), stdout);
        std::fflush(stdout);
    }
    return true;
}

void Recorder::Progress(bool last) {
    if (!m_runClock.isValid())
        return;
    const double elapsed = double(m_runClock.elapsed()) / 1000.0;
    if (m_fastCapture && !m_replayed) {
        // The capture is read back at the end; until then its size tells the progress.
        std::fprintf(stderr, "zento-fm-rec: fast capture, %lld bytes, %.1f s\n",
                     static_cast<long long>(m_exchange->CapturedBytes()), elapsed);
        return;
    }
    const double rate = elapsed > 0 ? double(m_samples.size()) / elapsed : 0.0;
    std::fprintf(stderr, "zento-fm-rec: %lld samples, %.1f/s, %.1f s%s\n",
                 static_cast<long long>(m_samples.size()), rate, elapsed, last ? ", done" : "");
}

void Recorder::Finish(int exitCode) {
    if (m_phase == Phase::Done)
        return;
    const bool recorded = m_phase == Phase::Recording || m_phase == Phase::Stopping;
    m_phase = Phase::Done;
    m_exitCode = exitCode;
    for (QTimer* timer :
         {&m_answerTimer, &m_reportTimer, &m_stopTimer, &m_runTimer, &m_progressTimer})
        timer->stop();
    if (recorded) {
        if (!WriteOutput() && exitCode == RecorderExit::Done)
            m_exitCode = RecorderExit::LinkLost;
        Progress(true);
    }
    if (m_exchange) {
        m_exchange->Serial().Close();
        m_exchange->ShutdownNetworkLink();
    }
    emit Finished(m_exitCode);
}
