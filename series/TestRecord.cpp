// Making a test record from its samples, and judging it.
#include "series/TestRecord.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

Verdict VerdictFor(double peak, const std::optional<Tolerance>& limits) {
    if (!limits)
        return Verdict::None;
    return peak >= limits->Low && peak <= limits->High ? Verdict::Pass : Verdict::Fail;
}

std::optional<TestRecord> TestRecord::Make(const TestContext& context,
                                           const QList<QPointF>& samples) {
    return Make(context, samples.size(), [&samples](qsizetype i) { return samples[i]; });
}

std::optional<TestRecord> TestRecord::Make(const TestContext& context, qsizetype count,
                                           const std::function<QPointF(qsizetype)>& sampleAt) {
    TestRecord record;
    record.Context = context;
    record.Samples.reserve(count);
    double sum = 0.0;
    double origin = 0.0;
    bool broken = false;
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF sample = sampleAt(i);
        if (!std::isfinite(sample.x()) || !std::isfinite(sample.y())) {
            broken = !record.Samples.isEmpty();
            continue;
        }
        if (record.Samples.isEmpty()) {
            origin = sample.x();
            record.Min = record.Max = record.Peak = sample.y();
        }
        if (broken) {
            record.Gaps.append({record.Samples.back().x(), sample.x() - origin});
            broken = false;
        }
        record.Samples.append(QPointF(sample.x() - origin, sample.y()));
        record.Min = std::min(record.Min, sample.y());
        record.Max = std::max(record.Max, sample.y());
        // The first of equal magnitudes is the peak: the moment the part gave way.
        if (std::abs(sample.y()) > std::abs(record.Peak)) {
            record.Peak = sample.y();
            record.PeakTime = record.Samples.back().x();
        }
        sum += sample.y();
    }
    if (record.Samples.isEmpty())
        return std::nullopt;
    record.SampleCount = int(record.Samples.size());
    record.Duration = record.Samples.back().x();
    record.Mean = sum / record.SampleCount;
    record.Result = VerdictFor(record.Peak, context.Limits);
    return record;
}

QString TestTexts::VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Pass:
        return tr("zgodny");
    case Verdict::Fail:
        return tr("niezgodny");
    case Verdict::None:
        break;
    }
    return tr("bez oceny");
}

QString TestTexts::OriginText(TestOrigin origin) {
    switch (origin) {
    case TestOrigin::Download:
        return tr("pobrane dane");
    case TestOrigin::File:
        return tr("plik danych");
    case TestOrigin::Run:
        break;
    }
    return tr("pomiar on-line");
}

QString TestTexts::DefaultName(int number) {
    return tr("Test %1").arg(number);
}

QString TestTexts::NoteWithGaps(const QString& note, const QList<TestGap>& gaps) {
    if (gaps.isEmpty())
        return note;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QStringList spans;
    for (const TestGap& gap : gaps)
        spans << QStringLiteral("%1–%2 s").arg(locale.toString(gap.Start, 'g', 7),
                                               locale.toString(gap.End, 'g', 7));
    const QString line =
        tr("Przerwa w połączeniu z miernikiem: %1").arg(spans.join(QStringLiteral("; ")));
    return note.isEmpty() ? line : note + QLatin1Char('\n') + line;
}

QString TestTexts::GaugeText(const TestContext& context) {
    return (context.Model + QLatin1Char(' ') + context.SerialNumber).trimmed();
}
