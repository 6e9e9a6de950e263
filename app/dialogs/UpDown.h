#pragma once

#include <QWidget>

class QToolButton;

// A pair of small arrow buttons that step a position within a range and raise Click; the
// dialog copies the position into the edit field beside it.
class UpDown final : public QWidget {
    Q_OBJECT

public:
    UpDown(int minimum, int maximum, int position, QWidget* parent = nullptr);

    int Position() const { return m_position; }
    // Kept within the range; raises no Click.
    void SetPosition(int position);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }

    // One step up (positive) or down (negative), as a click on an arrow.
    void Step(int steps);

signals:
    void Click();

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 0;
    int m_position = 0;
};
