#pragma once

#include <QGroupBox>

class ChartModel;
class QLabel;
class SpeedButton;

// The statistics group: count, minimum, maximum, sum and mean of the samples on the chart,
// brought up to date once a burst of samples has been added, and the button that clears them.
class StatisticsPanel final : public QGroupBox {
    Q_OBJECT

public:
    StatisticsPanel(const ChartModel& chart, QWidget* parent);

    void ApplyTexts();
    // The labels show the statistics of the samples so far.
    void Refresh();
    // The five labels show "---".
    void Clear();

signals:
    // "Wyczyść pomiary".
    void ClearClicked();

private:
    const ChartModel& m_chart;
    bool m_refreshPending = false;

    // --- Widgets (objectName = member name without "m_") ------------------------------
    SpeedButton* m_sbClear = nullptr;
    QLabel* m_lblCount = nullptr;
    QLabel* m_lblMin = nullptr;
    QLabel* m_lblMax = nullptr;
    QLabel* m_lblSum = nullptr;
    QLabel* m_lblAver = nullptr;
    QLabel* m_LabelCount = nullptr;
    QLabel* m_LabelMin = nullptr;
    QLabel* m_LabelMax = nullptr;
    QLabel* m_LabelSum = nullptr;
    QLabel* m_LabelAver = nullptr;
};
