// The reply side's reading of the settings report and of a memory's dump.
#include "protocol/ProcessData.h"

#include "protocol/DeviceModel.h"
#include "protocol/Numbers.h"
#include "state/Global.h"
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
    // A field being typed into is not overwritten by the repeated report.
    const auto setEdit = [this](PanelEdit edit, const QString& text) {
        if (!m_target.EditHasFocus(edit))
            m_target.SetEditText(edit, text);
    };
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
        m_target.SetModelText(ValueOf(line));
        IdentifyDevice(m_target.ModelText());
    } else if (has("S/N")) {
        m_target.SetSerialNumberText(ValueOf(line));
    } else if (has("UNIT")) {
        const qsizetype index = m_target.UnitItems().indexOf(ValueOf(line));
        if (index >= 0) {
            m_target.SetTag(TaggedControl::Unit, 1);
            m_target.SetUnitIndex(int(index));
        }
    } else if (has("PEAK")) {
        // The box and the mode group share one mark; it is set again before the second
        // change, or that change would send a PEAK order back in the middle of the report.
        m_target.SetTag(TaggedControl::Peak, 1);
        if (has("PEAK+")) {
            m_target.SetPeakChecked(true);
            m_target.SetTag(TaggedControl::Peak, 1);
            m_target.SetPeakModeIndex(0);
        } else if (has("PEAK-")) {
            m_target.SetPeakChecked(true);
            m_target.SetTag(TaggedControl::Peak, 1);
            m_target.SetPeakModeIndex(1);
        } else {
            m_target.SetPeakChecked(false);
        }
    } else if (has("SPEED")) {
        m_target.SetTag(TaggedControl::Speed, 1);
        m_target.SetSpeedIndex(has("FAST") ? 1 : 0);
    } else if (has("ACQ.MAX")) {
        m_target.SetSampleCountCaption(DeviceModel::SampleCountCaption(ValueOf(line)));
    } else if (has("ACQ.M.")) {
        m_target.SetTag(TaggedControl::Acquisition, 1);
        m_target.SetAcquisitionIndex(has("AUTO") ? 1 : 0);
    } else if (has("ACQ.C.")) {
        setEdit(PanelEdit::SampleCount, ValueOf(line));
    } else if (has("ACQ.T.")) {
        setEdit(PanelEdit::SampleTime, Between(line, QLatin1String(":"), QLatin1String("s")));
    } else if (has("THRMIN")) {
        setEdit(PanelEdit::Low, thresholdText());
    } else if (has("THRMAX")) {
        setEdit(PanelEdit::High, thresholdText());
    } else if (has("THRZER")) {
        setEdit(PanelEdit::Zero, thresholdText());
    } else if (has("THR")) {
        m_target.SetTag(TaggedControl::Thr, 1);
        m_target.SetThrChecked(has("ON"));
    } else if (has("ACCEL.")) {
        m_target.SetEditText(PanelEdit::Acceleration,
                             Between(line, QLatin1String(":"), QLatin1String("m/s2")));
        // A change that raised no click must not swallow the user's next one.
        for (const TaggedControl control :
             {TaggedControl::Unit, TaggedControl::Acquisition, TaggedControl::Peak,
              TaggedControl::Speed, TaggedControl::Thr})
            m_target.SetTag(control, 0);
        m_target.DisableTimer(WindowTimer::Report);
        m_exchange.Settle();
    } else if (line.size() == ContinuousLineLength) {
        m_continuousLines = streamLinesBefore + 1;
        if (m_continuousLines == ContinuousLinesForWarning && !Global.ContinuousWarningShown) {
            ShowMessage(tr("Wysyłanie ciągłe"),
                        tr("Nie można nawiązac komunikacji z siłomierzem.") + QLatin1Char('\n') +
                            tr("Wyłącz wysyłanie ciągłe w urządzeniu."),
                        MessageIcon::Warning);
            Global.ContinuousWarningShown = true;
        }
    }
}

void ProcessData::IdentifyDevice(const QString& model) {
    Global.DeviceFamily = DeviceModel::FamilyOf(model);
    const bool force = Global.DeviceFamily == Family::Force;
    m_target.SetSpeedVisible(force);
    m_target.SetSampleTimeCaption(
        DeviceModel::SampleTimeCaption(Global.DeviceFamily, m_target.SpeedIndex()));
    m_target.SetSampleCountCaption(DeviceModel::SampleCountCaption(QStringLiteral("6400")));
    m_target.SetUnitItems(DeviceModel::UnitListFor(Global.DeviceFamily, model));
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
        if (Global.ExchangeState != ExchangeState::Downloading)
            return;
    }
}

void ProcessData::EndDownload() {
    m_exchange.Settle();
    m_target.SetStatusText(tr("Pobieranie próbek zakończone."));
}

bool ProcessData::HandleDownloadLine(const QString& line) {
    const auto has = [&line](const char* keyword) { return line.contains(QLatin1String(keyword)); };
    if (has("COUNT")) {
        Global.DownloadCount = ReadInteger(ValueOf(line)).value_or(0);
        m_downloadedSamples = 0;
        if (Global.DownloadCount == 0) {
            EndDownload();
        } else {
            Global.LowThreshold = ReadThreshold(m_target.EditText(PanelEdit::Low));
            Global.HighThreshold = ReadThreshold(m_target.EditText(PanelEdit::High));
        }
    } else if (has("FILE")) {
        m_target.SetSeriesName(ValueOf(line));
    } else if (has("SMP.TIME")) {
        if (has("sek")) {
            Global.SampleTime =
                ReadNumber(Between(line, QLatin1String(":"), QLatin1String("sek"))).value_or(0.0);
            if (Global.SampleTime > 0) {
                m_target.SetXTitle(tr("Czas") + QStringLiteral(" [s]"));
            } else {
                m_exchange.Settle();
                ShowMessage(tr("Operacja przerwana"), tr("Niepoprawna wartość czasu próbkowania"),
                            MessageIcon::Warning);
            }
        } else {
            Global.SampleTime = 1;
            m_target.SetXTitle(tr("Numer próbki"));
        }
    } else if (has("AVERAGE")) {
        const QString unit = DownloadUnit(line);
        if (UnitConflicts(unit)) {
            ShowMessage(tr("Niezgodność jednostek"),
                        tr("Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść "
                           "wykres przed pobraniem nowych próbek."),
                        MessageIcon::Warning);
        } else {
            m_target.SetYTitle(SampleTitle(unit));
            Global.SampleUnit = unit;
        }
    } else if (has("SMP.")) {
        // The unit is cut off: where it stands, or as the last three characters.
        QString sample = line;
        const qsizetype unitAt =
            Global.SampleUnit.isEmpty() ? -1 : sample.indexOf(Global.SampleUnit);
        if (unitAt >= 0)
            sample.truncate(unitAt);
        const qsizetype length = unitAt >= 0 ? sample.size() : sample.size() - 3;
        const qsizetype minus = sample.indexOf(QLatin1Char('-'));
        const qsizetype from = minus >= 0 ? minus : sample.indexOf(QLatin1Char(':'));
        const QString digits = sample.mid(from + 1, std::max<qsizetype>(0, length - from - 1));
        const std::optional<double> parsed = ReadNumber(digits.trimmed());
        if (!parsed) {
            m_exchange.Settle();
            ShowMessage(tr("Operacja przerwana"), tr("Niepoprawna wartość próbki"),
                        MessageIcon::Warning);
            return false;
        }
        m_target.AddSample(Global.SampleTime, minus >= 0 ? -*parsed : *parsed);
        ++m_downloadedSamples;
        const qsizetype numberAt = line.indexOf(QLatin1String("SMP.")) + 4;
        const int number = ReadInteger(line.mid(numberAt, 3)).value_or(0);
        // Sample numbers have three digits; a longer series ends by its count of lines.
        if (number == Global.DownloadCount ||
            (Global.DownloadCount > 0 && m_downloadedSamples == Global.DownloadCount))
            EndDownload();
    }
    return true;
}
