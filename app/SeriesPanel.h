#pragma once

#include "series/TestRecord.h"

#include <QVariant>
#include <QWidget>

#include <optional>

class GaugeSettings;
class QComboBox;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class SeriesExports;
class SeriesRecorder;
class SeriesTableModel;
class SpeedButton;

// The series panel: the current series' tests in a sortable table, the statistics of the
// selected ones (of all when none is selected), and what is typed once for the tests to come
// (operator, part or batch, note). Tests are renamed in the table, deleted, or a new series
// begun.
class SeriesPanel final : public QWidget {
    Q_OBJECT

public:
    SeriesPanel(SeriesRecorder& recorder, const GaugeSettings& settings, QWidget* parent);

    void ApplyTexts();
    // The fields typed for the tests to come, as config.xml kept them.
    void ShowTestFields(const QString& testOperator, const QString& part, const QString& note);
    // The selected tests as indexes into the series, in the series' order.
    QList<int> SelectedTests() const;

signals:
    void SelectionChanged();

private:
    // The tolerance the tests' statistics are taken against: the one they were all judged
    // against, else the thresholds shown now when "Progi" is on.
    std::optional<Tolerance> Limits(const QList<TestRecord>& records) const;
    // The selected tests, or all of them when none is selected.
    QList<TestRecord> ChosenRecords() const;
    void ShowStatistics();
    void FillTestsShown();
    // Shows only the tests whose column holds the text; all when the list is not a pair.
    void ShowOnly(const QVariantList& columnAndText);
    void DeleteSelected();
    void NewSeries();
    void OpenSeries();
    void ChooseDatabase();
    // Where the results go, or why they cannot; tests not stored yet are counted.
    void ShowDatabase();

    SeriesRecorder& m_recorder;
    const GaugeSettings& m_settings;
    SeriesTableModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;

    // --- Widgets (objectName = member name without "m_") ------------------------------
    QLabel* m_lblOperator = nullptr;
    QLineEdit* m_eOperator = nullptr;
    QLabel* m_lblPart = nullptr;
    QLineEdit* m_ePart = nullptr;
    QLabel* m_lblNote = nullptr;
    QLineEdit* m_eNote = nullptr;
    QComboBox* m_cbTestsShown = nullptr;
    QTableView* m_tvTests = nullptr;
    QList<QLabel*> m_statCaptions;
    QList<QLabel*> m_statValues;
    QLineEdit* m_eSeriesName = nullptr;
    SpeedButton* m_sbNewSeries = nullptr;
    SpeedButton* m_sbDeleteTests = nullptr;
    QLabel* m_lblDatabase = nullptr;
    SpeedButton* m_sbOpenSeries = nullptr;
    SpeedButton* m_sbDatabase = nullptr;
    SpeedButton* m_sbReport = nullptr;
    SpeedButton* m_sbCsvTable = nullptr;
    SpeedButton* m_sbCsvSamples = nullptr;
    SeriesExports* m_exports = nullptr;

    // What the store last said.
    QString m_databaseWhere;
    QString m_databaseError;
    int m_unsaved = 0;
    // The list of stored series was asked for by the user and is to be shown.
    bool m_listAsked = false;
};
