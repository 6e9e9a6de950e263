// Speed of the spreadsheet export into a running office: one call per cell against range
// blocks. Needs an office that accepts UNO at the configured URL, for instance
//   soffice --calc --accept="pipe,name=zento-fm;urp;"
// (or ZENTO_FM_OFFICE_URL naming another). Writes into the active sheet of that office.
#include "state/Messages.h"
#include "storage/export/OfficeSpreadsheet.h"
#include "storage/export/SpreadsheetExport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

// Prints what would be shown instead of showing it.
class PrintedMessages final : public MessagePresenter {
public:
    void Show(QWidget*, const MessageRequest& message) override {
        std::printf("    message: %s\n", qPrintable(message.Text));
    }
    bool Ask(QWidget*, const MessageRequest&) override { return false; }
};

// The same office, written one cell per call.
class CellByCell final : public Spreadsheet {
public:
    explicit CellByCell(OfficeSpreadsheet& office)
        : m_office(office) {}
    bool Attach() override { return m_office.Attach(); }
    bool OpenActiveDocument() override { return m_office.OpenActiveDocument(); }
    bool OpenFirstSheet() override { return m_office.OpenFirstSheet(); }
    bool SetText(int row, int column, const QString& text) override {
        return m_office.SetText(row, column, text);
    }
    bool SetNumber(int row, int column, double value) override {
        return m_office.SetNumber(row, column, value);
    }
    void Release() override { m_office.Release(); }

private:
    OfficeSpreadsheet& m_office;
};

QList<QPointF> Points(int count) {
    QList<QPointF> points;
    points.reserve(count);
    for (int i = 0; i < count; ++i)
        points.append(QPointF(i * 0.01, (i % 200) * 0.125 - 12.0));
    return points;
}

// Microseconds per point, or a negative value when the export failed.
double Measure(Spreadsheet& target, int count, const char* how) {
    const QList<QPointF> points = Points(count);
    QElapsedTimer clock;
    clock.start();
    const auto result = SpreadsheetExport::Run(target, points, QStringLiteral("Czas [s]"),
                                               QStringLiteral("Próbka [N]"));
    const double ms = clock.nsecsElapsed() / 1e6;
    if (result != SpreadsheetExport::Result::Written) {
        std::printf("  %-13s %7d points: failed\n", how, count);
        return -1;
    }
    const double perPoint = ms * 1000.0 / count;
    std::printf("  %-13s %7d points: %9.1f ms, %8.2f us per point\n", how, count, ms, perPoint);
    return perPoint;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PrintedMessages messages;
    SetMessagePresenter(&messages);

    OfficeSpreadsheet office;
    std::printf("Export into the office at %s\n", qPrintable(office.Url()));
    if (!OfficeSpreadsheet::Available()) {
        std::printf("  built without UNO: nothing to measure\n");
        return 0;
    }
    if (!(office.Attach() && office.OpenActiveDocument() && office.OpenFirstSheet())) {
        std::printf("  no spreadsheet reachable (%s): start one as the comment at the top says\n",
                    qPrintable(office.LastError()));
        return 0;
    }
    office.Release();

    CellByCell single(office);
    const double cells = Measure(single, 2000, "cell by cell");
    const double blocks = Measure(office, 2000, "blocks");
    Measure(office, 100000, "blocks");
    Measure(office, 1000000, "blocks");
    if (cells > 0 && blocks > 0)
        std::printf("  blocks are %.0f times faster per point than single cells\n", cells / blocks);
    return 0;
}
