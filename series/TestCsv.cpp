// CSV files of a test's samples and of the series table.
#include "series/TestCsv.h"

#include <QDir>
#include <QLocale>
#include <QSaveFile>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

QByteArray VerdictWord(Verdict verdict) {
    switch (verdict) {
    case Verdict::Pass:
        return QByteArrayLiteral("pass");
    case Verdict::Fail:
        return QByteArrayLiteral("fail");
    case Verdict::None:
        break;
    }
    return QByteArray();
}

QByteArray OriginWord(TestOrigin origin) {
    switch (origin) {
    case TestOrigin::Download:
        return QByteArrayLiteral("download");
    case TestOrigin::File:
        return QByteArrayLiteral("file");
    case TestOrigin::Run:
        break;
    }
    return QByteArrayLiteral("run");
}

} // namespace

QByteArray TestCsv::Field(const QString& text) {
    QByteArray field = text.toUtf8();
    if (!field.contains(',') && !field.contains('"') && !field.contains('\n') &&
        !field.contains('\r'))
        return field;
    field.replace('"', "\"\"");
    return '"' + field + '"';
}

QByteArray TestCsv::Number(double value) {
    // QByteArray's numbers never follow the locale.
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray TestCsv::Line(const QList<QByteArray>& fields) {
    return fields.join(',') + LineEnd;
}

QByteArray TestCsv::SamplesHeader(const QString& unit) {
    return Line({Field(QStringLiteral("time [s]")), Field(QStringLiteral("value [%1]").arg(unit))});
}

QByteArray TestCsv::Samples(const TestRecord& record) {
    QByteArray text = SamplesHeader(record.Context.Unit);
    text.reserve(text.size() + record.Samples.size() * 24);
    for (const QPointF& sample : record.Samples)
        text += Number(sample.x()) + ',' + Number(sample.y()) + LineEnd;
    return text;
}

QByteArray TestCsv::Table(const QList<TestRecord>& records) {
    QByteArray text = Line({"name",
                            "start",
                            "origin",
                            "model",
                            "serial number",
                            "unit",
                            "samples",
                            "sample time [s]",
                            "duration [s]",
                            "min",
                            "max",
                            "mean",
                            "peak",
                            "peak time [s]",
                            "verdict",
                            "lower threshold",
                            "upper threshold",
                            "operator",
                            "part",
                            "note"});
    for (const TestRecord& record : records) {
        const TestContext& context = record.Context;
        // Without thresholds both fields stay empty: no bound is not a bound of zero.
        const QByteArray low = context.Limits ? Number(context.Limits->Low) : QByteArray();
        const QByteArray high = context.Limits ? Number(context.Limits->High) : QByteArray();
        text += Line({Field(record.Name),
                      context.Start.isValid() ? context.Start.toString(Qt::ISODate).toLatin1()
                                              : QByteArray(),
                      OriginWord(context.Origin),
                      Field(context.Model),
                      Field(context.SerialNumber),
                      Field(context.Unit),
                      QByteArray::number(record.SampleCount),
                      Number(context.SampleTime),
                      Number(record.Duration),
                      Number(record.Min),
                      Number(record.Max),
                      Number(record.Mean),
                      Number(record.Peak),
                      Number(record.PeakTime),
                      VerdictWord(record.Result),
                      low,
                      high,
                      Field(context.Operator),
                      Field(context.Part),
                      Field(context.Note)});
    }
    return text;
}

bool TestCsv::Save(const QString& path, const QByteArray& text, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    if (error)
        *error = tr("Nie można zapisać pliku %1: %2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}
