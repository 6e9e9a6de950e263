#include "GaugeConfig.h"

#include "LineFormat.h"
#include "Links.h"
#include "SampleTiming.h"
#include "Units.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <cmath>
#include <numbers>

namespace {

const char* const ExtraHelp = R"(
Exactly one of --pty and --tcp is required.

Memory series (--ram, --eeprom, --sd): comma-separated key=value pairs, all optional:
  count=N          samples stored, 0 to 6400 (default: the number of values given)
  step=S|none      seconds between samples; "none" for a series without time base
  unit=U           unit of the series (default: the gauge's unit)
  values=a:b:c     sample values; repeated cyclically up to count
  name=TEXT        series name sent in the FILE line
Without values a series holds 10*sin(2*pi*i/50), i = 0, 1, ... rounded to 0.01.
Defaults: RAM 100 samples every 0.1 s, EEPROM 20 samples without time base,
SD card 1200 samples every 0.01 s.

Readings follow value + amplitude * sin(2*pi*t/period) in the initial unit (t in seconds
since start; a stream's samples use t = start of run + n * sampling time), less the tare
taken by "ST", converted to the current unit, held at the peak in PEAK mode.

Orders answered (each ends with CR LF; answers end with CR LF):
  SI, Sx1   display line "sVVVVVVVVV UUU"        ST  -> MT      SS  -> MS0 (off) / MS1 (on)
  Ss  -> Ms0 (stand-by) / Ms1 (awake)  SL<n> -> ML  SH<n> -> MH  SM<n> -> MM
  Su<unit> -> Mu   Sp0/1/2 -> Mp0/1/2   Sm -> Mm   Sf0/1 -> Mf0/1 (force family only)
  Sa0/1 -> Ma0/1   Sv<n> -> Mv<count set>   St<s> -> Mt   Sk0/1 -> Mk0/1   Sn<g> -> Mn
  Sid -> settings report   Sb -> "Vbat = 87%"   Se1 -> continuous sending   Se0 -> Me0
  Sc1/2/3 -> dump of RAM/EEPROM/SD   Sr, Sr1, Sr2 -> erase RAM/EEPROM/SD, Mr
A bad argument, or a reading while switched off or in stand-by, is answered "MQ";
while switched off everything but SS and Se0 is answered "MQ". While sending
continuously only Se0 and Se1 are heard (unless --answer-while-streaming).
Unknown orders get no answer.

Commands on stdin (one per line):
  state                    print all settings as one "state" event
  unit U                   change the unit as the gauge's key would (U: a unit or token)
  value V | amplitude A | period S   change the signal (V, A in the current unit)
  battery N                set the battery charge in percent
  power on|off             switch the gauge on or off; standby on|off likewise
  stream on|off            start or stop continuous sending from the keypad
  mem                      press the MEM key
  send TEXT                send TEXT as it stands (escapes \r \n \t \s \xHH)
  noise N lf|nolf          send a burst of N bytes of noise, with or without line ends
  drop PREFIX [N]          drop the next N replies starting with PREFIX (default 1)
  delay MS | chunk MIN[-MAX] [PAUSE] | duplicate on|off | noiselines N | interleave N
  vanish [reset]           close the line and remove the link, as an unplugged adapter
                           (reset, over TCP: the client's connection is reset, not closed)
  appear                   open a new pseudo-terminal (same link) after vanish
  quit                     end the gauge
  help                     list the commands as "help" events

Events on stdout (one per line, words separated by spaces; texts escaped as in "send"):
  ready pty <device> [link <path>]   ready tcp <port>
  order <text>             an order received and heard
  garbled <baud> <text>    an order received at a line speed other than --baud
  ignored <text>           an order not heard (continuous sending)
  unknown <text>           an order the gauge does not know
  reply <lines> <first line>         a reply put on the line
  dropped <first line>     a reply swallowed by a drop rule
  sample <n> <value>       the n-th sample of a run (from 1), value as sent
  munit <unit>             a unit change announced during continuous sending
  newfile                  "Mnewfile" sent at the start of a run
  change <setting> <value> a setting changed (unit, peak, speed, power, streaming, ...)
  link open|closed <listeners>       the program opened or closed the port / connected
  burst done <bytes>       a noise burst has been written
  state key=value ...      answer to "state"
  vanished                 the line is gone; appeared <device> after "appear"
  error <text>             a bad command on stdin
  bye                      the gauge ends (quit, end of stdin with --quit-on-eof, a signal)
)";

bool ParseInt(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (!ok || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool ParseDouble(const QString& text, double* value) {
    return LineFormat::ParseNumber(text.toLatin1(), value);
}

bool Printable(const QByteArray& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
            return false;
    return true;
}

bool ParseChoice(const QString& text, const QStringList& choices, int* value) {
    const int index = choices.indexOf(text.trimmed().toLower());
    if (index < 0)
        return false;
    *value = index;
    return true;
}

} // namespace

int DefaultSampleCountMax(int family) {
    return family == 0 ? 800 : 6400;
}

QList<double> GeneratedValues(int count) {
    QList<double> values;
    values.reserve(count);
    for (int i = 0; i < count; ++i)
        values.append(std::round(1000.0 * std::sin(2.0 * std::numbers::pi * i / 50.0)) / 100.0);
    return values;
}

MemorySeries DefaultMemory(int index, const QByteArray& unit) {
    switch (index) {
    case 0:
        return {"RAM01", 0.1, unit, GeneratedValues(100)};
    case 1:
        return {"EE01", 0.0, unit, GeneratedValues(20)};
    default:
        return {"SD01", 0.01, unit, GeneratedValues(1200)};
    }
}

std::optional<MemorySeries> ParseMemoryOption(const QByteArray& text, const MemorySeries& defaults,
                                              QString* error) {
    MemorySeries series = defaults;
    int count = -1;
    QList<double> values;
    bool valuesGiven = false;
    for (const QByteArray& part : text.split(',')) {
        if (part.trimmed().isEmpty())
            continue;
        const int eq = part.indexOf('=');
        if (eq < 0) {
            *error =
                QStringLiteral("memory: \"%1\" is not key=value").arg(QString::fromLatin1(part));
            return std::nullopt;
        }
        const QByteArray key = part.left(eq).trimmed();
        const QByteArray value = part.mid(eq + 1);
        if (key == "count") {
            if (!ParseInt(QString::fromLatin1(value), 0, MemoryCapacity, &count)) {
                *error = QStringLiteral("memory: count must be 0 to %1").arg(MemoryCapacity);
                return std::nullopt;
            }
        } else if (key == "step") {
            double step = 0;
            if (value.trimmed() == "none") {
                series.Step = 0;
            } else if (LineFormat::ParseNumber(value, &step) && step > 0 && step <= 1000) {
                series.Step = step;
            } else {
                *error =
                    QStringLiteral("memory: step must be a positive number of seconds or none");
                return std::nullopt;
            }
        } else if (key == "unit") {
            series.Unit = value.trimmed();
            if (series.Unit.isEmpty() || !Printable(series.Unit)) {
                *error = QStringLiteral("memory: unit must be printable text");
                return std::nullopt;
            }
        } else if (key == "values") {
            valuesGiven = true;
            for (const QByteArray& item : value.split(':')) {
                double v = 0;
                if (!LineFormat::ParseNumber(item, &v) || std::abs(v) >= 1e7) {
                    *error = QStringLiteral("memory: \"%1\" is not a sample value")
                                 .arg(QString::fromLatin1(item));
                    return std::nullopt;
                }
                values.append(v);
            }
        } else if (key == "name") {
            series.Name = value.trimmed();
            // The name shares the dump with its first keyword; it must not pass for it.
            if (!Printable(series.Name) || series.Name.contains("COUNT")) {
                *error = QStringLiteral("memory: name must be printable and must not hold COUNT");
                return std::nullopt;
            }
        } else {
            *error = QStringLiteral("memory: unknown key \"%1\"").arg(QString::fromLatin1(key));
            return std::nullopt;
        }
    }
    if (valuesGiven) {
        if (count < 0)
            count = int(qMin<qsizetype>(values.size(), MemoryCapacity));
        series.Values.clear();
        for (int i = 0; i < count; ++i)
            series.Values.append(values.at(i % values.size()));
    } else if (count >= 0) {
        series.Values = GeneratedValues(count);
    }
    return series;
}

std::optional<GaugeConfig> ParseCommandLine(const QStringList& arguments, int* exitCode) {
    *exitCode = 2;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("zento-fm-gauge: a virtual force gauge or torque meter that answers "
                       "the program's orders\non a pseudo-terminal or a TCP port of 127.0.0.1."));
    using O = QCommandLineOption;
    const O help({"h", "help"}, "Show this help.");
    const O pty("pty", "Listen on a new pseudo-terminal; its device path is printed.");
    const O link("link", "With --pty: make PATH a symbolic link to the device (removed at exit).",
                 "PATH");
    const O tcp("tcp",
                "Listen on 127.0.0.1:PORT (0: any free port); one client at a time, "
                "a new client replaces the old one.",
                "PORT");
    const O baud("baud", "With --pty: answer only while the line speed set on the port is N.", "N");
    const O garble("garble", "With --baud: send junk bytes instead of silence at a wrong speed.");
    const O model("model",
                  "Model name (default FM-500). \"FC\" -> family 1; \"FS\", \"TTM\", "
                  "\"FB\"+\"TS\", \"FB\"+\"TW\" -> 2 (torque); else 0.",
                  "TEXT");
    const O serial("serial", "Serial number (default FM2301-0042).", "TEXT");
    const O unit("unit", "Initial unit (default: the model's first unit).", "UNIT");
    const O peak("peak", "PEAK mode: off, + or - (default off).", "MODE");
    const O speed("speed", "Measuring speed of the force family: slow or fast (default slow).",
                  "SPEED");
    const O sampleTime("sample-time", "Sampling time in seconds (default 0.1).", "S");
    const O acquisition("acquisition", "manual or auto (default manual).", "MODE");
    const O count("count", "Sample count ACQ.C. (default 100).", "N");
    const O countMax("count-max",
                     "Sample count maximum ACQ.MAX (default 800 for the force "
                     "family, 6400 otherwise; at most 6400).",
                     "N");
    const O thrMin("thr-min", "Low threshold (default -5.0).", "V");
    const O thrMax("thr-max", "High threshold (default 5.0).", "V");
    const O thrZero("thr-zero", "Zero threshold (default 0.0).", "V");
    const O thresholds("thresholds", "Thresholds on or off (default off).", "ON|OFF");
    const O accel("acceleration", "Gravitational acceleration in m/s2 (default 9.81).", "G");
    const O battery("battery", "Battery charge in percent, 0 to 100 (default 87).", "N");
    const O decimals("decimals", "Decimals of readings, 0 to 4 (default 2).", "N");
    const O plus("plus-sign", "Write \"+\" before positive readings instead of a space.");
    const O value("value", "Reading offset in the initial unit (default 0).", "V");
    const O amplitude("amplitude", "Sine amplitude of the reading (default 10; 0: constant).", "A");
    const O period("period", "Sine period in seconds (default 10).", "S");
    const O ram("ram", "Fill the RAM memory (see below).", "SERIES");
    const O eeprom("eeprom", "Fill the EEPROM memory.", "SERIES");
    const O sd("sd", "Fill the SD card memory.", "SERIES");
    const O continuous("continuous", "Start in continuous sending, as a gauge left sending.");
    const O newfile("newfile", "Send \"Mnewfile\" at the start of each continuous run.");
    const O answerAll("answer-while-streaming", "Answer every order during continuous sending.");
    const O chunk("chunk",
                  "Write everything in chunks of N bytes, or of MIN to MAX bytes at "
                  "random, with a pause between them.",
                  "N|MIN-MAX");
    const O chunkPause("chunk-pause", "Pause between chunks in ms (default 10).", "MS");
    const O drop("drop",
                 "Swallow the first N (default 1) replies whose first line starts with "
                 "PREFIX (e.g. Me0). Repeatable.",
                 "PREFIX[:N]");
    const O noiseLines("noise-lines", "Put a line of noise before every N-th reply.", "N");
    const O burst("burst",
                  "Send N bytes of noise when the program first opens the line or "
                  "connects; lf: with line ends.",
                  "N[:lf|nolf]");
    const O duplicate("duplicate", "Send every reply twice.");
    const O interleave("interleave", "Put N stream-format reading lines before every reply.", "N");
    const O delay("delay", "Wait MS before each reply.", "MS");
    const O seed("seed", "Seed of the noise and chunk sizes (default 1).", "N");
    const O quitOnEof("quit-on-eof", "End when stdin ends (tests use it, so that no gauge "
                                     "outlives its test).");
    const O noSamples("no-sample-events", "Do not print a \"sample\" event per sample.");
    parser.addOptions({help,        pty,       link,       tcp,        baud,   garble,
                       model,       serial,    unit,       peak,       speed,  sampleTime,
                       acquisition, count,     countMax,   thrMin,     thrMax, thrZero,
                       thresholds,  accel,     battery,    decimals,   plus,   value,
                       amplitude,   period,    ram,        eeprom,     sd,     continuous,
                       newfile,     answerAll, chunk,      chunkPause, drop,   noiseLines,
                       burst,       duplicate, interleave, delay,      seed,   quitOnEof,
                       noSamples});

    QTextStream err(stderr);
    const auto failed = [&](const QString& text) -> std::optional<GaugeConfig> {
        err << "zento-fm-gauge: " << text << "\n";
        return std::nullopt;
    };

    if (!parser.parse(arguments))
        return failed(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return failed(
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText() << ExtraHelp;
        *exitCode = 0;
        return std::nullopt;
    }

    GaugeConfig c;
    if (parser.isSet(pty) == parser.isSet(tcp))
        return failed(QStringLiteral("give exactly one of --pty and --tcp"));
    if (parser.isSet(pty)) {
        c.Link = GaugeConfig::Transport::Pty;
        c.LinkPath = parser.value(link);
        if (parser.isSet(link) && c.LinkPath.isEmpty())
            return failed(QStringLiteral("--link needs a path"));
    } else {
        c.Link = GaugeConfig::Transport::Tcp;
        if (!ParseInt(parser.value(tcp), 0, 65535, &c.TcpPort))
            return failed(QStringLiteral("--tcp needs a port from 0 to 65535"));
        if (parser.isSet(link) || parser.isSet(baud))
            return failed(QStringLiteral("--link and --baud belong to --pty"));
    }
    if (parser.isSet(baud)) {
        bool ok = false;
        c.Baud = parser.value(baud).toInt(&ok);
        if (!ok || !Links::IsKnownLineSpeed(c.Baud))
            return failed(QStringLiteral("--baud needs a standard line speed such as 115200"));
    }
    c.Garble = parser.isSet(garble);

    if (parser.isSet(model)) {
        c.Model = parser.value(model).toLatin1().trimmed();
        if (c.Model.isEmpty() || !Printable(c.Model))
            return failed(QStringLiteral("--model needs printable text"));
    }
    if (parser.isSet(serial)) {
        c.Serial = parser.value(serial).toLatin1().trimmed();
        // The report's lines are told apart by keyword; the serial line comes second.
        if (c.Serial.isEmpty() || !Printable(c.Serial) || c.Serial.contains("MODEL"))
            return failed(QStringLiteral("--serial needs printable text without MODEL"));
    }
    const auto family = Units::FamilyOf(c.Model);
    const int familyNumber = int(family);
    if (parser.isSet(unit)) {
        const auto chosen = Units::UnitForToken(family, c.Model, parser.value(unit).toLatin1());
        if (!chosen)
            return failed(
                QStringLiteral("--unit: \"%1\" is not a unit of %2 (%3)")
                    .arg(parser.value(unit), QString::fromLatin1(c.Model),
                         QString::fromLatin1(Units::UnitList(family, c.Model).join(", "))));
        c.Unit = *chosen;
    } else {
        c.Unit = Units::UnitList(family, c.Model).first();
    }
    if (parser.isSet(peak)) {
        const QString p = parser.value(peak).trimmed().toLower();
        c.Peak = p == "off" ? 0 : p == "+" ? 1 : p == "-" ? 2 : -1;
        if (c.Peak < 0)
            return failed(QStringLiteral("--peak needs off, + or -"));
    }
    if (parser.isSet(speed) && !ParseChoice(parser.value(speed), {"slow", "fast"}, &c.Speed))
        return failed(QStringLiteral("--speed needs slow or fast"));
    if (parser.isSet(sampleTime)) {
        if (!ParseDouble(parser.value(sampleTime), &c.SampleTime) ||
            !SampleTiming::InRange(c.SampleTime, familyNumber, c.Speed)) {
            const auto range = SampleTiming::RangeFor(familyNumber, c.Speed);
            return failed(QStringLiteral("--sample-time must lie within %1-%2 s for this model")
                              .arg(range.Min)
                              .arg(range.Max));
        }
    }
    c.SampleTime = SampleTiming::Fit(c.SampleTime, familyNumber, c.Speed);
    if (parser.isSet(acquisition) &&
        !ParseChoice(parser.value(acquisition), {"manual", "auto"}, &c.Acquisition))
        return failed(QStringLiteral("--acquisition needs manual or auto"));
    c.SampleCountMax = DefaultSampleCountMax(familyNumber);
    if (parser.isSet(countMax) && !ParseInt(parser.value(countMax), 1, 6400, &c.SampleCountMax))
        return failed(QStringLiteral("--count-max needs 1 to 6400"));
    if (parser.isSet(count) && !ParseInt(parser.value(count), 1, c.SampleCountMax, &c.SampleCount))
        return failed(QStringLiteral("--count needs 1 to %1").arg(c.SampleCountMax));
    c.SampleCount = qMin(c.SampleCount, c.SampleCountMax);
    const std::pair<const O*, double*> numbers[] = {
        {&thrMin, &c.ThrMin}, {&thrMax, &c.ThrMax},       {&thrZero, &c.ThrZero},
        {&value, &c.Value},   {&amplitude, &c.Amplitude},
    };
    for (const auto& [option, target] : numbers) {
        if (parser.isSet(*option) &&
            (!ParseDouble(parser.value(*option), target) || std::abs(*target) >= 1e7))
            return failed(QStringLiteral("--%1 needs a number").arg(option->names().first()));
    }
    int onOff = 0;
    if (parser.isSet(thresholds)) {
        if (!ParseChoice(parser.value(thresholds), {"off", "on"}, &onOff))
            return failed(QStringLiteral("--thresholds needs on or off"));
        c.ThrOn = onOff == 1;
    }
    if (parser.isSet(accel) && (!ParseDouble(parser.value(accel), &c.Acceleration) ||
                                c.Acceleration <= 0 || c.Acceleration > 100))
        return failed(QStringLiteral("--acceleration needs a positive number of m/s2"));
    if (parser.isSet(battery) && !ParseInt(parser.value(battery), 0, 100, &c.Battery))
        return failed(QStringLiteral("--battery needs 0 to 100"));
    if (parser.isSet(decimals) && !ParseInt(parser.value(decimals), 0, 4, &c.Decimals))
        return failed(QStringLiteral("--decimals needs 0 to 4"));
    c.PlusSign = parser.isSet(plus) ? '+' : ' ';
    if (parser.isSet(period) &&
        (!ParseDouble(parser.value(period), &c.Period) || c.Period <= 0 || c.Period > 1e6))
        return failed(QStringLiteral("--period needs a positive number of seconds"));

    const O* memories[] = {&ram, &eeprom, &sd};
    for (int i = 0; i < 3; ++i) {
        if (!parser.isSet(*memories[i]))
            continue;
        QString error;
        c.Memories[i] = ParseMemoryOption(parser.value(*memories[i]).toLatin1(),
                                          DefaultMemory(i, c.Unit), &error);
        if (!c.Memories[i])
            return failed(QStringLiteral("--%1: %2").arg(memories[i]->names().first(), error));
    }

    c.Continuous = parser.isSet(continuous);
    c.NewFile = parser.isSet(newfile);
    c.AnswerWhileStreaming = parser.isSet(answerAll);

    Misbehaviour& f = c.Faults;
    if (parser.isSet(chunk)) {
        const QStringList parts = parser.value(chunk).split('-');
        if (parts.size() > 2 || !ParseInt(parts.first(), 1, 65536, &f.ChunkMin))
            return failed(QStringLiteral("--chunk needs N or MIN-MAX bytes"));
        f.ChunkMax = f.ChunkMin;
        if (parts.size() == 2 && !ParseInt(parts.last(), f.ChunkMin, 65536, &f.ChunkMax))
            return failed(QStringLiteral("--chunk needs MIN-MAX with MIN <= MAX"));
    }
    if (parser.isSet(chunkPause) && !ParseInt(parser.value(chunkPause), 0, 10000, &f.ChunkPauseMs))
        return failed(QStringLiteral("--chunk-pause needs 0 to 10000 ms"));
    for (const QString& rule : parser.values(drop)) {
        DropRule d;
        const int colon = rule.lastIndexOf(':');
        d.Prefix = (colon > 0 ? rule.left(colon) : rule).toLatin1();
        if (colon > 0 && !ParseInt(rule.mid(colon + 1), 1, 1000000, &d.Times))
            return failed(QStringLiteral("--drop needs PREFIX or PREFIX:N"));
        if (d.Prefix.isEmpty())
            return failed(QStringLiteral("--drop needs a prefix"));
        f.Drops.append(d);
    }
    if (parser.isSet(noiseLines) && !ParseInt(parser.value(noiseLines), 0, 1000000, &f.NoiseEvery))
        return failed(QStringLiteral("--noise-lines needs a count"));
    if (parser.isSet(burst)) {
        const QStringList parts = parser.value(burst).split(':');
        bool ok = false;
        f.BurstBytes = parts.first().toLongLong(&ok);
        if (!ok || f.BurstBytes < 0 || f.BurstBytes > 1'000'000'000 || parts.size() > 2 ||
            (parts.size() == 2 && parts.last() != "lf" && parts.last() != "nolf"))
            return failed(QStringLiteral("--burst needs N or N:lf or N:nolf"));
        f.BurstLineEnds = parts.size() == 2 && parts.last() == "lf";
    }
    f.Duplicate = parser.isSet(duplicate);
    if (parser.isSet(interleave) && !ParseInt(parser.value(interleave), 0, 1000, &f.Interleave))
        return failed(QStringLiteral("--interleave needs 0 to 1000"));
    if (parser.isSet(delay) && !ParseInt(parser.value(delay), 0, 60000, &f.DelayMs))
        return failed(QStringLiteral("--delay needs 0 to 60000 ms"));
    if (parser.isSet(seed)) {
        bool ok = false;
        c.Seed = parser.value(seed).toUInt(&ok);
        if (!ok)
            return failed(QStringLiteral("--seed needs a non-negative number"));
    }
    c.QuitOnEof = parser.isSet(quitOnEof);
    c.SampleEvents = !parser.isSet(noSamples);
    *exitCode = 0;
    return c;
}
