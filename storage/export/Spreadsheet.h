#pragma once

#include <QString>

#include <span>

// A running spreadsheet application as the export sees it. Rows and columns count from 1.
// Every step reports failure by its result, never by an exception.
class Spreadsheet {
public:
    virtual ~Spreadsheet() = default;

    // Attaches to an instance that is already running; never starts one.
    virtual bool Attach() = 0;
    // Takes the document active in the attached instance.
    virtual bool OpenActiveDocument() = 0;
    // Takes the first sheet of that document.
    virtual bool OpenFirstSheet() = 0;

    virtual bool SetText(int row, int column, const QString& text) = 0;
    virtual bool SetNumber(int row, int column, double value) = 0;

    // Writes a block of numbers `columns` wide, row after row from (row, column); the size of
    // `values` is a multiple of `columns`. Returns how many leading values are surely written:
    // all of them on success, fewer when a cell was refused. Backends that can write a whole
    // range in one call override this; the default writes cell by cell.
    virtual qsizetype SetNumbers(int row, int column, int columns, std::span<const double> values) {
        if (columns <= 0)
            return 0;
        for (qsizetype i = 0; i < qsizetype(values.size()); ++i) {
            if (!SetNumber(row + int(i / columns), column + int(i % columns), values[i]))
                return i;
        }
        return qsizetype(values.size());
    }

    // Lets go of the sheet, the document and the instance, in that order. The application keeps
    // running with its document open; nothing is saved or closed there. Safe at any point, also
    // after a failure or a second time.
    virtual void Release() = 0;
};
