#include "GaugeCore.h"

#include "LineFormat.h"
#include "SampleTiming.h"

#include <cmath>
#include <numbers>

namespace {

using LineFormat::LineEnd;

QByteArray Line(const QByteArray& text) {
    return text + LineEnd;
}

QList<QByteArray> One(const QByteArray& text) {
    return {Line(text)};
}

// The refusal: an order the gauge cannot carry out now, or with an argument it cannot take.
QList<QByteArray> Refused() {
    return One("MQ");
}

constexpr const char* PeakNames[] = {"off", "+", "-"};
constexpr const char* MemoryNames[] = {"ram", "eeprom", "sd"};

} // namespace

GaugeCore::GaugeCore(const GaugeConfig& config, EventSink events)
    : m_events(std::move(events))
    , m_family(Units::FamilyOf(config.Model))
    , m_model(config.Model)
    , m_serial(config.Serial)
    , m_unit(config.Unit.isEmpty() ? Units::UnitList(m_family, config.Model).first() : config.Unit)
    , m_peak(config.Peak)
    , m_speed(m_family == Units::Family::Force ? config.Speed : 0)
    , m_sampleTime(config.SampleTime)
    , m_acquisition(config.Acquisition)
    , m_count(config.SampleCount)
    , m_countMax(config.SampleCountMax > 0 ? config.SampleCountMax
                                           : DefaultSampleCountMax(int(m_family)))
    , m_thrMin(config.ThrMin)
    , m_thrMax(config.ThrMax)
    , m_thrZero(config.ThrZero)
    , m_thrOn(config.ThrOn)
    , m_acceleration(config.Acceleration)
    , m_battery(config.Battery)
    , m_decimals(config.Decimals)
    , m_plusSign(config.PlusSign)
    , m_answerWhileStreaming(config.AnswerWhileStreaming)
    , m_period(config.Period) {
    m_offsetBase = config.Value / PerBase();
    m_amplitudeBase = config.Amplitude / PerBase();
    for (int i = 0; i < 3; ++i)
        m_memories[i] = config.Memories[i] ? *config.Memories[i] : DefaultMemory(i, m_unit);
    m_sampleTime = SampleTiming::Fit(m_sampleTime, int(m_family), m_speed);
}

void GaugeCore::Change(const QByteArray& key, const QByteArray& value) {
    if (m_events)
        m_events("change " + key + ' ' + LineFormat::Escape(value));
}

double GaugeCore::PerBase() const {
    return Units::PerBaseUnit(m_unit, m_acceleration);
}

double GaugeCore::SignalBase(double t) const {
    return m_offsetBase + m_amplitudeBase * std::sin(2.0 * std::numbers::pi * t / m_period);
}

double GaugeCore::Reading(double t) {
    double net = SignalBase(t) - m_tareBase;
    if (m_peak != 0) {
        const bool beyond = m_peak == 1 ? net > m_peakBase : net < m_peakBase;
        if (!m_peakValid || beyond) {
            m_peakBase = net;
            m_peakValid = true;
        }
        net = m_peakBase;
    }
    return net * PerBase();
}

QByteArray GaugeCore::DisplayLine(double now) {
    return LineFormat::DisplayLine(Reading(now), m_unit, m_decimals, m_plusSign);
}

QByteArray GaugeCore::StreamLine(double t, QByteArray* valueText) {
    const double value = Reading(t);
    if (m_family == Units::Family::Force) {
        const QByteArray line = LineFormat::DisplayLine(value, m_unit, m_decimals, m_plusSign);
        if (valueText)
            *valueText = (line.at(0) == '-' ? "-" : "") + line.mid(1, 9).trimmed();
        return line;
    }
    const QByteArray line = LineFormat::SevenLine(value, m_decimals, m_plusSign);
    if (valueText)
        *valueText = (line.at(0) == '-' ? "-" : "") + line.mid(1, 6);
    return line;
}

void GaugeCore::SetStreaming(bool on) {
    if (m_streaming == on)
        return;
    m_streaming = on;
    Change("streaming", on ? "on" : "off");
}

GaugeCore::Answer GaugeCore::Handle(const QByteArray& order, double now) {
    Answer answer;
    const QByteArray name = order.left(2);
    const QByteArray arg = order.mid(2);

    if (!m_powered) {
        // Only the on/off key wakes a switched-off gauge; a stop is confirmed so that a
        // program stopping a run is not left repeating it.
        if (order == "SS") {
            SetPower(true);
            answer.Lines = One("MS1");
        } else if (order == "Se0") {
            answer.Lines = One("Me0");
        } else if (order.startsWith('S') && order.size() >= 2) {
            answer.Lines = Refused();
        } else {
            answer.What = Answer::Kind::Unknown;
        }
        return answer;
    }
    if (m_streaming && !m_answerWhileStreaming && order != "Se0" && order != "Se1") {
        answer.What = Answer::Kind::Ignored;
        return answer;
    }

    const auto number = [&](double* value) { return LineFormat::ParseNumber(arg, value); };
    const auto digit = [&](int last) -> int {
        return arg.size() == 1 && arg.at(0) >= '0' && arg.at(0) <= char('0' + last)
                   ? arg.at(0) - '0'
                   : -1;
    };

    if (name == "SI" && arg.isEmpty()) {
        answer.Lines = m_standby ? Refused() : QList<QByteArray>{DisplayLine(now)};
    } else if (name == "Sx") {
        answer.Lines = m_standby || arg != "1" ? Refused() : QList<QByteArray>{DisplayLine(now)};
    } else if (order == "ST") {
        if (m_standby) {
            answer.Lines = Refused();
        } else {
            m_tareBase = SignalBase(now);
            ResetPeak();
            Change("tare", LineFormat::Plain(m_tareBase * PerBase(), 1));
            answer.Lines = One("MT");
        }
    } else if (order == "SS") {
        SetPower(false);
        answer.StopStream = true;
        answer.Lines = One("MS0");
    } else if (order == "Ss") {
        SetStandby(!m_standby);
        answer.Lines = One(m_standby ? "Ms0" : "Ms1");
    } else if (name == "SL" || name == "SH" || name == "SM") {
        double value = 0;
        if (!number(&value) || std::abs(value) >= 1e7) {
            answer.Lines = Refused();
        } else {
            double& target = name == "SL" ? m_thrMin : name == "SH" ? m_thrMax : m_thrZero;
            target = value;
            Change(name == "SL"   ? "thrmin"
                   : name == "SH" ? "thrmax"
                                  : "thrzero",
                   LineFormat::Plain(value, 1));
            answer.Lines = One(name == "SL" ? "ML" : name == "SH" ? "MH" : "MM");
        }
    } else if (name == "Su") {
        QByteArray announce;
        QByteArray error;
        if (SetUnit(arg, &announce, &error)) {
            answer.Lines = One("Mu");
            if (!announce.isEmpty())
                answer.Lines.append(announce);
        } else {
            answer.Lines = Refused();
        }
    } else if (name == "Sp") {
        const int mode = digit(2);
        if (mode < 0) {
            answer.Lines = Refused();
        } else {
            m_peak = mode;
            ResetPeak();
            Change("peak", PeakNames[mode]);
            answer.Lines = One("Mp" + arg);
        }
    } else if (order == "Sm") {
        if (m_standby) {
            answer.Lines = Refused();
        } else {
            PressMem(now);
            answer.Lines = One("Mm");
        }
    } else if (name == "Sf") {
        const int speed = digit(1);
        if (speed < 0 || m_family != Units::Family::Force) {
            answer.Lines = Refused();
        } else {
            m_speed = speed;
            Change("speed", speed ? "fast" : "slow");
            const double fitted = SampleTiming::Fit(m_sampleTime, int(m_family), m_speed);
            if (fitted != m_sampleTime) {
                m_sampleTime = fitted;
                Change("sampletime", LineFormat::Plain(m_sampleTime));
            }
            answer.Lines = One("Mf" + arg);
        }
    } else if (name == "Sa") {
        const int mode = digit(1);
        if (mode < 0) {
            answer.Lines = Refused();
        } else {
            m_acquisition = mode;
            Change("acquisition", mode ? "auto" : "manual");
            answer.Lines = One("Ma" + arg);
        }
    } else if (name == "Sv") {
        bool ok = false;
        const qlonglong wanted = arg.trimmed().toLongLong(&ok);
        if (!ok) {
            answer.Lines = Refused();
        } else {
            // The gauge keeps what it can and says what it kept.
            m_count = int(qBound(qlonglong(1), wanted, qlonglong(m_countMax)));
            Change("count", QByteArray::number(m_count));
            answer.Lines = One("Mv" + QByteArray::number(m_count));
        }
    } else if (name == "St") {
        double seconds = 0;
        if (!number(&seconds) || seconds <= 0) {
            answer.Lines = Refused();
        } else {
            m_sampleTime = SampleTiming::Fit(seconds, int(m_family), m_speed);
            Change("sampletime", LineFormat::Plain(m_sampleTime));
            answer.Lines = One("Mt");
        }
    } else if (name == "Sk") {
        const int on = digit(1);
        if (on < 0) {
            answer.Lines = Refused();
        } else {
            m_thrOn = on == 1;
            Change("thresholds", m_thrOn ? "on" : "off");
            answer.Lines = One("Mk" + arg);
        }
    } else if (order == "Sid") {
        answer.Lines = Report();
    } else if (name == "Se") {
        if (arg == "0") {
            answer.StopStream = true;
            answer.Lines = One("Me0");
        } else if (arg == "1" && !m_standby) {
            answer.StartStream = !m_streaming;
        } else {
            answer.Lines = Refused();
        }
    } else if (order == "Sb") {
        answer.Lines = One("Vbat = " + QByteArray::number(m_battery) + '%');
    } else if (name == "Sc") {
        const int memory = digit(3);
        answer.Lines = memory < 1 ? Refused() : Dump(memory - 1);
    } else if (name == "Sr") {
        // "Sr" alone is the RAM; the other memories are counted from 1 here.
        const int memory = arg.isEmpty() ? 0 : digit(2);
        if (memory < 0 || (memory == 0 && !arg.isEmpty())) {
            answer.Lines = Refused();
        } else {
            m_memories[memory].Values.clear();
            Change(MemoryNames[memory], "0");
            answer.Lines = One("Mr");
        }
    } else if (name == "Sn") {
        double g = 0;
        if (!number(&g) || g <= 0 || g > 100) {
            answer.Lines = Refused();
        } else {
            m_acceleration = g;
            Change("acceleration", LineFormat::Plain(g, 2));
            answer.Lines = One("Mn");
        }
    } else {
        answer.What = Answer::Kind::Unknown;
    }
    return answer;
}

bool GaugeCore::SetUnit(const QByteArray& token, QByteArray* announce, QByteArray* error) {
    const auto unit = Units::UnitForToken(m_family, m_model, token);
    if (!unit) {
        *error = "not a unit of " + m_model + ": " + Units::UnitList(m_family, m_model).join(' ');
        return false;
    }
    if (*unit != m_unit) {
        m_unit = *unit;
        Change("unit", m_unit);
        // Seven-character lines carry no unit: a run of these families announces the change.
        if (m_streaming && m_family != Units::Family::Force)
            *announce = Line("Munit " + m_unit);
    }
    return true;
}

void GaugeCore::SetSignalValue(double value) {
    m_offsetBase = value / PerBase();
}

void GaugeCore::SetSignalAmplitude(double amplitude) {
    m_amplitudeBase = amplitude / PerBase();
}

bool GaugeCore::SetSignalPeriod(double seconds) {
    if (!(seconds > 0) || !std::isfinite(seconds))
        return false;
    m_period = seconds;
    return true;
}

bool GaugeCore::SetBattery(int percent) {
    if (percent < 0 || percent > 100)
        return false;
    m_battery = percent;
    Change("battery", QByteArray::number(percent));
    return true;
}

void GaugeCore::SetPower(bool on) {
    if (m_powered == on)
        return;
    m_powered = on;
    Change("power", on ? "on" : "off");
    if (!on) {
        SetStreaming(false);
        SetStandby(false);
    }
}

void GaugeCore::SetStandby(bool on) {
    if (m_standby == on)
        return;
    m_standby = on;
    Change("standby", on ? "on" : "off");
    if (on)
        SetStreaming(false);
}

void GaugeCore::PressMem(double now) {
    MemorySeries& ram = m_memories[0];
    if (m_acquisition == 1) {
        // AUTO: a whole series of the set count at the set sampling time, taken at once.
        ram = MemorySeries{"RAM01", m_sampleTime, m_unit, {}};
        const int count = qMin(m_count, MemoryCapacity);
        for (int i = 0; i < count; ++i)
            ram.Values.append(Reading(now + i * m_sampleTime));
    } else {
        // MANUAL: one reading per press, numbered, without time base.
        if (ram.Step > 0 || ram.Unit != m_unit || ram.Values.size() >= MemoryCapacity)
            ram = MemorySeries{"RAM01", 0.0, m_unit, {}};
        ram.Values.append(Reading(now));
    }
    Change("ram", QByteArray::number(ram.Values.size()));
}

QList<QByteArray> GaugeCore::Report() const {
    static constexpr const char* PeakLines[] = {"PEAK: OFF", "PEAK+", "PEAK-"};
    QList<QByteArray> lines{
        Line("MODEL: " + m_model),
        Line("S/N: " + m_serial),
        Line("UNIT: " + m_unit),
        Line(PeakLines[m_peak]),
    };
    if (m_family == Units::Family::Force)
        lines.append(Line(m_speed ? "SPEED: FAST" : "SPEED: SLOW"));
    lines += {
        Line("ACQ.MAX: " + QByteArray::number(m_countMax)),
        Line(m_acquisition ? "ACQ.M.: AUTO" : "ACQ.M.: MANUAL"),
        Line("ACQ.C.: " + QByteArray::number(m_count)),
        Line("ACQ.T.: " + LineFormat::Plain(m_sampleTime, 1) + " s"),
        Line("THRMIN: " + LineFormat::ReportNumber(m_thrMin)),
        Line("THRMAX: " + LineFormat::ReportNumber(m_thrMax)),
        Line("THRZER: " + LineFormat::ReportNumber(m_thrZero)),
        Line(m_thrOn ? "THR: ON" : "THR: OFF"),
        Line("ACCEL.: " + LineFormat::Plain(m_acceleration, 2) + " m/s2"),
    };
    return lines;
}

QByteArray GaugeCore::Sample(double value) const {
    const QByteArray digits = LineFormat::Magnitude(value, m_decimals, 10);
    return (LineFormat::IsNegative(value, digits) ? "-" : "") + digits;
}

QList<QByteArray> GaugeCore::Dump(int index) const {
    const MemorySeries& series = m_memories.at(index);
    QList<QByteArray> lines{Line("COUNT: " + QByteArray::number(series.Values.size()))};
    if (series.Values.isEmpty())
        return lines;
    // The unit takes the last three characters of the line.
    const QByteArray unit = ' ' + series.Unit.leftJustified(3, ' ');
    double sum = 0;
    for (double v : series.Values)
        sum += v;
    lines.append(Line("FILE: " + series.Name));
    lines.append(Line(series.Step > 0 ? "SMP.TIME: " + LineFormat::Plain(series.Step, 1) + " sek"
                                      : QByteArray("SMP.TIME: ---")));
    lines.append(Line("AVERAGE: " + Sample(sum / series.Values.size()) + unit));
    for (qsizetype i = 0; i < series.Values.size(); ++i) {
        // Three digits, wrapping after 999 as the gauge's own counter does.
        const QByteArray number = QByteArray::number((i + 1) % 1000).rightJustified(3, '0');
        lines.append(Line("SMP." + number + ": " + Sample(series.Values.at(i)) + unit));
    }
    return lines;
}

QByteArray GaugeCore::StateWords() const {
    const auto word = [](const char* key, const QByteArray& value) {
        QByteArray escaped = LineFormat::Escape(value);
        escaped.replace(' ', "\\s");
        return QByteArray(key) + '=' + escaped;
    };
    const auto flag = [](bool on) { return on ? QByteArray("on") : QByteArray("off"); };
    const QList<QByteArray> words{
        word("model", m_model),
        word("family", QByteArray::number(int(m_family))),
        word("serial", m_serial),
        word("unit", m_unit),
        word("peak", PeakNames[m_peak]),
        word("speed", m_speed ? "fast" : "slow"),
        word("sampletime", LineFormat::Plain(m_sampleTime)),
        word("acquisition", m_acquisition ? "auto" : "manual"),
        word("count", QByteArray::number(m_count)),
        word("countmax", QByteArray::number(m_countMax)),
        word("thrmin", LineFormat::Plain(m_thrMin, 1)),
        word("thrmax", LineFormat::Plain(m_thrMax, 1)),
        word("thrzero", LineFormat::Plain(m_thrZero, 1)),
        word("thresholds", flag(m_thrOn)),
        word("acceleration", LineFormat::Plain(m_acceleration, 2)),
        word("battery", QByteArray::number(m_battery)),
        word("power", flag(m_powered)),
        word("standby", flag(m_standby)),
        word("streaming", flag(m_streaming)),
        word("tare", LineFormat::Plain(m_tareBase * PerBase(), 1)),
        word("ram", QByteArray::number(m_memories[0].Values.size())),
        word("eeprom", QByteArray::number(m_memories[1].Values.size())),
        word("sd", QByteArray::number(m_memories[2].Values.size())),
    };
    return words.join(' ');
}
