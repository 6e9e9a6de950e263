#pragma once

#include <QCheckBox>

// A check box that raises Click on every change of its state, from the user or from code,
// and carries a free integer Tag for its owner.
class CheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit CheckBox(const QString& text = {}, QWidget* parent = nullptr);

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

signals:
    void Click();

private:
    int m_tag = 0;
};
