#pragma once

#include "series/SampleStore.h"

#include <QCoreApplication>
#include <QPointF>
#include <QString>

#include <functional>
#include <span>

class QWidget;
class Spreadsheet;

// Copies the samples of the chart into the first sheet of the document active in a running
// spreadsheet application: the two axis titles in B2 and C2, then one point per row from row
// 3, time in column B and value in column C. Nothing else is touched, so rows of an earlier,
// longer export below the new ones stay as they were.
class SpreadsheetExport {
    Q_DECLARE_TR_FUNCTIONS(SpreadsheetExport)

public:
    enum class Result { Written, NoData, Failed, Canceled };
    // Told how many points are written of how many, before each block and at the end;
    // returns false to stop before the block (rows written by then stay: the application has
    // them). Called from the thread doing the export.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    static constexpr int TitleRow = 2;
    static constexpr int FirstPointRow = 3;
    static constexpr int XColumn = 2;
    static constexpr int YColumn = 3;
    // Points written per block when the backend writes ranges; one call per cell would take
    // minutes for a long run.
    static constexpr int BlockRows = 4096;

    // Shows "Brak danych do wyeksportowania." for an empty series without contacting the
    // application, and "Otwórz program Excel" when any step fails; the target is released in
    // every case once it was contacted.
    static Result Run(Spreadsheet& target, std::span<const QPointF> points, const QString& xTitle,
                      const QString& yTitle, QWidget* parent = nullptr);
    // The chart's points; those without a value (breaks in its line) are no rows.
    static Result Run(Spreadsheet& target, const SampleStore& points, const QString& xTitle,
                      const QString& yTitle, QWidget* parent = nullptr);

    // The export as the menu item runs it: into the office reached at the configured
    // connection (OfficeSpreadsheet).
    static Result ToRunningOffice(const SampleStore& points, const QString& xTitle,
                                  const QString& yTitle, QWidget* parent = nullptr);

    // The export without its messages, for a worker thread: NoData for no points (nothing is
    // contacted), Failed where Run shows UnreachableText, Canceled when `progress` said stop.
    static Result Write(Spreadsheet& target, const SampleStore& points, const QString& xTitle,
                        const QString& yTitle, const Progress& progress);
    static Result WriteToRunningOffice(const SampleStore& points, const QString& xTitle,
                                       const QString& yTitle, const Progress& progress);

    static QString Caption();
    static QString NoDataText();
    static QString UnreachableText();
};
