#pragma once

#include <QString>

#include <cstdint>

// How the reply side reads what the gauge sends; set by the exchange owner just before
// the order leaves. Values outside the six names may be stored (the byte is shared with
// the wire protocol's notion of "anything else") and are read as "do nothing".
enum class ExchangeState : std::uint8_t {
    Confirming = 0,
    ReadingDisplay = 1,
    ReadingSettings = 2,
    Streaming = 3,
    Downloading = 4,
    RawCapture = 5,
};

// Codes stored in AwaitedReply: one per order, so that the reply side knows which
// confirmation to look for. Code 4 belongs to no order.
namespace Reply {
constexpr std::uint8_t Display = 0;        // "SI"
constexpr std::uint8_t Tare = 1;           // "ST"
constexpr std::uint8_t OnOff = 2;          // "SS"
constexpr std::uint8_t Standby = 3;        // "Ss"
constexpr std::uint8_t Unused = 4;         // no order
constexpr std::uint8_t LowThreshold = 5;   // "SL"
constexpr std::uint8_t HighThreshold = 6;  // "SH"
constexpr std::uint8_t ZeroThreshold = 7;  // "SM"
constexpr std::uint8_t DisplayPoll = 8;    // "Sx1"
constexpr std::uint8_t Unit = 9;           // "Su"
constexpr std::uint8_t PeakOff = 10;       // "Sp0"
constexpr std::uint8_t PeakPush = 11;      // "Sp1"
constexpr std::uint8_t PeakPull = 12;      // "Sp2"
constexpr std::uint8_t Mem = 13;           // "Sm"
constexpr std::uint8_t SpeedSlow = 14;     // "Sf0"
constexpr std::uint8_t SpeedFast = 15;     // "Sf1"
constexpr std::uint8_t AcqManual = 16;     // "Sa0"
constexpr std::uint8_t AcqAuto = 17;       // "Sa1"
constexpr std::uint8_t SampleCount = 18;   // "Sv"
constexpr std::uint8_t SampleTime = 19;    // "St"
constexpr std::uint8_t ThresholdsOff = 20; // "Sk0"
constexpr std::uint8_t ThresholdsOn = 21;  // "Sk1"
constexpr std::uint8_t Report = 22;        // "Sid"
constexpr std::uint8_t StreamOff = 23;     // "Se0"
constexpr std::uint8_t StreamOn = 24;      // "Se1"
constexpr std::uint8_t Battery = 25;       // "Sb"
constexpr std::uint8_t Download = 26;      // "Sc"
constexpr std::uint8_t ResetMemory = 27;   // "Sr"
constexpr std::uint8_t Acceleration = 28;  // "Sn"
} // namespace Reply

// Running statistics of the samples on the chart.
struct SampleStatistics {
    std::int32_t Count = 0;
    double Min = 0.0;
    double Max = 0.0;
    double Sum = 0.0;
    double Average = 0.0;
};

// Families of instruments, told apart by the model name of the settings report.
namespace Family {
constexpr std::uint8_t Force = 0;
constexpr std::uint8_t ForceFC = 1;
constexpr std::uint8_t Torque = 2;
} // namespace Family

// How long a lost link to the gauge is tried again, in minutes, as the connection dialog sets it.
namespace Reconnection {
constexpr std::int32_t DefaultMinutes = 10;
constexpr std::int32_t LowestMinutes = 1;
constexpr std::int32_t HighestMinutes = 24 * 60;
} // namespace Reconnection

// What is known of one gauge and of the exchange with it. Each main window owns one beside its
// exchange (the recorder one per process); the exchange's owner and the reply side write it, the
// window's panels and dialogs read it. Used on the user-interface thread only; the run-at worker
// hands its start moment over by an event.
struct GaugeState {
    bool PortConfigured = false;
    bool UseEthernet = false;
    QString EthHost;
    std::int32_t EthPort = 0;
    // A link lost is tried again for ReconnectMinutes; a run under way waits for it.
    bool ReconnectOnLoss = true;
    std::int32_t ReconnectMinutes = Reconnection::DefaultMinutes;
    // Written by the owner of the exchange (GaugeExchange) alone; read by everyone.
    bool MeasurementRunning = false;
    ::ExchangeState ExchangeState = ::ExchangeState::Confirming;
    std::uint8_t AwaitedReply = 0;
    bool ConnectionDialogOpen = false;
    SampleStatistics SampleStats;
    std::int32_t DownloadCount = 0;
    double SampleTime = 0.0;
    double ChartTimeOffset = 0.0;
    double ChartIndexOffset = 0.0;
    QString SampleUnit;
    double HighThreshold = 0.0;
    double LowThreshold = 0.0;
    std::uint8_t DeviceFamily = Family::Force;
    bool ResultsFileActive = false;
    QString ResultsFileName;
    bool ContinuousWarningShown = false;

    void ResetSampleStats() { SampleStats = SampleStatistics{}; }
};

// The gauge of the first main window, the one a single-gauge program serves; every further
// window owns a state of its own.
GaugeState& FirstGauge();
