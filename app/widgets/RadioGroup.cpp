#include "app/widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , m_group(new QButtonGroup(this))
    , m_grid(new QGridLayout(this)) {
    m_group->setExclusive(true);
    m_grid->setContentsMargins(3, 1, 3, 1);
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(1);
    connect(m_group, &QButtonGroup::idToggled, this, &RadioGroup::ButtonToggled);
}

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : RadioGroup(parent) {
    setTitle(caption);
    SetItems(items);
}

void RadioGroup::SetItems(const QStringList& items) {
    m_items = items;
    m_itemIndex = -1;
    Rebuild();
}

void RadioGroup::SetItemTexts(const QStringList& texts) {
    if (texts.size() != m_items.size())
        return;
    m_items = texts;
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons.at(i)->setText(texts.at(i));
}

void RadioGroup::SetItemIndex(int index) {
    if (index < 0 || index >= m_items.size())
        index = -1;
    if (index == m_itemIndex)
        return;
    m_itemIndex = index;
    ShowIndex(index);
    emit Click();
}

void RadioGroup::SetColumns(int columns) {
    columns = std::max(1, columns);
    if (columns == m_columns)
        return;
    m_columns = columns;
    Arrange();
}

void RadioGroup::SetItemEnabled(int index, bool enabled) {
    if (QRadioButton* button = Button(index))
        button->setEnabled(enabled);
}

void RadioGroup::SetItemVisible(int index, bool visible) {
    if (QRadioButton* button = Button(index))
        button->setVisible(visible);
}

QRadioButton* RadioGroup::Button(int index) const {
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index) : nullptr;
}

void RadioGroup::Rebuild() {
    // The old buttons leave the group at once, so that nothing they still emit counts, but
    // are deleted later: the items may be replaced from a handler of one of their clicks.
    for (QRadioButton* button : std::as_const(m_buttons)) {
        m_group->removeButton(button);
        m_grid->removeWidget(button);
        button->hide();
        button->deleteLater();
    }
    m_buttons.clear();
    for (int i = 0; i < m_items.size(); ++i) {
        auto* button = new QRadioButton(m_items.at(i), this);
        m_group->addButton(button, i);
        m_buttons.append(button);
    }
    Arrange();
}

void RadioGroup::Arrange() {
    for (QRadioButton* button : std::as_const(m_buttons))
        m_grid->removeWidget(button);
    // Items fill the first column top to bottom, then the next one.
    const int count = int(m_buttons.size());
    const int rows = std::max(1, (count + m_columns - 1) / m_columns);
    for (int i = 0; i < count; ++i)
        m_grid->addWidget(m_buttons.at(i), i % rows, i / rows);
    for (int column = 0; column < m_columns; ++column)
        m_grid->setColumnStretch(column, 1);
}

void RadioGroup::ButtonToggled(int id, bool checked) {
    if (m_settingFromCode || !checked || id == m_itemIndex)
        return;
    m_itemIndex = id;
    emit Click();
}

void RadioGroup::ShowIndex(int index) {
    m_settingFromCode = true;
    if (index < 0) {
        // An exclusive group will not let its last checked button go.
        m_group->setExclusive(false);
        for (QRadioButton* button : std::as_const(m_buttons))
            button->setChecked(false);
        m_group->setExclusive(true);
    } else {
        m_buttons.at(index)->setChecked(true);
    }
    m_settingFromCode = false;
}
