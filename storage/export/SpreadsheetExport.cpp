#include "storage/export/SpreadsheetExport.h"

#include "state/Messages.h"
#include "storage/export/OfficeSpreadsheet.h"
#include "storage/export/Spreadsheet.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

using Result = SpreadsheetExport::Result;
constexpr int Columns = 2;

// Writes the points from FirstPointRow down, a block at a time. A refused block is retried
// cell by cell from the first value the backend could not vouch for, so that the sheet ends
// exactly as a cell-by-cell export would leave it: every cell before the refused one written.
template <typename PointAt>
bool WritePoints(Spreadsheet& target, qsizetype count, PointAt pointAt) {
    constexpr qsizetype blockRows = SpreadsheetExport::BlockRows;
    std::vector<double> block;
    block.reserve(std::size_t(Columns * std::min(count, blockRows)));
    for (qsizetype first = 0; first < count; first += blockRows) {
        const qsizetype rows = std::min(blockRows, count - first);
        // Beyond the last addressable row no application could take the cell.
        if (qint64(SpreadsheetExport::FirstPointRow) + first + rows - 1 >
            std::numeric_limits<int>::max())
            return false;
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
                return false;
        }
    }
    return true;
}

template <typename PointAt>
Result Export(Spreadsheet& target, qsizetype count, PointAt pointAt, const QString& xTitle,
              const QString& yTitle, QWidget* parent) {
    if (count <= 0) {
        ShowMessage(SpreadsheetExport::Caption(), SpreadsheetExport::NoDataText(),
                    MessageIcon::Warning, parent);
        return Result::NoData;
    }
    bool written = false;
    try {
        written = target.Attach() && target.OpenActiveDocument() && target.OpenFirstSheet() &&
                  target.SetText(SpreadsheetExport::TitleRow, SpreadsheetExport::XColumn, xTitle) &&
                  target.SetText(SpreadsheetExport::TitleRow, SpreadsheetExport::YColumn, yTitle) &&
                  WritePoints(target, count, pointAt);
    } catch (...) {
        written = false;
    }
    // Released before any message, so that the application is not held while the message
    // waits for the user.
    try {
        target.Release();
    } catch (...) {
    }
    if (!written) {
        ShowMessage(SpreadsheetExport::Caption(), SpreadsheetExport::UnreachableText(),
                    MessageIcon::Warning, parent);
        return Result::Failed;
    }
    return Result::Written;
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

Result SpreadsheetExport::Run(Spreadsheet& target, const QCPGraphDataContainer& points,
                              const QString& xTitle, const QString& yTitle, QWidget* parent) {
    const auto begin = points.constBegin();
    return Export(
        target, qsizetype(points.size()),
        [begin](qsizetype i) {
            const QCPGraphData& point = *(begin + i);
            return std::pair(point.key, point.value);
        },
        xTitle, yTitle, parent);
}

Result SpreadsheetExport::ToRunningOffice(const QCPGraphDataContainer& points,
                                          const QString& xTitle, const QString& yTitle,
                                          QWidget* parent) {
    OfficeSpreadsheet office;
    return Run(office, points, xTitle, yTitle, parent);
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
