#include "protocol/ProcessData.h"

#include "protocol/DeviceModel.h"
#include "protocol/Numbers.h"
#include "protocol/OrderSet.h"
#include "state/GaugeState.h"
#include "state/Messages.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// Text of the 1-based positions from..to of a line (clamped to the line).
QString Columns(QByteArrayView line, qsizetype from, qsizetype to) {
    from = std::max<qsizetype>(from, 1);
    to = std::min<qsizetype>(to, line.size());
    if (to < from)
        return {};
    return QString::fromLatin1(line.sliced(from - 1, to - from + 1));
}

// The same positions as bytes, for the numbers read on every line.
QByteArrayView Bytes(QByteArrayView line, qsizetype from, qsizetype to) {
    from = std::max<qsizetype>(from, 1);
    to = std::min<qsizetype>(to, line.size());
    if (to < from)
        return {};
    return line.sliced(from - 1, to - from + 1);
}

QChar At(QByteArrayView line, qsizetype position) {
    if (position < 1 || position > line.size())
        return QChar();
    return QLatin1Char(line[position - 1]);
}

} // namespace

ProcessData::ProcessData(GaugeSettings& settings, ExchangeControl& exchange, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_exchange(exchange) {}

QString ProcessData::SampleTitle(const QString& unit) {
    return tr("Próbka") + QStringLiteral(" [") + unit + QStringLiteral("]");
}

QByteArray ProcessData::IncomingBuffer() const {
    return m_buffer.mid(m_start);
}

void ProcessData::ResetIncoming() {
    m_continuousLines = 0;
    m_droppingDownload = false;
    m_buffer.clear();
    m_start = 0;
}

QByteArrayView ProcessData::Rest() const {
    return QByteArrayView(m_buffer).sliced(m_start);
}

void ProcessData::Consume(qsizetype count) {
    m_start = std::min(m_start + count, m_buffer.size());
}

void ProcessData::Compact() {
    if (m_start > 0) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
}

namespace {
// Drops the oldest text up to a line end, so that what stays starts with a whole line.
void KeepWithinLimit(QByteArray& text, qsizetype limit) {
    if (text.size() <= limit)
        return;
    const qsizetype excess = text.size() - limit;
    const qsizetype lineEnd = text.indexOf('\n', excess - 1);
    text.remove(0, lineEnd >= 0 ? lineEnd + 1 : excess);
}
} // namespace

void ProcessData::Append(const QByteArray& text) {
    Compact();
    m_buffer.append(text);
    KeepWithinLimit(m_buffer, IncomingLimit);
}

void ProcessData::ProcessIncoming(const QByteArray& text) {
    try {
        Append(text);
        Dispatch();
    } catch (...) {
        // Reply processing never fails towards the link; what was not consumed stays.
    }
    Compact();
    // The buffer is consistent now: a listener showing a message box may run an event loop
    // in which more text arrives and is read in a pass of its own.
    for (const PendingWarning& warning : std::exchange(m_warnings, {}))
        emit Warning(warning.Title, warning.Text, warning.Icon);
}

void ProcessData::Warn(const QString& title, const QString& text, MessageIcon icon) {
    m_warnings.append({title, text, icon});
}

void ProcessData::Dispatch() {
    switch (Gauge().ExchangeState) {
    case ExchangeState::Confirming:
        ProcessConfirming();
        break;
    case ExchangeState::ReadingDisplay:
        ProcessDisplay();
        break;
    case ExchangeState::ReadingSettings:
        ProcessSettings();
        break;
    case ExchangeState::Streaming:
        ProcessStreaming();
        break;
    case ExchangeState::Downloading:
        ProcessDownload();
        break;
    case ExchangeState::RawCapture:
    default:
        break;
    }
}

// --- Confirming: each complete line is checked against the awaited confirmation. ---------

void ProcessData::ProcessConfirming() {
    for (;;) {
        const qsizetype crlf = Rest().indexOf(QByteArrayView("\r\n"));
        if (crlf < 0)
            return;
        const qsizetype consumed = HandleConfirmation();
        // The loop always makes progress: a handler that cut nothing drops the first line.
        Consume(consumed > 0 ? consumed : crlf + 2);
    }
}

qsizetype ProcessData::HandleConfirmation() {
    const QByteArrayView rest = Rest();
    const auto has = [&rest](const char* marker) { return rest.contains(QByteArrayView(marker)); };
    const auto confirm = [&](const char* marker, const QString& status) {
        if (has(marker))
            emit StatusText(status);
    };

    switch (Gauge().AwaitedReply) {
    case Reply::Tare:
        confirm("MT", tr("Siłomierz wyzerowany"));
        break;
    case Reply::OnOff:
        if (has("MS0"))
            emit StatusText(tr("Siłomierz wyłączony"));
        else if (has("MS1"))
            emit StatusText(tr("Siłomierz włączony"));
        break;
    case Reply::Standby:
        if (has("Ms0"))
            emit StatusText(tr("Siłomierz w trybie oczekiwania"));
        else if (has("Ms1"))
            emit StatusText(tr("Siłomierz włączony"));
        break;
    case Reply::LowThreshold:
        confirm("ML", tr("Dolny próg ustawiony"));
        break;
    case Reply::HighThreshold:
        confirm("MH", tr("Górny próg ustawiony"));
        break;
    case Reply::Unit:
        if (has("Mu")) {
            emit StatusText(tr("Jednostka zmieniona"));
            // Ask for a reading in the new unit; its answer is a display line.
            emit StatusText(tr("Odczyt stabilnego wskazania..."));
            m_exchange.IssueOrder(OrderSet::Order::Display, {}, true);
        }
        break;
    case Reply::PeakOff:
        confirm("Mp0", tr("Tryb PEAK wyłączony"));
        break;
    case Reply::PeakPush:
        confirm("Mp1", tr("Tryb PEAK + włączony"));
        break;
    case Reply::PeakPull:
        confirm("Mp2", tr("Tryb PEAK - włączony"));
        break;
    case Reply::Mem:
        confirm("Mm", tr("Operacja MEM wywołana"));
        break;
    case Reply::SpeedSlow:
    case Reply::SpeedFast: {
        const bool fast = Gauge().AwaitedReply == Reply::SpeedFast;
        if (has(fast ? "Mf1" : "Mf0")) {
            emit StatusText(fast ? tr("Szybkość zmieniona na FAST")
                                 : tr("Szybkość zmieniona na SLOW"));
            // The new speed brings a new sampling-time range: the report is read again.
            emit SpeedConfirmed();
        }
        break;
    }
    case Reply::AcqManual:
        confirm("Ma0", tr("Tryb akwizycji zmieniony na ręczny"));
        break;
    case Reply::AcqAuto:
        confirm("Ma1", tr("Tryb akwizycji zmieniony na automatyczny"));
        break;
    case Reply::SampleCount:
        if (has("Mv")) {
            emit StatusText(tr("Liczba próbek ustawiona"));
            HandleSampleCount(rest);
        }
        break;
    case Reply::SampleTime:
        confirm("Mt", tr("Czas próbkowania ustawiony"));
        break;
    case Reply::ThresholdsOff:
        confirm("Mk0", tr("Progi wyłączone"));
        break;
    case Reply::ThresholdsOn:
        confirm("Mk1", tr("Progi włączone"));
        break;
    case Reply::StreamOff:
        return HandleStreamEnd();
    case Reply::Battery:
        if (has("Vbat"))
            HandleBattery(rest);
        break;
    case Reply::ResetMemory:
        confirm("Mr", tr("Pomiary zresetowane"));
        break;
    case Reply::Acceleration:
        confirm("Mn", tr("Przyspieszenie ustawione"));
        break;
    default:
        break; // no confirmation belongs to this code: the line is dropped
    }
    return -1;
}

// The gauge confirms the end of continuous sending while measurement lines may still be
// arriving in front of the confirmation.
qsizetype ProcessData::HandleStreamEnd() {
    const QByteArrayView rest = Rest();
    const qsizetype end = rest.indexOf(QByteArrayView("Me0"));
    if (end >= 0) {
        m_exchange.EndRun();
        return std::min(end + 5, rest.size()); // the marker and its CR LF
    }
    const qsizetype reply = rest.indexOf('M');
    if (reply >= 0)
        return reply;   // the start of a reply stays for the next call
    return rest.size(); // only measurement lines
}

void ProcessData::HandleSampleCount(QByteArrayView rest) {
    const qsizetype marker = rest.indexOf(QByteArrayView("Mv"));
    const qsizetype cr = rest.indexOf('\r');
    if (marker < 0 || cr - marker < 3)
        return;
    const QString reported = QString::fromLatin1(rest.sliced(marker + 2, cr - marker - 1));
    const QString count = QString::number(ReadInteger(reported).value_or(0));
    if (count != m_settings.Text(SettingText::SampleCount)) {
        m_settings.SetText(SettingText::SampleCount, count);
        Warn(tr("Za duża liczba próbek"), tr("Ustawiono maksymalną liczbę próbek."),
             MessageIcon::Information);
    }
}

void ProcessData::HandleBattery(QByteArrayView rest) {
    const qsizetype percentSign = rest.indexOf('%');
    if (percentSign < 0)
        return;
    const qsizetype equals = rest.indexOf('=');
    int percent = -1;
    if (equals >= 0 && equals < percentSign)
        percent =
            ReadInteger(QString::fromLatin1(rest.sliced(equals + 1, percentSign - equals - 1)))
                .value_or(-1);
    if (percent < 1)
        return;
    emit BatteryRead(percent);
}

// --- Reading the display: one fixed-column line per call. ---------------------------------

void ProcessData::ProcessDisplay() {
    for (;;) {
        const QByteArrayView rest = Rest();
        const qsizetype lf = rest.indexOf('\n');
        const qsizetype n = lf + 1; // 1-based position of the line feed, 0 when there is none
        if (n >= 16) {
            const bool shown = HandleDisplayReading(rest.first(n));
            Consume(n);
            // A long line that is no reading (noise) must not hold back the ones behind it:
            // one per call, a backlog of them kept the panel behind for minutes.
            if (shown)
                return;
            continue;
        }
        if (rest.contains(QByteArrayView("MQ"))) {
            emit StatusText(tr("Nie można wykonać rozkazu"));
            return;
        }
        if (n == 0)
            return;
        // Only the short line goes (a stream line of a gauge left sending, noise): a serial
        // link hands over several lines at once, and the reading behind it must still count.
        Consume(n);
    }
}

bool ProcessData::HandleDisplayReading(QByteArrayView line) {
    if (At(line, 11) != QLatin1Char(' '))
        return false;
    if (!ReadNumber(Bytes(line, 3, 10)))
        return false;
    qsizetype unitEnd = line.size() - 1; // before the LF
    if (unitEnd >= 1 && line[unitEnd - 1] == '\r')
        --unitEnd;
    const QString caption = QString(At(line, 1)) +
                            NormalizeDecimalSeparator(Columns(line, 2, 11).trimmed()) +
                            QLatin1Char(' ') + Columns(line, 12, unitEnd).trimmed();
    m_settings.SetReading(caption);
    Gauge().PortConfigured = true;
    emit ReadingTaken();
    emit StatusText(tr("Wynik odczytany"));
    return true;
}

// --- Streaming: every reading line of an on-line run is a sample. --------------------------

void ProcessData::ProcessStreaming() {
    const std::uint8_t family = Gauge().DeviceFamily;
    if (family == Family::Force) {
        qsizetype n = Rest().indexOf('\n') + 1;
        if (n >= 9 && Rest().first(n).contains(QByteArrayView("Mnewfile"))) {
            emit ResultsFileStarted();
            Consume(n);
        } else {
            while (n >= 16) {
                HandleStreamLineFamily0(Rest().first(n));
                Consume(n);
                n = Rest().indexOf('\n') + 1;
            }
        }
    } else if (family == Family::ForceFC || family == Family::Torque) {
        for (qsizetype lf = Rest().indexOf('\n'); lf >= 0; lf = Rest().indexOf('\n')) {
            HandleStreamLineFamily12(Rest().first(lf + 1));
            Consume(lf + 1);
        }
    }
    // One short line at the front is discarded; what follows it waits for the next call.
    const qsizetype n = Rest().indexOf('\n') + 1;
    if (n >= 1 && n <= 15)
        Consume(n);
}

bool ProcessData::UnitFits(const QString& unit) const {
    return Gauge().SampleStats.Count == 0 || Gauge().SampleUnit.isEmpty() ||
           Gauge().SampleUnit == unit;
}

void ProcessData::ReportUnitConflict() {
    m_exchange.EndRun();
    Warn(tr("Niezgodność jednostek"),
         tr("Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść wykres "
            "przed pobraniem nowych próbek."),
         MessageIcon::Warning);
}

// A data set without samples takes the unit of the first one that comes.
void ProcessData::NameSeriesUnit(const QString& unit) {
    if (Gauge().SampleStats.Count > 0 && !Gauge().SampleUnit.isEmpty())
        return;
    Gauge().SampleUnit = unit;
    emit SeriesUnitNamed(unit);
}

void ProcessData::TakeStreamSample(const QString& unit, double value) {
    if (!UnitFits(unit)) {
        ReportUnitConflict();
        return;
    }
    NameSeriesUnit(unit);
    emit SampleTaken(Gauge().SampleTime, value);
    if (Gauge().ResultsFileActive)
        emit ResultTaken(value);
}

void ProcessData::HandleStreamLineFamily0(QByteArrayView line) {
    const qsizetype n = line.size();
    if (At(line, n - 5) != QLatin1Char(' '))
        return;
    const std::optional<double> parsed = ReadNumber(Bytes(line, n - 13, n - 6));
    if (!parsed)
        return;
    const double value = At(line, n - 15) == QLatin1Char('-') ? -*parsed : *parsed;
    const QString unit = Columns(line, n - 4, n - 2).trimmed();
    m_settings.SetReading(QString(At(line, n - 15)) +
                          NormalizeDecimalSeparator(Columns(line, n - 14, n - 5).trimmed()) +
                          QLatin1Char(' ') + unit);
    if (Gauge().MeasurementRunning)
        TakeStreamSample(unit, value);
    Gauge().PortConfigured = true;
    emit ReadingTaken();
    emit StatusText(tr("Wynik odczytany"));
}

void ProcessData::HandleStreamLineFamily12(QByteArrayView line) {
    const qsizetype n = line.size();
    if (line.contains(QByteArrayView("Mnewfile"))) {
        emit ResultsFileStarted();
        return;
    }
    const qsizetype unitMarker = line.indexOf(QByteArrayView("Munit"));
    if (unitMarker >= 0) {
        const QString unit = Columns(line, unitMarker + 1 + 5, n - 2).trimmed();
        const QString selected = m_settings.UnitName();
        if (Gauge().SampleStats.Count > 0 && !selected.isEmpty() && unit != selected) {
            m_exchange.EndRun();
            Warn(tr("Zmiana jednostki"),
                 tr("Nastąpiła zmiana jednostki w urządzeniu.") + QLatin1Char('\n') +
                     tr("Jednostka w urządzeniu nie zgadza się z jednostką na wykresie.") +
                     QLatin1Char('\n') + tr("Wyłączono pomiar online"),
                 MessageIcon::Information);
        }
        return;
    }
    if (n < 9)
        return;
    const std::optional<double> parsed = ReadNumber(Bytes(line, n - 7, n - 2));
    if (!parsed)
        return;
    const double value = At(line, n - 8) == QLatin1Char('-') ? -*parsed : *parsed;
    if (!Gauge().MeasurementRunning)
        return;
    // These lines carry no unit: the last display reading tells it.
    TakeStreamSample(m_settings.ReadingUnit(), value);
}

std::optional<double> ProcessData::ParseCaptureLine(QByteArrayView line) {
    if (line.size() != ContinuousLineLength)
        return std::nullopt;
    const std::optional<double> value = ReadNumber(line.sliced(1));
    if (!value)
        return std::nullopt;
    return line[0] == '-' ? -*value : *value;
}

// --- Settings report: one keyword line per setting, "ACCEL." closes it. -------------------
