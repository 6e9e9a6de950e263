#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// One stored series of a memory (RAM, EEPROM, SD card) as the dump sends it.
struct MemorySeries {
    QByteArray Name;
    double Step = 0.1; // seconds between samples; 0 for a series without time base
    QByteArray Unit;
    QList<double> Values;
};

// A reply the gauge swallows a number of times: the first reply line starting with Prefix.
struct DropRule {
    QByteArray Prefix;
    int Times = 1;
};

// What can go wrong on the line, on request.
struct Misbehaviour {
    int ChunkMin = 0; // 0: no chunking
    int ChunkMax = 0;
    int ChunkPauseMs = 10;
    QList<DropRule> Drops;
    int NoiseEvery = 0; // a noise line before every n-th reply; 0: never
    qint64 BurstBytes = 0;
    bool BurstLineEnds = false;
    bool Duplicate = false;
    int Interleave = 0; // stream-format lines put before each reply
    int DelayMs = 0;
};

// Everything the command line decides, checked.
struct GaugeConfig {
    enum class Transport { None, Pty, Tcp };

    Transport Link = Transport::None;
    QString LinkPath;
    int TcpPort = 0;
    int Baud = 0; // 0: answer at any line speed
    bool Garble = false;

    QByteArray Model = "FM-500";
    QByteArray Serial = "FM2301-0042";
    QByteArray Unit; // empty: the first unit of the model
    int Peak = 0;    // 0 off, 1 PEAK+, 2 PEAK-
    int Speed = 0;   // 0 SLOW, 1 FAST
    double SampleTime = 0.1;
    int Acquisition = 0; // 0 MANUAL, 1 AUTO
    int SampleCount = 100;
    int SampleCountMax = 0; // 0: the family's default
    double ThrMin = -5.0;
    double ThrMax = 5.0;
    double ThrZero = 0.0;
    bool ThrOn = false;
    double Acceleration = 9.81;
    int Battery = 87;
    int Decimals = 2;
    char PlusSign = ' ';

    double Value = 0.0;      // reading offset, in the initial unit
    double Amplitude = 10.0; // sine amplitude, in the initial unit
    double Period = 10.0;    // seconds

    std::array<std::optional<MemorySeries>, 3> Memories; // RAM, EEPROM, SD; unset: default

    bool Continuous = false;
    bool NewFile = false;
    bool AnswerWhileStreaming = false;

    Misbehaviour Faults;
    quint32 Seed = 1;

    bool QuitOnEof = false;
    bool SampleEvents = true;
};

// Reads the command line. On --help prints the help and returns nullopt with *exitCode 0;
// on a bad option prints one clear line on stderr and returns nullopt with *exitCode 2.
std::optional<GaugeConfig> ParseCommandLine(const QStringList& arguments, int* exitCode);

// The maximum sample count a family offers when no option sets it.
int DefaultSampleCountMax(int family);

// Largest number of samples one memory holds.
constexpr int MemoryCapacity = 6400;

// Reads "count=N,step=S|none,unit=U,values=a:b:c,name=TEXT"; the error text on failure.
std::optional<MemorySeries> ParseMemoryOption(const QByteArray& text, const MemorySeries& defaults,
                                              QString* error);

// The series the memories hold when no option fills them.
MemorySeries DefaultMemory(int index, const QByteArray& unit);

// The values of a generated series: 10 * sin(2 * pi * i / 50), rounded to two decimals.
QList<double> GeneratedValues(int count);
