#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// A framed group of mutually exclusive items that raises Click whenever its item index
// changes, whether the user picked an item or the program set the index.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit RadioGroup(QWidget* parent = nullptr);
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    QStringList Items() const { return m_items; }
    // Replaces the items; afterwards no item is selected and no Click is raised.
    void SetItems(const QStringList& items);
    // Renames the items in place (same count), keeping the selection: for a change of
    // language, which must not look like a choice.
    void SetItemTexts(const QStringList& texts);

    // -1 when no item is selected.
    int ItemIndex() const { return m_itemIndex; }
    // An index outside the items selects none. A change raises Click; the same index does not.
    void SetItemIndex(int index);

    int Columns() const { return m_columns; }
    void SetColumns(int columns);

    // Free integer for the owner; the settings panel keeps its SuppressNextClick mark here.
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    void SetItemEnabled(int index, bool enabled);
    void SetItemVisible(int index, bool visible);
    // The button of one item, or nullptr.
    QRadioButton* Button(int index) const;

signals:
    void Click();

private:
    void Rebuild();
    void Arrange();
    void ButtonToggled(int id, bool checked);
    void ShowIndex(int index);

    QStringList m_items;
    QList<QRadioButton*> m_buttons;
    QButtonGroup* m_group = nullptr;
    QGridLayout* m_grid = nullptr;
    int m_itemIndex = -1;
    int m_columns = 1;
    int m_tag = 0;
    bool m_settingFromCode = false;
};
