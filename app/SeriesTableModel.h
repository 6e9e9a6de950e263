#pragma once

#include <QAbstractTableModel>

class TestSeries;

// The records of a series as table rows: the name can be edited, the verdict is coloured, and
// Qt::UserRole holds the raw value each column sorts by.
class SeriesTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Name,
        Peak,
        Result,
        Start,
        Samples,
        Duration,
        Min,
        Max,
        Mean,
        Origin,
        Gauge,
        Station,
        ColumnCount
    };

    explicit SeriesTableModel(TestSeries& series, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The header's captions follow the language.
    void Retranslate();

private:
    TestSeries& m_series;
    // Rows the views know of: a record is in the series before the view hears of it.
    int m_rows = 0;
};
