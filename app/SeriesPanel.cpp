// The series panel beside the chart.
#include "app/SeriesPanel.h"

#include "app/SeriesExports.h"
#include "app/SeriesRecorder.h"
#include "app/SeriesTableModel.h"
#include "app/dialogs/TDatabaseForm.h"
#include "app/dialogs/TSeriesListForm.h"
#include "app/widgets/PanelLayout.h"
#include "app/widgets/SpeedButton.h"
#include "protocol/GaugeSettings.h"
#include "protocol/Numbers.h"
#include "state/Messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalBlocker>
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
    // With tests of several gauges or stations in the series, those of one can be shown alone.
    m_cbTestsShown = Named(new QComboBox(this), "cbTestsShown");
    m_cbTestsShown->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    column->addWidget(m_cbTestsShown);
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

    auto* outputs = Tight(new QHBoxLayout, 0, 0, 0, 0, 4);
    m_sbReport = Button("sbReport", this, QStringLiteral("icon-file"));
    m_sbCsvTable = Button("sbCsvTable", this, QStringLiteral("icon-export"));
    m_sbCsvSamples = Button("sbCsvSamples", this, QStringLiteral("icon-export"));
    outputs->addWidget(m_sbReport);
    outputs->addWidget(m_sbCsvTable);
    outputs->addWidget(m_sbCsvSamples);
    outputs->addStretch(1);
    column->addLayout(outputs);
    m_exports = new SeriesExports(this);
    connect(m_sbReport, &SpeedButton::Click, this, [this] {
        const QList<TestRecord> records = ChosenRecords();
        const QString title = records.size() == 1                    ? records.front().Name
                              : m_recorder.Series().Name().isEmpty() ? tr("Seria testów")
                                                                     : m_recorder.Series().Name();
        m_exports->WriteReport(title, records, Limits(records));
    });
    connect(m_sbCsvTable, &SpeedButton::Click, this,
            [this] { m_exports->WriteTableCsv(m_recorder.Series().Name(), ChosenRecords()); });
    connect(m_sbCsvSamples, &SpeedButton::Click, this, [this] {
        const QList<int> tests = SelectedTests();
        if (tests.size() == 1)
            m_exports->WriteSamplesCsv(m_recorder.Series().Records().at(tests.front()));
    });

    auto* database = Tight(new QHBoxLayout, 0, 0, 0, 0, 4);
    m_lblDatabase = Label("lblDatabase", this);
    m_lblDatabase->setWordWrap(true);
    m_lblDatabase->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_sbOpenSeries = Button("sbOpenSeries", this, QStringLiteral("icon-open"));
    m_sbDatabase = Button("sbDatabase", this, QStringLiteral("icon-data-folder"));
    database->addWidget(m_lblDatabase, 1);
    database->addWidget(m_sbOpenSeries);
    database->addWidget(m_sbDatabase);
    column->addLayout(database);

    ResultsStore& results = m_recorder.Results();
    connect(&results, &ResultsStore::Opened, this, [this](const QString& where) {
        m_databaseWhere = where;
        m_databaseError.clear();
        ShowDatabase();
    });
    connect(&results, &ResultsStore::Failed, this, [this](const QString& message) {
        m_databaseError = message;
        m_listAsked = false;
        ShowDatabase();
    });
    connect(&results, &ResultsStore::Stored, this, [this] {
        m_databaseError.clear();
        ShowDatabase();
    });
    connect(&results, &ResultsStore::UnsavedChanged, this, [this](int count) {
        m_unsaved = count;
        ShowDatabase();
    });
    connect(&results, &ResultsStore::SeriesListed, this, [this](const QList<StoredSeries>& series) {
        if (!std::exchange(m_listAsked, false))
            return;
        TSeriesListForm form(series, this);
        if (form.exec() == QDialog::Accepted && !form.Chosen().isNull())
            m_recorder.Results().LoadSeries(form.Chosen());
    });
    connect(&results, &ResultsStore::SeriesLoaded, this,
            [this](const QUuid&, const QString&, const QList<TestRecord>&, const QString& warning) {
                if (!warning.isEmpty())
                    ShowMessage(tr("Seria z bazy wyników"), warning, MessageIcon::Warning, this);
            });
    connect(m_sbOpenSeries, &SpeedButton::Click, this, &SeriesPanel::OpenSeries);
    connect(m_sbDatabase, &SpeedButton::Click, this, &SeriesPanel::ChooseDatabase);

    connect(m_sbNewSeries, &SpeedButton::Click, this, &SeriesPanel::NewSeries);
    connect(m_sbDeleteTests, &SpeedButton::Click, this, &SeriesPanel::DeleteSelected);
    connect(m_tvTests->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        ShowStatistics();
        emit SelectionChanged();
    });
    // Rows come and go under the selection; the statistics follow every change.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        m_tvTests->resizeColumnsToContents();
        FillTestsShown();
        ShowStatistics();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // Deleted tests take their selection with them.
        FillTestsShown();
        ShowStatistics();
        emit SelectionChanged();
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this, &SeriesPanel::ShowStatistics);
    connect(m_cbTestsShown, &QComboBox::currentIndexChanged, this, [this] {
        ShowOnly(m_cbTestsShown->currentData().toList());
        ShowStatistics();
        emit SelectionChanged();
    });
    FillTestsShown();
    ShowStatistics();
}

// "All tests", then each gauge and each station of the series; the choice stays while it is
// still there. Hidden while there is nothing to choose between.
void SeriesPanel::FillTestsShown() {
    const QVariant chosen = m_cbTestsShown->currentData();
    QStringList gauges;
    QStringList stations;
    for (const TestRecord& record : m_recorder.Series().Records()) {
        const QString gauge = TestTexts::GaugeText(record.Context);
        if (!gauge.isEmpty() && !gauges.contains(gauge))
            gauges.append(gauge);
        if (!record.Context.Station.isEmpty() && !stations.contains(record.Context.Station))
            stations.append(record.Context.Station);
    }
    const QSignalBlocker quiet(m_cbTestsShown);
    m_cbTestsShown->clear();
    m_cbTestsShown->addItem(tr("Wszystkie testy"));
    for (const QString& gauge : gauges)
        m_cbTestsShown->addItem(tr("Miernik: %1").arg(gauge),
                                QVariantList{int(SeriesTableModel::Gauge), gauge});
    for (const QString& station : stations)
        m_cbTestsShown->addItem(tr("Stanowisko: %1").arg(station),
                                QVariantList{int(SeriesTableModel::Station), station});
    const bool choice = gauges.size() > 1 || stations.size() > 1;
    const int index = choice ? m_cbTestsShown->findData(chosen) : -1;
    m_cbTestsShown->setCurrentIndex(std::max(index, 0));
    m_cbTestsShown->setVisible(choice);
    ShowOnly(m_cbTestsShown->currentData().toList());
}

void SeriesPanel::ShowOnly(const QVariantList& columnAndText) {
    if (columnAndText.size() != 2) {
        m_sorted->setFilterRegularExpression(QRegularExpression());
        return;
    }
    m_sorted->setFilterKeyColumn(columnAndText[0].toInt());
    m_sorted->setFilterRegularExpression(QRegularExpression(
        QLatin1Char('^') + QRegularExpression::escape(columnAndText[1].toString()) +
        QLatin1Char('$')));
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

std::optional<Tolerance> SeriesPanel::Limits(const QList<TestRecord>& records) const {
    // Tests judged against one tolerance are summed up against it, whatever is shown now (a
    // series opened from the database, thresholds changed since).
    if (!records.isEmpty() && records.front().Context.Limits) {
        const Tolerance common = *records.front().Context.Limits;
        if (std::all_of(records.cbegin(), records.cend(), [&](const TestRecord& record) {
                return record.Context.Limits && record.Context.Limits->Low == common.Low &&
                       record.Context.Limits->High == common.High;
            }))
            return common;
    }
    if (!m_settings.ThresholdsOn())
        return std::nullopt;
    return Tolerance{ReadThreshold(m_settings.Text(SettingText::Low)),
                     ReadThreshold(m_settings.Text(SettingText::High))};
}

QList<TestRecord> SeriesPanel::ChosenRecords() const {
    const QList<TestRecord>& records = m_recorder.Series().Records();
    QList<int> chosen = SelectedTests();
    if (chosen.isEmpty() && m_sorted->rowCount() == records.size())
        return records;
    // Without a selection, the tests shown.
    if (chosen.isEmpty()) {
        for (int row = 0; row < m_sorted->rowCount(); ++row)
            chosen.append(m_sorted->mapToSource(m_sorted->index(row, 0)).row());
        std::sort(chosen.begin(), chosen.end());
    }
    QList<TestRecord> selected;
    for (const int index : chosen)
        selected.append(records.at(index));
    return selected;
}

void SeriesPanel::ShowStatistics() {
    const QList<TestRecord> chosen = ChosenRecords();
    QList<const TestRecord*> selected;
    for (const TestRecord& record : chosen)
        selected.append(&record);
    const SeriesStatistics stats = SeriesStatistics::Of(selected, Limits(chosen));
    const bool any = !chosen.isEmpty();
    m_sbReport->setEnabled(any);
    m_sbCsvTable->setEnabled(any);
    m_sbCsvSamples->setEnabled(SelectedTests().size() == 1);
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
                  tr("Rozpocząć nową serię? Testy bieżącej serii (%1) znikną z tabeli; "
                     "pozostają w bazie wyników.")
                      .arg(records.size()),
                  this))
        return;
    m_recorder.Series().StartNew(m_eSeriesName->text().trimmed());
}

void SeriesPanel::OpenSeries() {
    m_listAsked = true;
    m_recorder.Results().ListSeries();
}

void SeriesPanel::ChooseDatabase() {
    TDatabaseForm form(this);
    form.SetSettings(m_recorder.Database());
    if (form.exec() != QDialog::Accepted)
        return;
    m_databaseWhere.clear();
    m_databaseError.clear();
    m_recorder.SetDatabase(form.Settings());
    ShowDatabase();
}

void SeriesPanel::ShowDatabase() {
    QString text;
    if (!m_databaseError.isEmpty())
        text = tr("Baza wyników niedostępna: %1").arg(m_databaseError);
    else if (!m_databaseWhere.isEmpty())
        text = tr("Wyniki zapisywane w: %1").arg(m_databaseWhere);
    if (m_unsaved > 0)
        text += QLatin1Char(' ') +
                tr("(niezapisane testy: %1, kolejna próba za chwilę)").arg(m_unsaved);
    m_lblDatabase->setStyleSheet(m_databaseError.isEmpty() ? QString()
                                                           : QStringLiteral("color: red"));
    m_lblDatabase->setText(text);
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
    m_sbDeleteTests->setToolTip(tr("Usuwa zaznaczone testy z serii i z bazy wyników"));
    m_sbReport->setText(tr("Raport PDF"));
    m_sbReport->setToolTip(tr("Raport zaznaczonych testów (lub całej serii) do podpisu"));
    m_sbCsvTable->setText(tr("CSV serii"));
    m_sbCsvTable->setToolTip(tr("Tabela zaznaczonych testów (lub całej serii) w pliku CSV"));
    m_sbCsvSamples->setText(tr("CSV próbek"));
    m_sbCsvSamples->setToolTip(tr("Próbki zaznaczonego testu w pliku CSV"));
    m_sbOpenSeries->setText(tr("Otwórz serię"));
    m_sbOpenSeries->setToolTip(tr("Otwiera serię zapisaną w bazie wyników"));
    m_sbDatabase->setText(tr("Baza wyników"));
    m_sbDatabase->setToolTip(tr("Gdzie zapisywane są wyniki: plik SQLite lub serwer PostgreSQL"));
    ShowDatabase();
    m_model->Retranslate();
    FillTestsShown();
}
