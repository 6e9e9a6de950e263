// The series table's rows and columns.
#include "app/SeriesTableModel.h"

#include "protocol/Numbers.h"
#include "series/TestSeries.h"

#include <QColor>
#include <QLocale>

namespace {

const QColor PassTint(200, 240, 200);
const QColor FailTint(250, 200, 200);

QString WithUnit(double value, const QString& unit) {
    return unit.isEmpty() ? FormatGeneralLocal(value)
                          : FormatGeneralLocal(value) + QLatin1Char(' ') + unit;
}

} // namespace

SeriesTableModel::SeriesTableModel(TestSeries& series, QObject* parent)
    : QAbstractTableModel(parent)
    , m_series(series)
    , m_rows(int(series.Records().size())) {
    connect(&m_series, &TestSeries::RecordAdded, this, [this](int index) {
        beginInsertRows({}, m_rows, index);
        m_rows = int(m_series.Records().size());
        endInsertRows();
    });
    connect(&m_series, &TestSeries::RecordRenamed, this, [this](int row) {
        if (row < m_rows)
            emit dataChanged(index(row, Name), index(row, Name));
    });
    connect(&m_series, &TestSeries::Changed, this, [this] {
        beginResetModel();
        m_rows = int(m_series.Records().size());
        endResetModel();
    });
}

int SeriesTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int SeriesTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SeriesTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const TestRecord& record = m_series.Records().at(index.row());
    const QString& unit = record.Context.Unit;
    if (role == Qt::BackgroundRole && index.column() == Result) {
        if (record.Result == Verdict::Pass)
            return PassTint;
        if (record.Result == Verdict::Fail)
            return FailTint;
        return {};
    }
    if (role == Qt::TextAlignmentRole && index.column() != Name && index.column() < Origin)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    const bool display = role == Qt::DisplayRole || role == Qt::ToolTipRole;
    const bool sort = role == Qt::UserRole;
    if (role == Qt::EditRole && index.column() == Name)
        return record.Name;
    if (!display && !sort)
        return {};
    switch (Column(index.column())) {
    case Name:
        return record.Name;
    case Start:
        return sort ? QVariant(record.Context.Start)
                    : QVariant(QLocale().toString(record.Context.Start, QLocale::ShortFormat));
    case Peak:
        return sort ? QVariant(record.Peak) : QVariant(WithUnit(record.Peak, unit));
    case Result:
        return sort ? QVariant(int(record.Result))
                    : QVariant(TestTexts::VerdictText(record.Result));
    case Samples:
        return record.SampleCount;
    case Duration:
        return sort ? QVariant(record.Duration)
                    : QVariant(FormatGeneralLocal(record.Duration) + QStringLiteral(" s"));
    case Min:
        return sort ? QVariant(record.Min) : QVariant(WithUnit(record.Min, unit));
    case Max:
        return sort ? QVariant(record.Max) : QVariant(WithUnit(record.Max, unit));
    case Mean:
        return sort ? QVariant(record.Mean)
                    : QVariant(WithUnit(RoundDecimals(record.Mean, 4), unit));
    case Origin:
        return TestTexts::OriginText(record.Context.Origin);
    case Gauge:
        return TestTexts::GaugeText(record.Context);
    case Station:
        return record.Context.Station;
    case ColumnCount:
        break;
    }
    return {};
}

QVariant SeriesTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (Column(section)) {
    case Name:
        return tr("Nazwa");
    case Start:
        return tr("Początek");
    case Peak:
        return tr("Szczyt");
    case Result:
        return tr("Ocena");
    case Samples:
        return tr("Próbki");
    case Duration:
        return tr("Czas");
    case Min:
        return tr("Min.");
    case Max:
        return tr("Max.");
    case Mean:
        return tr("Średnia");
    case Origin:
        return tr("Źródło");
    case Gauge:
        return tr("Miernik");
    case Station:
        return tr("Stanowisko");
    case ColumnCount:
        break;
    }
    return {};
}

Qt::ItemFlags SeriesTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Name)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool SeriesTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != Name || index.row() >= m_rows)
        return false;
    const QString name = value.toString().trimmed();
    // A test keeps a name: an emptied cell keeps the old one.
    if (name.isEmpty())
        return false;
    m_series.Rename(index.row(), name);
    return true;
}

void SeriesTableModel::Retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
}
