#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks the recorder to do.
struct RecorderOptions {
    enum class Format { DataFile, Csv };

    QString Port;       // "COM3" or a device path; empty: not given
    QString Host;       // network gauge; empty: not given
    int HostPort = 0;   // 0: the configuration's or the gauge's usual port
    double Seconds = 0; // 0: until Ctrl+C
    Format OutputFormat = Format::DataFile;
    QString Out; // empty: standard output

    static QString Usage();
};

// The command line parsed: the options, or the reason they cannot be (exit code 2).
struct RecorderArguments {
    std::optional<RecorderOptions> Options;
    QString Error;
    bool HelpShown = false;

    static RecorderArguments Parse(const QStringList& arguments);
};

// Exit codes of the recorder, for scripts.
namespace RecorderExit {
constexpr int Done = 0;
constexpr int Usage = 2;
constexpr int NoGauge = 3;
constexpr int LinkLost = 4;
} // namespace RecorderExit
