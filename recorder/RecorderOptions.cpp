#include "recorder/RecorderOptions.h"

#include "protocol/Numbers.h"

#include <cmath>

namespace {

// The network gauge's usual port when neither the command line nor config.xml names one.
constexpr int DefaultHostPort = 1001;

} // namespace

QString RecorderOptions::GaugeOut(const QString& out, qsizetype position) {
    const QString suffix = QStringLiteral("-%1").arg(position);
    const qsizetype nameStart = out.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = out.lastIndexOf(QLatin1Char('.'));
    // A leading dot names a hidden file, not an extension.
    if (dot > nameStart)
        return out.left(dot) + suffix + out.mid(dot);
    return out + suffix;
}

QStringList RecorderOptions::ChildArguments(qsizetype index) const {
    const RecorderGauge& gauge = Gauges.at(index);
    QStringList arguments{
        gauge.Port.isEmpty() ? QStringLiteral("--host") : QStringLiteral("--port"), gauge.Given};
    if (Seconds > 0)
        arguments << QStringLiteral("--seconds") << QString::number(Seconds, 'g', 17);
    arguments << QStringLiteral("--format")
              << (OutputFormat == Format::Csv ? QStringLiteral("csv") : QStringLiteral("data"));
    arguments << QStringLiteral("--out") << GaugeOut(Out, index + 1);
    return arguments;
}

QString RecorderOptions::Usage() {
    return QStringLiteral(
        "Usage: zento-fm-rec [--port COMn|DEVICE | --host HOST[:PORT]]... [--seconds N]\n"
        "                    [--format data|csv] [--out FILE]\n"
        "Records an on-line run of ZENTO FM gauges without a window.\n"
        "\n"
        "  --port COMn|DEVICE  the gauge's serial port (as the program names it, or a path)\n"
        "  --host HOST[:PORT]  a gauge with a network interface (port 1001 unless given)\n"
        "                      without either: ComPort.ini and config.xml, as the program\n"
        "  --seconds N         record for N seconds (default: until Ctrl+C)\n"
        "  --format data|csv   the program's data file (default) or CSV with a header row\n"
        "  --out FILE          where to write (default: standard output)\n"
        "\n"
        "Several --port and --host options record those gauges at the same time, each into\n"
        "a file of its own, which needs --out: the gauge's position on the command line goes\n"
        "before the extension (run.txt: run-1.txt, run-2.txt, ...). Their progress lines\n"
        "start with that position and the gauge, as \"[1 COM3]\".\n"
        "\n"
        "Progress goes to standard error. Exit codes: 0 done, 2 usage, 3 no gauge,\n"
        "4 link lost (what was recorded is written); with several gauges the highest of\n"
        "theirs.\n");
}

RecorderArguments RecorderArguments::Parse(const QStringList& arguments) {
    RecorderArguments parsed;
    RecorderOptions options;
    const auto fail = [&parsed](const QString& error) {
        parsed.Error = error;
        return parsed;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            parsed.HelpShown = true;
            return parsed;
        }
        if (i + 1 >= arguments.size())
            return fail(QStringLiteral("%1 needs a value").arg(option));
        const QString value = arguments[++i];
        if (option == QLatin1String("--port")) {
            if (value.trimmed().isEmpty())
                return fail(QStringLiteral("--port needs a port name"));
            options.Gauges.append(RecorderGauge{value.trimmed(), QString(), 0, value.trimmed()});
        } else if (option == QLatin1String("--host")) {
            QString host = value.trimmed();
            RecorderGauge gauge{QString(), QString(), DefaultHostPort, host};
            const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
            // An IPv6 address in brackets keeps its own colons.
            if (colon > 0 && host.indexOf(QLatin1Char(']')) < colon) {
                bool ok = false;
                const int port = host.mid(colon + 1).toInt(&ok);
                if (!ok || port < 1 || port > 65535)
                    return fail(QStringLiteral("--host needs a port from 1 to 65535"));
                gauge.HostPort = port;
                host.truncate(colon);
            }
            if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
                host = host.mid(1, host.size() - 2);
            if (host.isEmpty())
                return fail(QStringLiteral("--host needs a host name or address"));
            gauge.Host = host;
            options.Gauges.append(gauge);
        } else if (option == QLatin1String("--seconds")) {
            const std::optional<double> seconds = ReadNumber(value);
            if (!seconds || !std::isfinite(*seconds) || *seconds <= 0)
                return fail(QStringLiteral("--seconds needs a positive number"));
            options.Seconds = *seconds;
        } else if (option == QLatin1String("--format")) {
            if (value == QLatin1String("csv"))
                options.OutputFormat = RecorderOptions::Format::Csv;
            else if (value == QLatin1String("data"))
                options.OutputFormat = RecorderOptions::Format::DataFile;
            else
                return fail(QStringLiteral("--format needs data or csv"));
        } else if (option == QLatin1String("--out")) {
            if (value.isEmpty())
                return fail(QStringLiteral("--out needs a file name"));
            options.Out = value;
        } else {
            return fail(QStringLiteral("unknown option %1").arg(option));
        }
    }
    for (qsizetype i = 0; i < options.Gauges.size(); ++i) {
        const RecorderGauge& gauge = options.Gauges[i];
        for (qsizetype j = 0; j < i; ++j) {
            const RecorderGauge& earlier = options.Gauges[j];
            // Two recorders on one port would each get part of its lines.
            // "COM3" and "com3" are one port; device paths keep their case.
            const Qt::CaseSensitivity portCase =
                gauge.Port.contains(QLatin1Char('/')) ? Qt::CaseSensitive : Qt::CaseInsensitive;
            const bool samePort =
                !gauge.Port.isEmpty() && gauge.Port.compare(earlier.Port, portCase) == 0;
            const bool sameHost = !gauge.Host.isEmpty() &&
                                  gauge.Host.compare(earlier.Host, Qt::CaseInsensitive) == 0 &&
                                  gauge.HostPort == earlier.HostPort;
            if (samePort || sameHost)
                return fail(QStringLiteral("%1 is given twice").arg(gauge.Given));
        }
    }
    if (options.Gauges.size() > 1 && options.Out.isEmpty())
        return fail(QStringLiteral("several gauges need --out FILE: standard output holds "
                                   "one recording"));
    parsed.Options = options;
    return parsed;
}
