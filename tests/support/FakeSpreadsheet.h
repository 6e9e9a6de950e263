#pragma once

#include "storage/export/Spreadsheet.h"

#include <QMap>
#include <QPair>
#include <QStringList>

#include <optional>
#include <stdexcept>
#include <variant>

// A spreadsheet application in memory. Its cells outlive an export, as those of a running
// application do; it can be told to refuse any step (or to throw there) and records every
// call in order.
class FakeSpreadsheet final : public Spreadsheet {
public:
    using Value = std::variant<QString, double>;
    enum class Step { None, Attach, Document, Sheet, Cell };

    // Where to refuse: a step, or with Step::Cell the cell at RefusedCell (row, column).
    Step RefuseAt = Step::None;
    QPair<int, int> RefusedCell{0, 0};
    // Refuses instead by throwing, which a backend must not do but the export must survive.
    bool ThrowInstead = false;
    // Cells below this row do not exist (the end of the sheet).
    int LastRow = 1048576;
    // Whether SetNumbers writes a block in one go (all or nothing) or cell by cell.
    bool WritesBlocks = true;

    QMap<QPair<int, int>, Value> Cells;
    QStringList Calls;
    int Releases = 0;

    bool Attach() override {
        Calls << QStringLiteral("attach");
        m_attached = Pass(Step::Attach);
        return m_attached;
    }
    bool OpenActiveDocument() override {
        Calls << QStringLiteral("document");
        m_document = m_attached && Pass(Step::Document);
        return m_document;
    }
    bool OpenFirstSheet() override {
        Calls << QStringLiteral("sheet");
        m_sheet = m_document && Pass(Step::Sheet);
        return m_sheet;
    }
    bool SetText(int row, int column, const QString& text) override {
        Calls << QStringLiteral("text ") + Name(row, column);
        return Store(row, column, text);
    }
    bool SetNumber(int row, int column, double value) override {
        Calls << QStringLiteral("number ") + Name(row, column);
        return Store(row, column, value);
    }
    qsizetype SetNumbers(int row, int column, int columns,
                         std::span<const double> values) override {
        if (!WritesBlocks)
            return Spreadsheet::SetNumbers(row, column, columns, values);
        const int rows = int(values.size()) / columns;
        Calls << QStringLiteral("block ") + Name(row, column) + QLatin1Char(':') +
                     Name(row + rows - 1, column + columns - 1);
        for (int i = 0; i < int(values.size()); ++i) {
            if (!Writable(row + i / columns, column + i % columns))
                return Refuse<qsizetype>(0);
        }
        for (int i = 0; i < int(values.size()); ++i)
            Cells[{row + i / columns, column + i % columns}] = values[std::size_t(i)];
        return qsizetype(values.size());
    }
    void Release() override {
        Calls << QStringLiteral("release");
        ++Releases;
        m_attached = m_document = m_sheet = false;
    }

    // "B3" for row 3, column 2.
    static QString Name(int row, int column) {
        return QString(QChar(u'A' + column - 1)) + QString::number(row);
    }

private:
    template <typename T> T Refuse(T result) {
        if (ThrowInstead)
            throw std::runtime_error("refused");
        return result;
    }
    bool Pass(Step step) { return RefuseAt == step ? Refuse(false) : true; }
    bool Writable(int row, int column) const {
        return m_sheet && row >= 1 && column >= 1 && row <= LastRow &&
               !(RefuseAt == Step::Cell && RefusedCell == qMakePair(row, column));
    }
    bool Store(int row, int column, const Value& value) {
        if (!Writable(row, column))
            return Refuse(false);
        Cells[{row, column}] = value;
        return true;
    }

    bool m_attached = false;
    bool m_document = false;
    bool m_sheet = false;
};
