// The PDF report of a test or a series, laid out page by page.
#include "storage/export/TestReport.h"

#include "protocol/DeviceModel.h"
#include "protocol/Numbers.h"
#include "series/CurveColor.h"
#include "series/TestSeries.h"
#include "state/GaugeState.h"
#include "storage/export/ReportChart.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

// Fine enough that the reduced curves look as drawn through every sample when zoomed in.
constexpr int Resolution = 600;
constexpr double PageMarginMm = 15.0;
constexpr double FooterHeightMm = 8.0;
constexpr double ChartHeightMm = 100.0;
constexpr double SignatureHeightMm = 20.0;
constexpr double SignatureLineMm = 70.0;
constexpr double SectionGapMm = 5.0;
constexpr double SwatchMm = 2.5;

constexpr double BodyPoints = 9.0;
constexpr double TablePoints = 8.0;
constexpr double SmallPoints = 7.5;
constexpr double HeadingPoints = 11.0;
constexpr double TitlePoints = 16.0;

const QColor PassColor(0, 128, 0);
const QColor FailColor(200, 0, 0);
const QColor RuleColor(160, 160, 160);
const QColor HeaderFill(225, 225, 225);
const QColor StripeFill(245, 245, 245);

QString Value(double value, const QString& unit) {
    const QString number = FormatGeneralLocal(RoundDecimals(value, 4));
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

QString Seconds(double value) {
    return Value(value, QStringLiteral("s"));
}

QString Index(const std::optional<double>& value) {
    return value ? QLocale().toString(*value, 'f', 2) : QStringLiteral("---");
}

QString DateText(const QDateTime& moment) {
    return moment.isValid() ? QLocale().toString(moment, QLocale::ShortFormat)
                            : QStringLiteral("---");
}

QString OrDash(const QString& text) {
    return text.isEmpty() ? QStringLiteral("---") : text;
}

QColor VerdictColor(Verdict verdict) {
    if (verdict == Verdict::Pass)
        return PassColor;
    if (verdict == Verdict::Fail)
        return FailColor;
    return Qt::black;
}

// The different values of one context field over the tests, in their order.
QString Distinct(const QList<TestRecord>& records, QString TestContext::*field) {
    QStringList values;
    for (const TestRecord& record : records) {
        const QString& value = record.Context.*field;
        if (!value.isEmpty() && !values.contains(value))
            values.append(value);
    }
    return values.join(QStringLiteral(", "));
}

// A caption and its value in the report's two-column lists.
struct Field {
    QString Caption;
    QString Value;
    QColor Color = Qt::black;
};

// A column of the table of tests: its share of the width.
struct Column {
    QString Title;
    double Share = 0.0;
    Qt::Alignment Align = Qt::AlignLeft;
};

// Lays the report out page by page and paints it; without a painter it only counts the pages,
// which the footers need before the first is painted.
class ReportPages final {
    Q_DECLARE_TR_FUNCTIONS(TestReport)

public:
    ReportPages(const ReportContent& content, QPdfWriter& writer, QPainter* painter, int pageCount,
                const std::function<bool()>& canceled)
        : m_content(content)
        , m_writer(writer)
        , m_painter(painter)
        , m_pageCount(pageCount)
        , m_canceled(canceled)
        , m_bottom(writer.height() - Mm(FooterHeightMm)) {
        m_body.setPointSizeF(BodyPoints);
        m_bold = m_body;
        m_bold.setBold(true);
        m_small = m_body;
        m_small.setPointSizeF(SmallPoints);
        m_heading = m_bold;
        m_heading.setPointSizeF(HeadingPoints);
        m_title = m_bold;
        m_title.setPointSizeF(TitlePoints);
        m_table = m_body;
        m_table.setPointSizeF(TablePoints);
        m_tableBold = m_bold;
        m_tableBold.setPointSizeF(TablePoints);
        if (!content.Records.isEmpty())
            m_unit = content.Records.front().Context.Unit;
    }

    // False when canceled.
    bool Run() {
        if (Canceled())
            return false;
        Header();
        if (!Chart())
            return false;
        if (m_content.Records.size() == 1) {
            TestResults(m_content.Records.front());
        } else {
            Statistics();
            if (!Table())
                return false;
        }
        if (Canceled())
            return false;
        Signature();
        Footer();
        return true;
    }

    int Pages() const { return m_page; }

private:
    double Mm(double millimetres) const { return millimetres * Resolution / 25.4; }
    double Width() const { return m_writer.width(); }
    double LineHeight(const QFont& font) const {
        return QFontMetricsF(font, &m_writer).height() * 1.3;
    }
    bool Canceled() const { return m_canceled && m_canceled(); }

    void Text(const QRectF& box, int flags, const QString& text, const QFont& font,
              const QColor& color = Qt::black) {
        if (!m_painter)
            return;
        m_painter->setFont(font);
        m_painter->setPen(color);
        m_painter->drawText(box, flags, text);
    }

    QString Elided(const QString& text, const QFont& font, double width) const {
        return QFontMetricsF(font, &m_writer).elidedText(text, Qt::ElideRight, width);
    }

    void Rule(double y) {
        if (!m_painter)
            return;
        m_painter->setPen(QPen(RuleColor, Mm(0.2)));
        m_painter->drawLine(QPointF(0, y), QPointF(Width(), y));
    }

    void NewPage() {
        Footer();
        if (m_painter)
            m_writer.newPage();
        ++m_page;
        m_y = 0.0;
    }

    // Starts a new page unless this much room is left on the current one.
    void Room(double height) {
        if (m_y + height > m_bottom && m_y > 0.0)
            NewPage();
    }

    void Footer() {
        const double line = LineHeight(m_small);
        const double top = m_writer.height() - line;
        Rule(top - Mm(1));
        const QString page = tr("Strona %1 z %2").arg(m_page).arg(m_pageCount);
        Text(QRectF(0, top, Width() * 0.7, line), Qt::AlignLeft | Qt::AlignVCenter,
             Elided(m_content.Title, m_small, Width() * 0.7), m_small);
        Text(QRectF(0, top, Width(), line), Qt::AlignRight | Qt::AlignVCenter, page, m_small);
    }

    void Heading(const QString& text) {
        const double line = LineHeight(m_heading);
        Room(line * 3);
        Text(QRectF(0, m_y, Width(), line), Qt::AlignLeft | Qt::AlignVCenter, text, m_heading);
        m_y += line;
    }

    // Two columns of captions and values, each caption as wide as the widest of its column.
    void Fields(const QList<Field>& left, const QList<Field>& right) {
        const double line = LineHeight(m_body);
        const double half = Width() / 2;
        const QFontMetricsF bold(m_bold, &m_writer);
        const auto column = [&](const QList<Field>& fields, double x) {
            double captionWidth = 0.0;
            for (const Field& field : fields)
                captionWidth = std::max(captionWidth, bold.horizontalAdvance(field.Caption));
            const double valueX = x + captionWidth + Mm(2);
            const double valueWidth = x + half - Mm(3) - valueX;
            double y = m_y;
            for (const Field& field : fields) {
                Text(QRectF(x, y, captionWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                     field.Caption, m_bold);
                Text(QRectF(valueX, y, valueWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                     Elided(field.Value, m_body, valueWidth), m_body, field.Color);
                y += line;
            }
        };
        Room(line * std::max(left.size(), right.size()));
        column(left, 0.0);
        column(right, half);
        m_y += line * std::max(left.size(), right.size()) + Mm(SectionGapMm);
    }

    void Header() {
        const QList<TestRecord>& records = m_content.Records;
        const bool single = records.size() == 1;
        const double small = LineHeight(m_small);
        Text(QRectF(0, m_y, Width(), small), Qt::AlignLeft | Qt::AlignVCenter,
             single ? tr("Raport z testu") : tr("Raport z serii testów (%1)").arg(records.size()),
             m_small);
        m_y += small;
        const double title = LineHeight(m_title);
        Text(QRectF(0, m_y, Width(), title), Qt::AlignLeft | Qt::AlignVCenter,
             Elided(m_content.Title, m_title, Width()), m_title);
        m_y += title;
        Rule(m_y);
        m_y += Mm(2);

        QDateTime first;
        QDateTime last;
        for (const TestRecord& record : records) {
            const QDateTime& start = record.Context.Start;
            if (!start.isValid())
                continue;
            if (!first.isValid() || start < first)
                first = start;
            if (!last.isValid() || start > last)
                last = start;
        }
        const QString dates = first == last
                                  ? DateText(first)
                                  : DateText(first) + QStringLiteral(" – ") + DateText(last);
        const std::optional<Tolerance>& limits = m_content.Limits;
        const QString units = Distinct(records, &TestContext::Unit);
        QList<Field> right{{single ? tr("Data testu:") : tr("Daty testów:"), dates},
                           {tr("Data wydruku:"),
                            DateText(m_content.Printed.isValid() ? m_content.Printed
                                                                 : QDateTime::currentDateTime())},
                           {tr("Jednostka:"), OrDash(units)},
                           {tr("Tolerancja:"), limits ? FormatGeneralLocal(limits->Low) +
                                                            QStringLiteral(" – ") +
                                                            Value(limits->High, m_unit)
                                                      : tr("brak")}};
        if (!m_content.Station.isEmpty())
            right.append({tr("Stanowisko:"), m_content.Station});
        Fields({{tr("Miernik:"), OrDash(Distinct(records, &TestContext::Model))},
                {tr("Numer seryjny:"), OrDash(Distinct(records, &TestContext::SerialNumber))},
                {tr("Operator:"), OrDash(Distinct(records, &TestContext::Operator))},
                {tr("Część / partia:"), OrDash(Distinct(records, &TestContext::Part))}},
               right);
    }

    bool Chart() {
        bool torque = false;
        for (const TestRecord& record : m_content.Records)
            torque = torque || record.Context.Unit.contains(QLatin1Char('*')) ||
                     DeviceModel::FamilyOf(record.Context.Model) == Family::Torque;
        QString yTitle = torque ? tr("Moment obrotowy") : tr("Siła");
        const QString units = Distinct(m_content.Records, &TestContext::Unit);
        if (!units.isEmpty())
            yTitle += QStringLiteral(" [") + units + QLatin1Char(']');
        const double height = Mm(ChartHeightMm);
        Room(height);
        if (m_painter) {
            m_painter->setFont(m_small);
            const ReportChart chart(m_content.Records, m_content.Limits,
                                    tr("Czas") + QStringLiteral(" [s]"), yTitle);
            if (!chart.Draw(*m_painter, QRectF(0, m_y, Width(), height), m_canceled))
                return false;
        }
        m_y += height + Mm(SectionGapMm);
        return true;
    }

    void TestResults(const TestRecord& record) {
        Heading(tr("Wyniki testu"));
        Fields({{tr("Szczyt:"), Value(record.Peak, m_unit)},
                {tr("Czas szczytu:"), Seconds(record.PeakTime)},
                {tr("Min.:"), Value(record.Min, m_unit)},
                {tr("Max.:"), Value(record.Max, m_unit)},
                {tr("Średnia:"), Value(record.Mean, m_unit)}},
               {{tr("Ocena:"), TestTexts::VerdictText(record.Result), VerdictColor(record.Result)},
                {tr("Liczba próbek:"), QLocale().toString(record.SampleCount)},
                {tr("Czas trwania:"), Seconds(record.Duration)},
                {tr("Czas próbkowania:"), Seconds(record.Context.SampleTime)},
                {tr("Źródło:"), TestTexts::OriginText(record.Context.Origin)}});
        if (record.Context.Note.isEmpty())
            return;
        const QString caption = tr("Uwagi:");
        const double captionWidth = QFontMetricsF(m_bold, &m_writer).horizontalAdvance(caption);
        const QRectF box(captionWidth + Mm(2), 0, Width() - captionWidth - Mm(2), m_bottom);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const double height = std::min(
            QFontMetricsF(m_body, &m_writer).boundingRect(box, flags, record.Context.Note).height(),
            m_bottom / 4);
        Room(height);
        Text(QRectF(0, m_y, captionWidth, height), Qt::AlignLeft | Qt::AlignTop, caption, m_bold);
        if (m_painter) {
            m_painter->save();
            m_painter->setClipRect(QRectF(box.left(), m_y, box.width(), height));
            Text(QRectF(box.left(), m_y, box.width(), height), flags, record.Context.Note, m_body);
            m_painter->restore();
        }
        m_y += height + Mm(SectionGapMm);
    }

    void Statistics() {
        QList<const TestRecord*> all;
        for (const TestRecord& record : m_content.Records)
            all.append(&record);
        const SeriesStatistics stats = SeriesStatistics::Of(all, m_content.Limits);
        const std::optional<double> share = stats.PassShare();
        QList<Field> right{{tr("Rozstęp:"), Value(stats.Range, m_unit)},
                           {tr("Zgodne:"), share
                                               ? QStringLiteral("%1 / %2 (%3 %)")
                                                     .arg(stats.Passed)
                                                     .arg(stats.Judged)
                                                     .arg(QLocale().toString(*share * 100, 'f', 0))
                                               : QStringLiteral("---")}};
        if (stats.Cp)
            right.append({tr("Cp:"), Index(stats.Cp)});
        if (stats.Cpk)
            right.append({tr("Cpk:"), Index(stats.Cpk)});
        Heading(tr("Statystyka szczytów"));
        Fields({{tr("Liczba testów:"), QLocale().toString(stats.Count)},
                {tr("Średnia:"), Value(stats.Mean, m_unit)},
                {tr("Odchylenie std.:"), Value(stats.StdDev, m_unit)},
                {tr("Min.:"), Value(stats.Min, m_unit)},
                {tr("Max.:"), Value(stats.Max, m_unit)}},
               right);
    }

    // The table's columns; operator and batch only when a test has them.
    QList<Column> Columns(bool operators, bool parts) const {
        QList<Column> columns{{tr("Nr"), 0.06, Qt::AlignRight},
                              {tr("Nazwa"), 0.0},
                              {tr("Początek"), 0.22},
                              {tr("Szczyt"), 0.13, Qt::AlignRight},
                              {tr("Ocena"), 0.12}};
        if (operators)
            columns.append({tr("Operator"), 0.14});
        if (parts)
            columns.append({tr("Część / partia"), 0.15});
        // The name takes what the others leave.
        double taken = 0.0;
        for (const Column& column : columns)
            taken += column.Share;
        columns[1].Share = 1.0 - taken;
        return columns;
    }

    // One row of the table, each cell's text elided to its column; a test's row begins with
    // the colour of its curve.
    void Row(const QList<Column>& columns, const QList<Field>& cells, const QFont& font,
             const QColor& fill, std::optional<qsizetype> curve = std::nullopt) {
        const double line = LineHeight(font);
        if (m_painter && fill.isValid())
            m_painter->fillRect(QRectF(0, m_y, Width(), line), fill);
        const double pad = Mm(1);
        double x = 0.0;
        for (qsizetype i = 0; i < columns.size() && i < cells.size(); ++i) {
            const double width = columns[i].Share * Width();
            const QRectF cell(x + pad, m_y, width - 2 * pad, line);
            Text(cell, int(columns[i].Align | Qt::AlignVCenter),
                 Elided(cells[i].Value, font, cell.width()), font, cells[i].Color);
            x += width;
        }
        if (curve && m_painter) {
            const CurveColor color = OverlayCurveColor(std::size_t(*curve));
            const double side = Mm(SwatchMm);
            m_painter->fillRect(QRectF(pad, m_y + (line - side) / 2, side, side),
                                QColor(color.Red, color.Green, color.Blue));
        }
        m_y += line;
    }

    // False when canceled.
    bool Table() {
        const QList<TestRecord>& records = m_content.Records;
        const bool operators = !Distinct(records, &TestContext::Operator).isEmpty();
        const bool parts = !Distinct(records, &TestContext::Part).isEmpty();
        const QList<Column> columns = Columns(operators, parts);
        QList<Field> titles;
        for (const Column& column : columns)
            titles.append({QString(), column.Title});
        const double rowHeight = LineHeight(m_table);
        Heading(tr("Testy"));
        Room(rowHeight * 2);
        Row(columns, titles, m_tableBold, HeaderFill);
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (m_y + rowHeight > m_bottom) {
                if (Canceled())
                    return false;
                NewPage();
                Row(columns, titles, m_tableBold, HeaderFill);
            }
            const TestRecord& record = records[i];
            QList<Field> cells{
                {QString(), QLocale().toString(i + 1)},
                {QString(), record.Name},
                {QString(), DateText(record.Context.Start)},
                {QString(), Value(record.Peak, record.Context.Unit)},
                {QString(), TestTexts::VerdictText(record.Result), VerdictColor(record.Result)}};
            if (operators)
                cells.append({QString(), record.Context.Operator});
            if (parts)
                cells.append({QString(), record.Context.Part});
            Row(columns, cells, m_table, i % 2 ? StripeFill : QColor(), i);
        }
        m_y += Mm(SectionGapMm);
        return true;
    }

    void Signature() {
        const double height = Mm(SignatureHeightMm);
        Room(height);
        const double lineY = m_y + height - LineHeight(m_small) * 1.5;
        if (m_painter) {
            m_painter->setPen(QPen(Qt::black, Mm(0.2), Qt::DotLine));
            m_painter->drawLine(QPointF(0, lineY), QPointF(Mm(SignatureLineMm), lineY));
            m_painter->drawLine(QPointF(Width() - Mm(SignatureLineMm), lineY),
                                QPointF(Width(), lineY));
        }
        const double caption = LineHeight(m_small);
        Text(QRectF(0, lineY, Mm(SignatureLineMm), caption), Qt::AlignHCenter | Qt::AlignTop,
             tr("Data"), m_small);
        Text(QRectF(Width() - Mm(SignatureLineMm), lineY, Mm(SignatureLineMm), caption),
             Qt::AlignHCenter | Qt::AlignTop, tr("Podpis"), m_small);
        m_y += height;
    }

    const ReportContent& m_content;
    QPdfWriter& m_writer;
    QPainter* m_painter = nullptr;
    int m_pageCount = 0;
    std::function<bool()> m_canceled;
    double m_bottom = 0.0;
    QString m_unit;
    QFont m_body;
    QFont m_bold;
    QFont m_small;
    QFont m_heading;
    QFont m_title;
    QFont m_table;
    QFont m_tableBold;
    int m_page = 1;
    double m_y = 0.0;
};

} // namespace

bool TestReport::Write(const QString& path, const ReportContent& content, QString* error,
                       const std::function<bool()>& canceled) {
    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (content.Records.isEmpty())
        return fail(tr("Brak testów do raportu."));
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(tr("Nie można zapisać pliku %1: %2").arg(shown, file.errorString()));
    QPdfWriter writer(&file);
    writer.setResolution(Resolution);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm),
                    QPageLayout::Millimeter));
    writer.setTitle(content.Title);

    // The dry run counts the pages, for "Strona 1 z 2" on the first.
    ReportPages counted(content, writer, nullptr, 0, canceled);
    if (!counted.Run()) {
        file.cancelWriting();
        return fail(tr("Tworzenie raportu przerwano."));
    }
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return fail(tr("Nie można utworzyć pliku PDF %1.").arg(shown));
    }
    ReportPages pages(content, writer, &painter, counted.Pages(), canceled);
    const bool done = pages.Run();
    painter.end();
    if (!done) {
        file.cancelWriting();
        return fail(tr("Tworzenie raportu przerwano."));
    }
    if (!file.commit())
        return fail(tr("Nie można zapisać pliku %1: %2").arg(shown, file.errorString()));
    return true;
}
