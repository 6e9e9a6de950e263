// The reply side's reading of the settings report and of a memory's dump.
#include "protocol/ProcessData.h"

#include "protocol/DeviceModel.h"
#include "protocol/Numbers.h"
#include "state/GaugeState.h"
#include "state/Messages.h"

#include <algorithm>
#include <optional>

namespace {

// The value of a "KEYWORD: value" line: after the first ":", or the whole line.
QString ValueOf(const QString& line) {
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    return (colon < 0 ? line : line.mid(colon + 1)).trimmed();
}

// Text between the first occurrence of 'from' (or the start) and the first 'to'.
QString Between(const QString& line, QLatin1String from, QLatin1String to) {
    const qsizetype start = line.indexOf(from);
    const qsizetype begin = start < 0 ? 0 : start + from.size();
    const qsizetype end = line.indexOf(to);
    if (end < begin)
        return {};
    return line.mid(begin, end - begin).trimmed();
}

// The unit of a dump stands in the last three characters of its "AVERAGE" line. Torque
// units are longer ("N*cm", "lbf*in"): where the last word is such a unit, the whole word is
// the unit, or every sample line would lose part of its number with the cut-off unit. A unit
// written straight behind its value ("12.50N") is the part from the first letter.
QString DownloadUnit(const QString& line) {
    const QString lastThree = line.right(3).trimmed();
    const QString lastWord = line.trimmed().section(QLatin1Char(' '), -1);
    if (lastWord.isEmpty() || lastWord.contains(QLatin1Char(':')))
        return lastThree;
    if (lastWord.front().isLetter())
        return lastWord.size() > 3 && lastWord.endsWith(lastThree) ? lastWord : lastThree;
    const auto letter =
        std::find_if(lastWord.cbegin(), lastWord.cend(), [](QChar c) { return c.isLetter(); });
    const qsizetype at = letter - lastWord.cbegin();
    if (at > 0 && at < lastWord.size() && ReadNumber(lastWord.left(at)))
        return lastWord.mid(at);
    return lastThree;
}

} // namespace

void ProcessData::ProcessSettings() {
    for (qsizetype crlf = Rest().indexOf(QByteArrayView("\r\n")); crlf >= 0;
         crlf = Rest().indexOf(QByteArrayView("\r\n"))) {
        const QString line = QString::fromLatin1(Rest().first(crlf));
        Consume(crlf + 2);
        HandleSettingsLine(line);
    }
}

void ProcessData::HandleSettingsLine(const QString& line) {
    const auto has = [&line](const char* keyword) { return line.contains(QLatin1String(keyword)); };
    const auto thresholdText = [&line]() {
        const qsizetype minus = line.indexOf(QLatin1Char('-'));
        if (minus < 0)
            return ValueOf(line);
        return QStringLiteral("-") + line.mid(minus + 1).trimmed();
    };
    // Any other line ends a run of stream lines.
    const int streamLinesBefore = m_continuousLines;
    m_continuousLines = 0;

    if (has("MODEL")) {
        IdentifyDevice(ValueOf(line));
    } else if (has("S/N")) {
        m_settings.SetSerialNumber(ValueOf(line));
    } else if (has("UNIT")) {
        const qsizetype index = m_settings.Units().indexOf(ValueOf(line));
        if (index >= 0)
            m_settings.SetUnitIndex(int(index));
    } else if (has("PEAK")) {
        // A plain "PEAK" turns it off and keeps the direction shown.
        if (has("PEAK+"))
            m_settings.SetPeak(true, GaugeSettings::Push);
        else if (has("PEAK-"))
            m_settings.SetPeak(true, GaugeSettings::Pull);
        else
            m_settings.SetPeakOn(false);
    } else if (has("SPEED")) {
        m_settings.SetSpeed(has("FAST") ? GaugeSettings::Fast : GaugeSettings::Slow);
    } else if (has("ACQ.MAX")) {
        m_settings.SetSampleCountMax(ValueOf(line));
    } else if (has("ACQ.M.")) {
        m_settings.SetAcquisition(has("AUTO") ? GaugeSettings::Auto : GaugeSettings::Manual);
    } else if (has("ACQ.C.")) {
        m_settings.Report(SettingText::SampleCount, ValueOf(line));
    } else if (has("ACQ.T.")) {
        m_settings.Report(SettingText::SampleTime,
                          Between(line, QLatin1String(":"), QLatin1String("s")));
    } else if (has("THRMIN")) {
        m_settings.Report(SettingText::Low, thresholdText());
    } else if (has("THRMAX")) {
        m_settings.Report(SettingText::High, thresholdText());
    } else if (has("THRZER")) {
        m_settings.Report(SettingText::Zero, thresholdText());
    } else if (has("THR")) {
        m_settings.SetThresholdsOn(has("ON"));
    } else if (has("ACCEL.")) {
        m_settings.SetText(SettingText::Acceleration,
                           Between(line, QLatin1String(":"), QLatin1String("m/s2")));
        m_exchange.Settle();
        emit SettingsReportEnded();
    } else if (line.size() == ContinuousLineLength) {
        m_continuousLines = streamLinesBefore + 1;
        if (m_continuousLines == ContinuousLinesForWarning && !Gauge().ContinuousWarningShown) {
            Warn(tr("Wysyłanie ciągłe"),
                 tr("Nie można nawiązac komunikacji z siłomierzem.") + QLatin1Char('\n') +
                     tr("Wyłącz wysyłanie ciągłe w urządzeniu."),
                 MessageIcon::Warning);
            Gauge().ContinuousWarningShown = true;
        }
    }
}

void ProcessData::IdentifyDevice(const QString& model) {
    // The family first: what shows the model shows the ranges of its family.
    Gauge().DeviceFamily = DeviceModel::FamilyOf(model);
    m_settings.SetModel(model);
    m_settings.SetSpeedChoice(Gauge().DeviceFamily == Family::Force);
    m_settings.SetSampleCountMax(QString::number(DeviceModel::IdentifiedSampleCountMax));
    m_settings.SetUnits(DeviceModel::UnitListFor(Gauge().DeviceFamily, model));
}

// --- Download of a stored series. ----------------------------------------------------------

void ProcessData::ProcessDownload() {
    for (qsizetype crlf = Rest().indexOf(QByteArrayView("\r\n")); crlf >= 0;
         crlf = Rest().indexOf(QByteArrayView("\r\n"))) {
        const QString line = QString::fromLatin1(Rest().first(crlf));
        if (!HandleDownloadLine(line))
            return; // the failing line stays in the buffer
        Consume(crlf + 2);
        // Whatever came after the line that ended the download (a repeated dump, the next
        // reply) is not part of this series: it waits for the exchange now under way.
        if (Gauge().ExchangeState != ExchangeState::Downloading)
            return;
    }
}

void ProcessData::EndDownload() {
    m_exchange.Settle();
    emit StatusText(tr("Pobieranie próbek zakończone."));
    emit DownloadEnded();
}

void ProcessData::AbandonDownload() {
    if (Gauge().ExchangeState != ExchangeState::Downloading || m_droppingDownload)
        return;
    if (Gauge().DownloadCount > 0 && m_downloadedSamples < Gauge().DownloadCount) {
        m_droppingDownload = true;
        emit StatusText(tr("Pobieranie przerwane, siłomierz kończy wysyłanie..."));
        return;
    }
    m_exchange.Settle();
    emit StatusText(tr("Pobieranie próbek przerwane."));
}

void ProcessData::DropDownloadLine(const QString& line) {
    if (!line.contains(QLatin1String("SMP.")) || line.contains(QLatin1String("SMP.TIME")))
        return;
    if (++m_downloadedSamples < Gauge().DownloadCount)
        return;
    m_droppingDownload = false;
    m_exchange.Settle();
    emit StatusText(tr("Pobieranie próbek przerwane."));
}

bool ProcessData::HandleDownloadLine(const QString& line) {
    const auto has = [&line](const char* keyword) { return line.contains(QLatin1String(keyword)); };
    // A count opens a dump of its own, even behind an abandoned one cut short.
    if (m_droppingDownload && !has("COUNT")) {
        DropDownloadLine(line);
        return true;
    }
    if (has("COUNT")) {
        m_droppingDownload = false;
        Gauge().DownloadCount = ReadInteger(ValueOf(line)).value_or(0);
        m_downloadedSamples = 0;
        if (Gauge().DownloadCount == 0) {
            EndDownload();
        } else {
            Gauge().LowThreshold = ReadThreshold(m_settings.Text(SettingText::Low));
            Gauge().HighThreshold = ReadThreshold(m_settings.Text(SettingText::High));
        }
    } else if (has("FILE")) {
        emit SeriesNamed(ValueOf(line));
    } else if (has("SMP.TIME")) {
        if (has("sek")) {
            Gauge().SampleTime =
                ReadNumber(Between(line, QLatin1String(":"), QLatin1String("sek"))).value_or(0.0);
            if (Gauge().SampleTime > 0) {
                emit TimeAxisNamed(tr("Czas") + QStringLiteral(" [s]"));
            } else {
                m_exchange.Settle();
                Warn(tr("Operacja przerwana"), tr("Niepoprawna wartość czasu próbkowania"),
                     MessageIcon::Warning);
            }
        } else {
            Gauge().SampleTime = 1;
            emit TimeAxisNamed(tr("Numer próbki"));
        }
    } else if (has("AVERAGE")) {
        const QString unit = DownloadUnit(line);
        if (!UnitFits(unit)) {
            Warn(tr("Niezgodność jednostek"),
                 tr("Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść "
                    "wykres przed pobraniem nowych próbek."),
                 MessageIcon::Warning);
        } else {
            Gauge().SampleUnit = unit;
            emit SeriesUnitNamed(unit);
        }
    } else if (has("SMP.")) {
        // The unit is cut off: where it stands, or as the last three characters.
        QString sample = line;
        const qsizetype unitAt =
            Gauge().SampleUnit.isEmpty() ? -1 : sample.indexOf(Gauge().SampleUnit);
        if (unitAt >= 0)
            sample.truncate(unitAt);
        const qsizetype length = unitAt >= 0 ? sample.size() : sample.size() - 3;
        const qsizetype minus = sample.indexOf(QLatin1Char('-'));
        const qsizetype from = minus >= 0 ? minus : sample.indexOf(QLatin1Char(':'));
        const QString digits = sample.mid(from + 1, std::max<qsizetype>(0, length - from - 1));
        const std::optional<double> parsed = ReadNumber(digits.trimmed());
        if (!parsed) {
            m_exchange.Settle();
            Warn(tr("Operacja przerwana"), tr("Niepoprawna wartość próbki"), MessageIcon::Warning);
            return false;
        }
        emit SampleTaken(Gauge().SampleTime, minus >= 0 ? -*parsed : *parsed);
        ++m_downloadedSamples;
        emit DownloadProgress(m_downloadedSamples, Gauge().DownloadCount);
        const qsizetype numberAt = line.indexOf(QLatin1String("SMP.")) + 4;
        const int number = ReadInteger(line.mid(numberAt, 3)).value_or(0);
        // Sample numbers have three digits; a longer series ends by its count of lines.
        if (number == Gauge().DownloadCount ||
            (Gauge().DownloadCount > 0 && m_downloadedSamples == Gauge().DownloadCount))
            EndDownload();
    }
    return true;
}
