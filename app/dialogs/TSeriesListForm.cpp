// Choosing a stored series.
#include "app/dialogs/TSeriesListForm.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TSeriesListForm::TSeriesListForm(const QList<StoredSeries>& series, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SeriesListForm"));
    setWindowTitle(tr("Otwórz serię z bazy wyników"));
    auto* column = new QVBoxLayout(this);
    m_tvStoredSeries = new QTreeWidget(this);
    m_tvStoredSeries->setObjectName(QStringLiteral("tvStoredSeries"));
    m_tvStoredSeries->setRootIsDecorated(false);
    m_tvStoredSeries->setHeaderLabels({tr("Seria"), tr("Początek"), tr("Testy"), tr("Stanowisko")});
    for (const StoredSeries& stored : series) {
        auto* item = new QTreeWidgetItem(m_tvStoredSeries,
                                         {stored.Name.isEmpty() ? tr("(bez nazwy)") : stored.Name,
                                          QLocale().toString(stored.Start, QLocale::ShortFormat),
                                          QString::number(stored.Tests), stored.Station});
        item->setData(0, Qt::UserRole, stored.Key);
    }
    m_tvStoredSeries->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_tvStoredSeries->topLevelItemCount() > 0)
        m_tvStoredSeries->setCurrentItem(m_tvStoredSeries->topLevelItem(0));
    column->addWidget(m_tvStoredSeries);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Open)->setEnabled(!series.isEmpty());
    column->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tvStoredSeries, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(560, 360);
}

QUuid TSeriesListForm::Chosen() const {
    const QTreeWidgetItem* item = m_tvStoredSeries->currentItem();
    return item ? item->data(0, Qt::UserRole).toUuid() : QUuid();
}
