#include "fuzz/FuzzEntries.h"

#include "link/CaptureReplay.h"
#include "link/SerialSettings.h"
#include "measure/ChartModel.h"
#include "protocol/DeviceModel.h"
#include "protocol/ProcessData.h"
#include "state/GaugeState.h"
#include "state/Messages.h"
#include "storage/DataFile.h"
#include "storage/XMLConfig.h"
#include "tests/support/FakeExchange.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <iterator>
#include <memory>

namespace {

// Message boxes would block; the fuzzed code only needs them to return.
class SilentMessages final : public MessagePresenter {
public:
    void Show(QWidget*, const MessageRequest&) override {}
    bool Ask(QWidget*, const MessageRequest&) override { return true; }
};

// Model names of every family, with small and kN force ranges.
constexpr const char* Models[] = {"FM-500", "FC-200", "FS-20",  "FM2k",
                                  "FM-1k",  "FB-TS5", "TTM-50", "FC-20k"};
// The settings fields before Acceleration, one header bit each.
constexpr int FocusableEdits = 5;

std::unique_ptr<QTemporaryDir> g_scratch;
SilentMessages g_silent;

QString ScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const QString path = g_scratch->filePath(QLatin1String(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

} // namespace

namespace FuzzEntries {

void Initialise() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "zento-fm-fuzz";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
    if (!g_scratch)
        g_scratch = std::make_unique<QTemporaryDir>();
    SetMessagePresenter(&g_silent);
}

void Replies(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return;
    FirstGauge() = GaugeState{};
    FirstGauge().ExchangeState = static_cast<ExchangeState>(data[0] % 8);
    FirstGauge().DeviceFamily = std::uint8_t(data[1] % 4);
    FirstGauge().AwaitedReply = std::uint8_t(data[2] % 32);
    const std::uint8_t flags = data[3];
    FirstGauge().MeasurementRunning = flags & 0x01;
    FirstGauge().ResultsFileActive = flags & 0x02;
    FirstGauge().ContinuousWarningShown = flags & 0x08;
    FirstGauge().SampleTime = 0.1;
    QLocale::setDefault((flags & 0x04) ? QLocale(QLocale::German) : QLocale::c());
    const std::size_t chunk = (flags >> 4) == 0 ? size : std::size_t(flags >> 4);

    // The fake exchange, with samples also going through the real chart data and statistics.
    FakeExchange target;
    GaugeSettings& settings = target.Settings;
    // The unit list follows the model; a field being typed in keeps its text.
    const QString model = QLatin1String(Models[(data[1] >> 2) % std::size(Models)]);
    settings.SetModel(model);
    settings.SetUnits(DeviceModel::UnitListFor(FirstGauge().DeviceFamily, model));
    for (int edit = 0; edit < FocusableEdits; ++edit)
        if (data[0] & (0x08 << edit))
            settings.SetEditing(SettingText(edit), true);
    settings.SetText(SettingText::SampleCount, QStringLiteral("100"));
    settings.SetText(SettingText::Low, QStringLiteral("99.0"));
    settings.SetText(SettingText::High, QStringLiteral("101.0"));
    ProcessData& replies = target.Data;
    ChartModel chart{FirstGauge()};
    chart.Follow(replies, settings);
    QObject::connect(&chart, &ChartModel::SampleAdded, [] {
        ChartModel::TextsFor(FirstGauge().SampleStats, FirstGauge().SampleUnit);
    });
    const char* text = reinterpret_cast<const char*>(data + 4);
    const std::size_t length = size - 4;
    for (std::size_t at = 0; at < length; at += chunk)
        replies.ProcessIncoming(QByteArray(text + at, qsizetype(std::min(chunk, length - at))));
    // The bound holds whatever arrived.
    if (replies.IncomingBuffer().size() > ProcessData::IncomingLimit)
        __builtin_trap();
    QLocale::setDefault(QLocale::c());
}

void DataFile(const std::uint8_t* data, std::size_t size) {
    const QString path = ScratchFile("data.txt", data, size);
    const DataFileContents contents = DataFile::Read(path);
    Q_UNUSED(contents);
}

void Config(const std::uint8_t* data, std::size_t size) {
    const QString path = ScratchFile("config.xml", data, size);
    XMLConfig config(path);
    config.EnsureConfigDefaults();
    const LoadedConfig loaded = config.LoadConfig();
    ConfigValues values;
    loaded.ApplyTo(values);
    config.SaveConfig(values);
    // What was saved loads again.
    XMLConfig again(path);
    again.EnsureConfigDefaults();
    again.LoadConfig();
}

void ComPortIni(const std::uint8_t* data, std::size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const SerialSettings read = ComPortIni::Parse(content, SerialSettings{});
    // What is written is read back as written: after one round the file is stable (a
    // damaged value may be tidied once, never drift).
    const QByteArray once = ComPortIni::Compose(content, read);
    const SerialSettings settled = ComPortIni::Parse(once, SerialSettings{});
    const QByteArray twice = ComPortIni::Compose(once, settled);
    if (!(ComPortIni::Parse(twice, SerialSettings{}) == settled) || twice != once)
        __builtin_trap();
}

void CaptureReplay(const std::uint8_t* data, std::size_t size) {
    const QString path = ScratchFile("fcf.dat", data, size);
    FirstGauge() = GaugeState{};
    ChartModel chart{FirstGauge()};
    CaptureReplay::ForEachSample(path, [&chart](double v) { chart.AddSample(0.005, v, true); });
}

} // namespace FuzzEntries
