#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One gauge the command line names, by --port or --host.
struct RecorderGauge {
    QString Port;     // "COM3" or a device path; empty: a network gauge
    QString Host;     // network gauge
    int HostPort = 0; // the network gauge's port
    QString Given;    // the option's value as given, for messages and a child's command line
};

// What the command line asks the recorder to do.
struct RecorderOptions {
    enum class Format { DataFile, Csv };

    // In command-line order; empty: the gauge the program's configuration names. More than
    // one: each is recorded by a child recorder of its own (see RecorderGroup).
    QList<RecorderGauge> Gauges;
    double Seconds = 0; // 0: until Ctrl+C
    Format OutputFormat = Format::DataFile;
    QString Out; // empty: standard output

    // The file of the gauge at `position` (from 1) when several are recorded: "run.txt" ->
    // "run-1.txt", "run" -> "run-1".
    static QString GaugeOut(const QString& out, qsizetype position);
    // The command line of the child recorder of Gauges[index].
    QStringList ChildArguments(qsizetype index) const;

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
