#include "storage/export/SpreadsheetExport.h"

#include "state/Messages.h"
#include "storage/export/OfficeSpreadsheet.h"
#include "storage/export/Spreadsheet.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

using Result = SpreadsheetExport::Result;
constexpr int Columns = 2;

// How WritePoints ended.
enum class Outcome { Written, Failed, Stopped };

// Writes the points from FirstPointRow down, a block at a time. A refused block is retried
// cell by cell from the first value the backend could not vouch for, so that the sheet ends
// exactly as a cell-by-cell export would leave it: every cell before the refused one written.
template <typename PointAt>
Outcome WritePoints(Spreadsheet& target, qsizetype count, PointAt pointAt,
                    const SpreadsheetExport::Progress& progress) {
    constexpr qsizetype blockRows = SpreadsheetExport::BlockRows;
    std::vector<double> block;
    block.reserve(std::size_t(Columns * std::min(count, blockRows)));
    for (qsizetype first = 0; first < count; first += blockRows) {
        if (progress && !progress(first, count))
            return Outcome::Stopped;
        const qsizetype rows = std::min(blockRows, count - first);
        // Beyond the last addressable row no application could take the cell.
        if (qint64(SpreadsheetExport::FirstPointRow) + first + rows - 1 >
            std::numeric_limits<int>::max())
            return Outcome::Failed;
        const int firstRow = SpreadsheetExport::FirstPointRow + int(first);
        block.clear();
        for (qsizetype i = 0; i < rows; ++i) {
            const auto [x, y] = pointAt(first + i);
            block.push_back(x);
            block.push_back(y);
        }
        const qsizetype size = qsizetype(block.size());
        const qsizetype vouched =
            std::clamp<qsizetype>(target.SetNumbers(firstRow, SpreadsheetExport::XColumn, Columns,
                                                    std::span<const double>(block)),
                                  0, size);
        for (qsizetype i = vouched; i < size; ++i) {
            if (!target.SetNumber(firstRow + int(i / Columns),
                                  SpreadsheetExport::XColumn + int(i % Columns), block[i]))
                return Outcome::Failed;
        }
    }
    if (progress)
        progress(count, count);
    return Outcome::Written;
}

// The export's steps without a word to the user; the target is released in every case once
// it was contacted.
template <typename PointAt>
Result WriteQuietly(Spreadsheet& target, qsizetype count, PointAt pointAt, const QString& xTitle,
                    const QString& yTitle, const SpreadsheetExport::Progress& progress) {
    if (count <= 0)
        return Result::NoData;
    Outcome outcome = Outcome::Failed;
    try {
        if (target.Attach() && target.OpenActiveDocument() && target.OpenFirstSheet() &&
            target.SetText(SpreadsheetExport::TitleRow, SpreadsheetExport::XColumn, xTitle) &&
            target.SetText(SpreadsheetExport::TitleRow, SpreadsheetExport::YColumn, yTitle))
            outcome = WritePoints(target, count, pointAt, progress);
    } catch (...) {
        outcome = Outcome::Failed;
    }
    try {
        target.Release();
    } catch (...) {
    }
    return outcome == Outcome::Written   ? Result::Written
           : outcome == Outcome::Stopped ? Result::Canceled
                                         : Result::Failed;
}

// WriteQuietly, then the message for no data or a failure. The target is released before
// any message, so that the application is not held while the message waits for the user.
template <typename PointAt>
Result Export(Spreadsheet& target, qsizetype count, PointAt pointAt, const QString& xTitle,
              const QString& yTitle, QWidget* parent) {
    const Result result = WriteQuietly(target, count, pointAt, xTitle, yTitle, {});
    if (result == Result::NoData)
        ShowMessage(SpreadsheetExport::Caption(), SpreadsheetExport::NoDataText(),
                    MessageIcon::Warning, parent);
    if (result == Result::Failed)
        ShowMessage(SpreadsheetExport::Caption(), SpreadsheetExport::UnreachableText(),
                    MessageIcon::Warning, parent);
    return result;
}

// Where the chart's line breaks (the link to the gauge was lost for a while): points without
// a value, which are no rows of the sheet. Few, so each row steps over them.
std::vector<qsizetype> BreaksIn(const SampleStore& points) {
    std::vector<qsizetype> breaks;
    if (points.BreakCount() == 0)
        return breaks;
    for (qsizetype index = 0; index < points.size(); ++index)
        if (!std::isfinite(points.ValueAt(index)))
            breaks.push_back(index);
    return breaks;
}

// The chart's points, read in place, the breaks left out.
auto ContainerPoints(const SampleStore& points, std::vector<qsizetype> breaks) {
    return [&points, breaks = std::move(breaks)](qsizetype row) {
        qsizetype i = row;
        for (const qsizetype at : breaks) {
            if (at > i)
                break;
            ++i;
        }
        const SampleStore::Sample point = points.At(i);
        return std::pair(point.key, point.value);
    };
}

} // namespace

Result SpreadsheetExport::Run(Spreadsheet& target, std::span<const QPointF> points,
                              const QString& xTitle, const QString& yTitle, QWidget* parent) {
    return Export(
        target, qsizetype(points.size()),
        [points](qsizetype i) {
            return std::pair(points[std::size_t(i)].x(), points[std::size_t(i)].y());
        },
        xTitle, yTitle, parent);
}

Result SpreadsheetExport::Run(Spreadsheet& target, const SampleStore& points, const QString& xTitle,
                              const QString& yTitle, QWidget* parent) {
    std::vector<qsizetype> breaks = BreaksIn(points);
    const qsizetype rows = qsizetype(points.size()) - qsizetype(breaks.size());
    return Export(target, rows, ContainerPoints(points, std::move(breaks)), xTitle, yTitle, parent);
}

Result SpreadsheetExport::ToRunningOffice(const SampleStore& points, const QString& xTitle,
                                          const QString& yTitle, QWidget* parent) {
    OfficeSpreadsheet office;
    return Run(office, points, xTitle, yTitle, parent);
}

Result SpreadsheetExport::Write(Spreadsheet& target, const SampleStore& points,
                                const QString& xTitle, const QString& yTitle,
                                const Progress& progress) {
    std::vector<qsizetype> breaks = BreaksIn(points);
    const qsizetype rows = qsizetype(points.size()) - qsizetype(breaks.size());
    return WriteQuietly(target, rows, ContainerPoints(points, std::move(breaks)), xTitle, yTitle,
                        progress);
}

Result SpreadsheetExport::WriteToRunningOffice(const SampleStore& points, const QString& xTitle,
                                               const QString& yTitle, const Progress& progress) {
    OfficeSpreadsheet office;
    return Write(office, points, xTitle, yTitle, progress);
}

QString SpreadsheetExport::Caption() {
    return tr("Eksport do Excela");
}

QString SpreadsheetExport::NoDataText() {
    return tr("Brak danych do wyeksportowania.");
}

QString SpreadsheetExport::UnreachableText() {
    //: No running spreadsheet program could be reached or written; on Linux that program is
    //: LibreOffice Calc, so the translation names "LibreOffice Calc or Excel".
    return tr("Otwórz program Excel");
}
