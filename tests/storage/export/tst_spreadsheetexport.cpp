// The export's cell layout, its two messages and its failures, against a spreadsheet in memory.
#include "storage/export/SpreadsheetExport.h"
#include "tests/support/FakeSpreadsheet.h"
#include "tests/support/RecordingMessages.h"

#include <QLocale>
#include <QTest>

namespace {

using Cells = QMap<QString, QVariant>;
using Result = SpreadsheetExport::Result;

const QString Time = QStringLiteral("Czas [s]");
const QString Force = QStringLiteral("Próbka [N]");
const QString Unreachable = QStringLiteral("Otwórz program Excel");

// The fake's cells by name, texts as QString and numbers as double, so that a comparison
// also tells a number written as text from a number.
Cells Named(const FakeSpreadsheet& sheet) {
    Cells cells;
    for (auto it = sheet.Cells.cbegin(); it != sheet.Cells.cend(); ++it) {
        const QString name = FakeSpreadsheet::Name(it.key().first, it.key().second);
        if (const auto* text = std::get_if<QString>(&it.value()))
            cells.insert(name, *text);
        else
            cells.insert(name, std::get<double>(it.value()));
    }
    return cells;
}

QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

// Points (i, -i / 2) for i from 0.
QList<QPointF> Ramp(int count) {
    QList<QPointF> points;
    for (int i = 0; i < count; ++i)
        points.append(QPointF(i, -i / 2.0));
    return points;
}

const QList<QPointF> Three{{0.0, 1.5}, {0.5, -2.0}, {1.0, 1e-7}};

} // namespace

class TestSpreadsheetExport : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void layout_data();
    void layout();
    void laterShorterExportKeepsRowsBelow();
    void longSeriesGoesInBlocks_data();
    void longSeriesGoesInBlocks();
    void emptySeriesContactsNothing();
    void failures_data();
    void failures();
    void chartContainerGivesSameCells_data();
    void chartContainerGivesSameCells();
    void quietWriteReportsAndStops_data();
    void quietWriteReportsAndStops();
};

void TestSpreadsheetExport::layout_data() {
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("xTitle");
    QTest::addColumn<QString>("yTitle");
    QTest::addColumn<bool>("blocks");
    QTest::addColumn<bool>("commaLocale");
    QTest::addColumn<Cells>("expected");

    const Cells three{{"B2", Time}, {"C2", Force}, {"B3", 0.0}, {"C3", 1.5},
                      {"B4", 0.5},  {"C4", -2.0},  {"B5", 1.0}, {"C5", 1e-7}};
    QTest::newRow("three points in a block") << Three << Time << Force << true << false << three;
    QTest::newRow("three points cell by cell") << Three << Time << Force << false << false << three;
    QTest::newRow("comma locale") << Three << Time << Force << true << true << three;
    QTest::newRow("one point, empty value title")
        << QList<QPointF>{{12.25, -0.001}} << Time << QString() << true << false
        << Cells{{"B2", Time}, {"C2", QString()}, {"B3", 12.25}, {"C3", -0.001}};
    // Titles are texts whatever they look like: an application must not read them as a
    // number or a formula.
    QTest::newRow("titles that look like a number and a formula")
        << QList<QPointF>{{1.0, 2.0}} << QStringLiteral("12") << QStringLiteral("=A1") << true
        << false
        << Cells{{"B2", QStringLiteral("12")},
                 {"C2", QStringLiteral("=A1")},
                 {"B3", 1.0},
                 {"C3", 2.0}};
}

void TestSpreadsheetExport::layout() {
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, xTitle);
    QFETCH(QString, yTitle);
    QFETCH(bool, blocks);
    QFETCH(bool, commaLocale);
    QFETCH(Cells, expected);
    if (commaLocale)
        QLocale::setDefault(QLocale(QLocale::German));

    RecordingMessages messages;
    FakeSpreadsheet sheet;
    sheet.WritesBlocks = blocks;
    QCOMPARE(SpreadsheetExport::Run(sheet, points, xTitle, yTitle), Result::Written);
    QCOMPARE(Named(sheet), expected);
    QVERIFY(messages.Shown.isEmpty());
    QCOMPARE(sheet.Calls.mid(0, 3), (QStringList{"attach", "document", "sheet"}));
    QCOMPARE(sheet.Calls.last(), QStringLiteral("release"));
    QCOMPARE(sheet.Releases, 1);
}

void TestSpreadsheetExport::laterShorterExportKeepsRowsBelow() {
    RecordingMessages messages;
    FakeSpreadsheet sheet;
    QCOMPARE(SpreadsheetExport::Run(sheet, Three, Time, Force), Result::Written);
    const QList<QPointF> two{{7.0, 8.0}, {9.0, 10.0}};
    QCOMPARE(SpreadsheetExport::Run(sheet, two, QStringLiteral("Czas [min]"),
                                    QStringLiteral("Próbka [kgf]")),
             Result::Written);
    QCOMPARE(Named(sheet), (Cells{{"B2", QStringLiteral("Czas [min]")},
                                  {"C2", QStringLiteral("Próbka [kgf]")},
                                  {"B3", 7.0},
                                  {"C3", 8.0},
                                  {"B4", 9.0},
                                  {"C4", 10.0},
                                  {"B5", 1.0},
                                  {"C5", 1e-7}}));
    QVERIFY(messages.Shown.isEmpty());
    QCOMPARE(sheet.Releases, 2);
}

void TestSpreadsheetExport::longSeriesGoesInBlocks_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("blocks");
    QTest::addColumn<int>("blockCalls");

    constexpr int block = SpreadsheetExport::BlockRows;
    QTest::newRow("one short of a block") << block - 1 << true << 1;
    QTest::newRow("exactly a block") << block << true << 1;
    QTest::newRow("one over a block") << block + 1 << true << 2;
    QTest::newRow("two blocks and some") << 2 * block + 3 << true << 3;
    QTest::newRow("two blocks and some, cell by cell") << 2 * block + 3 << false << 0;
}

void TestSpreadsheetExport::longSeriesGoesInBlocks() {
    QFETCH(int, count);
    QFETCH(bool, blocks);
    QFETCH(int, blockCalls);

    RecordingMessages messages;
    FakeSpreadsheet sheet;
    sheet.WritesBlocks = blocks;
    QCOMPARE(SpreadsheetExport::Run(sheet, Ramp(count), Time, Force), Result::Written);
    QCOMPARE(sheet.Cells.size(), 2 + 2 * count);
    for (int i = 0; i < count; ++i) {
        const auto x = sheet.Cells.value({i + 3, 2});
        const auto y = sheet.Cells.value({i + 3, 3});
        if (x != FakeSpreadsheet::Value(double(i)) || y != FakeSpreadsheet::Value(-i / 2.0))
            QFAIL(qPrintable(QStringLiteral("row %1 holds the wrong point").arg(i + 3)));
    }
    QVERIFY(!sheet.Cells.contains({count + 3, 2}));
    QCOMPARE(sheet.Calls.filter(QStringLiteral("block ")).size(), blockCalls);
    QVERIFY(messages.Shown.isEmpty());
}

void TestSpreadsheetExport::emptySeriesContactsNothing() {
    RecordingMessages messages;
    FakeSpreadsheet sheet;
    QCOMPARE(SpreadsheetExport::Run(sheet, QList<QPointF>{}, Time, Force), Result::NoData);
    QCOMPARE(SpreadsheetExport::Run(sheet, SampleStore(), Time, Force), Result::NoData);
    QVERIFY(sheet.Calls.isEmpty());
    QCOMPARE(messages.Shown.size(), 2);
    for (const MessageRequest& shown : messages.Shown) {
        QCOMPARE(shown.Caption, QStringLiteral("Eksport do Excela"));
        QCOMPARE(shown.Text, QStringLiteral("Brak danych do wyeksportowania."));
        QCOMPARE(shown.Icon, MessageIcon::Warning);
    }
}

void TestSpreadsheetExport::failures_data() {
    QTest::addColumn<FakeSpreadsheet::Step>("step");
    QTest::addColumn<QString>("refusedCell");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<bool>("throws");
    QTest::addColumn<bool>("blocks");
    QTest::addColumn<QStringList>("written");

    using Step = FakeSpreadsheet::Step;
    const QStringList none;
    const QStringList titles{"B2", "C2"};
    const QStringList all = titles + QStringList{"B3", "C3", "B4", "C4", "B5", "C5"};
    constexpr int anyRow = 1048576;
    QTest::newRow("no application") << Step::Attach << QString() << anyRow << false << true << none;
    QTest::newRow("no document") << Step::Document << QString() << anyRow << false << true << none;
    QTest::newRow("no sheet") << Step::Sheet << QString() << anyRow << false << true << none;
    QTest::newRow("first title refused") << Step::Cell << "B2" << anyRow << false << true << none;
    QTest::newRow("second title refused")
        << Step::Cell << "C2" << anyRow << false << true << QStringList{"B2"};
    // A refused block is written again cell by cell up to the refused cell.
    QTest::newRow("x of the second point, blocks")
        << Step::Cell << "B4" << anyRow << false << true << titles + QStringList{"B3", "C3"};
    QTest::newRow("y of the second point, blocks")
        << Step::Cell << "C4" << anyRow << false << true << titles + QStringList{"B3", "C3", "B4"};
    QTest::newRow("y of the second point, cell by cell")
        << Step::Cell << "C4" << anyRow << false << false << titles + QStringList{"B3", "C3", "B4"};
    QTest::newRow("last point refused")
        << Step::Cell << "C5" << anyRow << false << true << all.mid(0, all.size() - 1);
    QTest::newRow("sheet ends at row 4")
        << Step::None << QString() << 4 << false << true << all.mid(0, 6);
    QTest::newRow("throws when attaching")
        << Step::Attach << QString() << anyRow << true << true << none;
    QTest::newRow("throws at a title")
        << Step::Cell << "C2" << anyRow << true << true << QStringList{"B2"};
    QTest::newRow("throws in a block") << Step::Cell << "C4" << anyRow << true << true << titles;
    QTest::newRow("throws at a cell")
        << Step::Cell << "C4" << anyRow << true << false << titles + QStringList{"B3", "C3", "B4"};
}

void TestSpreadsheetExport::failures() {
    QFETCH(FakeSpreadsheet::Step, step);
    QFETCH(QString, refusedCell);
    QFETCH(int, lastRow);
    QFETCH(bool, throws);
    QFETCH(bool, blocks);
    QFETCH(QStringList, written);

    RecordingMessages messages;
    FakeSpreadsheet sheet;
    sheet.RefuseAt = step;
    if (!refusedCell.isEmpty())
        sheet.RefusedCell = {refusedCell.mid(1).toInt(), refusedCell.at(0).unicode() - 'A' + 1};
    sheet.LastRow = lastRow;
    sheet.ThrowInstead = throws;
    sheet.WritesBlocks = blocks;

    QCOMPARE(SpreadsheetExport::Run(sheet, Three, Time, Force), Result::Failed);
    QCOMPARE(Sorted(Named(sheet).keys()), Sorted(written));
    QCOMPARE(messages.Shown.size(), 1);
    QCOMPARE(messages.Shown.first().Caption, QStringLiteral("Eksport do Excela"));
    QCOMPARE(messages.Shown.first().Text, Unreachable);
    QCOMPARE(messages.Shown.first().Icon, MessageIcon::Warning);
    QCOMPARE(sheet.Releases, 1);
    QCOMPARE(sheet.Calls.last(), QStringLiteral("release"));
    // Nothing is tried after the step that failed.
    if (step == FakeSpreadsheet::Step::Attach)
        QCOMPARE(sheet.Calls, (QStringList{"attach", "release"}));
    if (step == FakeSpreadsheet::Step::Document)
        QCOMPARE(sheet.Calls, (QStringList{"attach", "document", "release"}));
}

// The chart's own points give the cells the same points give; the breaks in its line (where
// the link to the gauge was lost) are no rows, in either way of writing.
void TestSpreadsheetExport::chartContainerGivesSameCells_data() {
    QTest::addColumn<QList<int>>("breaks"); // a break before these points
    QTest::newRow("whole line") << QList<int>{};
    QTest::newRow("a break") << QList<int>{2};
    QTest::newRow("breaks before the first and between each") << QList<int>{0, 1, 2};
}

void TestSpreadsheetExport::chartContainerGivesSameCells() {
    QFETCH(QList<int>, breaks);
    RecordingMessages messages;
    SampleStore container;
    for (int i = 0; i < Three.size(); ++i) {
        if (breaks.contains(i))
            container.Append(Three[i].x() - 0.25, qQNaN());
        container.Append(Three[i].x(), Three[i].y());
    }
    QCOMPARE(container.size(), Three.size() + breaks.size());
    FakeSpreadsheet quietly;
    QCOMPARE(SpreadsheetExport::Write(quietly, container, Time, Force, {}), Result::Written);
    FakeSpreadsheet fromContainer;
    FakeSpreadsheet fromPoints;
    QCOMPARE(SpreadsheetExport::Run(fromContainer, container, Time, Force), Result::Written);
    QCOMPARE(SpreadsheetExport::Run(fromPoints, Three, Time, Force), Result::Written);
    QCOMPARE(Named(fromContainer), Named(fromPoints));
    QCOMPARE(Named(quietly), Named(fromPoints));
    QCOMPARE(fromContainer.Cells.size(), 8);
}

void TestSpreadsheetExport::quietWriteReportsAndStops_data() {
    QTest::addColumn<int>("stopAt"); // the report that says stop; -1 for none
    QTest::addColumn<FakeSpreadsheet::Step>("refuse");
    QTest::addColumn<Result>("result");
    QTest::addColumn<int>("rows"); // points in the sheet afterwards
    constexpr int block = SpreadsheetExport::BlockRows;
    using Step = FakeSpreadsheet::Step;
    QTest::newRow("to the end") << -1 << Step::None << Result::Written << 2 * block + 3;
    QTest::newRow("stopped before the first block") << 0 << Step::None << Result::Canceled << 0;
    // What the application took stays there.
    QTest::newRow("stopped after a block") << 1 << Step::None << Result::Canceled << block;
    QTest::newRow("no application") << -1 << Step::Attach << Result::Failed << 0;
}

// The export as a worker thread runs it: it tells its progress in points, stops between two
// blocks when told to, always lets the application go, and leaves every message to the caller.
void TestSpreadsheetExport::quietWriteReportsAndStops() {
    QFETCH(int, stopAt);
    QFETCH(FakeSpreadsheet::Step, refuse);
    QFETCH(Result, result);
    QFETCH(int, rows);
    constexpr int count = 2 * SpreadsheetExport::BlockRows + 3;
    SampleStore points;
    for (int i = 0; i < count; ++i)
        points.Append(i, -i / 2.0);

    RecordingMessages messages;
    FakeSpreadsheet sheet;
    sheet.RefuseAt = refuse;
    QList<qint64> reports;
    const auto progress = [&](qint64 done, qint64 total) {
        reports << done;
        return total == count && reports.size() - 1 != stopAt;
    };
    QCOMPARE(SpreadsheetExport::Write(sheet, points, Time, Force, progress), result);
    QCOMPARE(sheet.Cells.size() - (refuse == FakeSpreadsheet::Step::None ? 2 : 0), 2 * rows);
    QCOMPARE(sheet.Releases, 1);
    QVERIFY(messages.Shown.isEmpty());
    if (result == Result::Written) {
        constexpr qint64 block = SpreadsheetExport::BlockRows;
        QCOMPARE(reports, (QList<qint64>{0, block, 2 * block, count}));
    }

    FakeSpreadsheet untouched;
    QCOMPARE(SpreadsheetExport::Write(untouched, SampleStore(), Time, Force, progress),
             Result::NoData);
    QVERIFY(untouched.Calls.isEmpty());
    QVERIFY(messages.Shown.isEmpty());
}

QTEST_MAIN(TestSpreadsheetExport)
#include "tst_spreadsheetexport.moc"
