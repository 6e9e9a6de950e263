#pragma once

#include "storage/results/ResultsDatabase.h"

#include <QDialog>
#include <QUuid>

class QDialogButtonBox;
class QTreeWidget;

// The series kept in the results database, newest first, to choose one to open.
class TSeriesListForm final : public QDialog {
    Q_OBJECT

public:
    TSeriesListForm(const QList<StoredSeries>& series, QWidget* parent = nullptr);

    // The series chosen; null when none is.
    QUuid Chosen() const;

private:
    QTreeWidget* m_tvStoredSeries = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
