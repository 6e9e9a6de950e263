// The series panel beside the chart.
#include "app/SeriesPanel.h"

#include "app/SeriesRecorder.h"
#include "app/SeriesTableModel.h"
#include "app/widgets/PanelLayout.h"
#include "app/widgets/SpeedButton.h"
#include "protocol/GaugeSettings.h"
#include "protocol/Numbers.h"
#include "state/Messages.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using namespace PanelLayout;

namespace {

// The rows of the statistics, in order.
enum StatRow { Count, Mean, StdDev, Min, Max, Range, Passed, Cp, Cpk, StatRows };
constexpr const char* StatNames[StatRows] = {
    "LabelSeriesCount",  "LabelSeriesMean", "LabelSeriesStdDev",
    "LabelSeriesMin",    "LabelSeriesMax",  "LabelSeriesRange",
    "LabelSeriesPassed", "LabelSeriesCp",   "LabelSeriesCpk"};

QString Value(double value, const QString& unit) {
    const QString number = FormatGeneralLocal(RoundDecimals(value, 4));
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

QString Index(const std::optional<double>& value) {
    return value ? QLocale().toString(*value, 'f', 2) : QStringLiteral("---");
}

} // namespace

SeriesPanel::SeriesPanel(SeriesRecorder& recorder, const GaugeSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_recorder(recorder)
    , m_settings(settings) {
    setObjectName(QStringLiteral("SeriesPanel"));
    auto* column = Tight(new QVBoxLayout(this), 4, 4, 4, 4, 4);

    auto* fields = Tight(new QGridLayout, 0, 0, 0, 0, 3);
    const struct {
        QLabel** Caption;
        const char* CaptionName;
        QLineEdit** Edit;
        const char* EditName;
    } rows[] = {{&m_lblOperator, "lblOperator", &m_eOperator, "eOperator"},
                {&m_lblPart, "lblPart", &m_ePart, "ePart"},
                {&m_lblNote, "lblNote", &m_eNote, "eNote"}};
    int line = 0;
    for (const auto& row : rows) {
        *row.Caption = Label(row.CaptionName, this);
        *row.Edit = Named(new QLineEdit(this), row.EditName);
        (*row.Caption)->setBuddy(*row.Edit);
        fields->addWidget(*row.Caption, line, 0);
        fields->addWidget(*row.Edit, line, 1);
        // What is typed goes with every test from now on.
        connect(*row.Edit, &QLineEdit::textChanged, this, [this] {
            m_recorder.SetTestFields(m_eOperator->text(), m_ePart->text(), m_eNote->text());
        });
        ++line;
    }
    column->addLayout(fields);

    m_model = new SeriesTableModel(m_recorder.Series(), this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_tvTests = Named(new QTableView(this), "tvTests");
    m_tvTests->setModel(m_sorted);
    m_tvTests->setSortingEnabled(true);
    m_tvTests->sortByColumn(-1, Qt::AscendingOrder);
    m_tvTests->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tvTests->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tvTests->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed);
    m_tvTests->verticalHeader()->hide();
    m_tvTests->setWordWrap(false);
    m_tvTests->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(m_tvTests, 1);

    auto* stats = Tight(new QGridLayout, 0, 0, 0, 0, 2);
    for (int row = 0; row < StatRows; ++row) {
        auto* caption = new QLabel(this);
        auto* value = Label(StatNames[row], this, QStringLiteral("---"));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        stats->addWidget(caption, row % 5, (row / 5) * 2);
        stats->addWidget(value, row % 5, (row / 5) * 2 + 1);
        m_statCaptions.append(caption);
        m_statValues.append(value);
    }
    stats->setColumnStretch(1, 1);
    stats->setColumnStretch(3, 1);
    column->addLayout(stats);

    auto* actions = Tight(new QHBoxLayout, 0, 0, 0, 0, 4);
    m_eSeriesName = Named(new QLineEdit(this), "eSeriesName");
    m_sbNewSeries = Button("sbNewSeries", this, QStringLiteral("icon-clear"));
    m_sbDeleteTests = Button("sbDeleteTests", this, QStringLiteral("icon-erase"));
    actions->addWidget(m_eSeriesName, 1);
    actions->addWidget(m_sbNewSeries);
    actions->addWidget(m_sbDeleteTests);
    column->addLayout(actions);

    connect(m_sbNewSeries, &SpeedButton::Click, this, &SeriesPanel::NewSeries);
    connect(m_sbDeleteTests, &SpeedButton::Click, this, &SeriesPanel::DeleteSelected);
    connect(m_tvTests->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        ShowStatistics();
        emit SelectionChanged();
    });
    // Rows come and go under the selection; the statistics follow every change.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        m_tvTests->resizeColumnsToContents();
        ShowStatistics();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // Deleted tests take their selection with them.
        ShowStatistics();
        emit SelectionChanged();
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this, &SeriesPanel::ShowStatistics);
    ShowStatistics();
}

void SeriesPanel::ShowTestFields(const QString& testOperator, const QString& part,
                                 const QString& note) {
    m_eOperator->setText(testOperator);
    m_ePart->setText(part);
    m_eNote->setText(note);
}

QList<int> SeriesPanel::SelectedTests() const {
    QList<int> tests;
    for (const QModelIndex& row : m_tvTests->selectionModel()->selectedRows())
        tests.append(m_sorted->mapToSource(row).row());
    std::sort(tests.begin(), tests.end());
    return tests;
}

void SeriesPanel::ShowStatistics() {
    const QList<TestRecord>& records = m_recorder.Series().Records();
    QList<int> chosen = SelectedTests();
    if (chosen.isEmpty()) {
        for (int i = 0; i < records.size(); ++i)
            chosen.append(i);
    }
    QList<const TestRecord*> selected;
    for (const int index : chosen)
        selected.append(&records.at(index));
    std::optional<Tolerance> limits;
    if (m_settings.ThresholdsOn())
        limits = Tolerance{ReadThreshold(m_settings.Text(SettingText::Low)),
                           ReadThreshold(m_settings.Text(SettingText::High))};
    const SeriesStatistics stats = SeriesStatistics::Of(selected, limits);
    if (stats.Count == 0) {
        for (QLabel* value : m_statValues)
            value->setText(QStringLiteral("---"));
        return;
    }
    const QString unit = selected.front()->Context.Unit;
    m_statValues[Count]->setText(QString::number(stats.Count));
    m_statValues[Mean]->setText(Value(stats.Mean, unit));
    m_statValues[StdDev]->setText(Value(stats.StdDev, unit));
    m_statValues[Min]->setText(Value(stats.Min, unit));
    m_statValues[Max]->setText(Value(stats.Max, unit));
    m_statValues[Range]->setText(Value(stats.Range, unit));
    const std::optional<double> share = stats.PassShare();
    m_statValues[Passed]->setText(share ? QStringLiteral("%1 / %2 (%3 %)")
                                              .arg(stats.Passed)
                                              .arg(stats.Judged)
                                              .arg(QLocale().toString(*share * 100, 'f', 0))
                                        : QStringLiteral("---"));
    m_statValues[Cp]->setText(Index(stats.Cp));
    m_statValues[Cpk]->setText(Index(stats.Cpk));
}

void SeriesPanel::DeleteSelected() {
    const QList<int> tests = SelectedTests();
    if (tests.isEmpty())
        return;
    if (!AskYesNo(tr("Usuń testy"), tr("Usunąć zaznaczone testy (%1)?").arg(tests.size()), this))
        return;
    m_recorder.Series().Remove(tests);
}

void SeriesPanel::NewSeries() {
    const QList<TestRecord>& records = m_recorder.Series().Records();
    if (!records.isEmpty() &&
        !AskYesNo(tr("Nowa seria"),
                  tr("Rozpocząć nową serię? Testy bieżącej serii (%1) znikną z tabeli.")
                      .arg(records.size()),
                  this))
        return;
    m_recorder.Series().StartNew(m_eSeriesName->text().trimmed());
}

void SeriesPanel::ApplyTexts() {
    m_lblOperator->setText(tr("Operator:"));
    m_lblPart->setText(tr("Część / partia:"));
    m_lblNote->setText(tr("Uwagi:"));
    const char* captions[StatRows] = {
        QT_TR_NOOP("Liczba testów:"), QT_TR_NOOP("Średnia:"), QT_TR_NOOP("Odchylenie std.:"),
        QT_TR_NOOP("Min.:"),          QT_TR_NOOP("Max.:"),    QT_TR_NOOP("Rozstęp:"),
        QT_TR_NOOP("Zgodne:"),        QT_TR_NOOP("Cp:"),      QT_TR_NOOP("Cpk:")};
    for (int row = 0; row < StatRows; ++row)
        m_statCaptions[row]->setText(tr(captions[row]));
    m_eSeriesName->setPlaceholderText(tr("Nazwa nowej serii"));
    m_sbNewSeries->setText(tr("Nowa seria"));
    m_sbDeleteTests->setText(tr("Usuń"));
    m_sbDeleteTests->setToolTip(tr("Usuwa zaznaczone testy z serii"));
    m_model->Retranslate();
}
