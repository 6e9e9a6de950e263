#pragma once

#include "protocol/GaugeSettings.h"

#include <QFrame>

#include <chrono>

class CheckBox;
class GaugeExchange;
class QLabel;
class QProgressBar;
class QTimer;
class SpeedButton;

// The panel above the chart: the gauge's display reading, tinted while readings keep coming,
// its battery, the port and exit buttons and the switches of the two polls.
class ReadingPanel final : public QFrame {
    Q_OBJECT

public:
    // How long the reading stays tinted as fresh after the last one came.
    static constexpr std::chrono::milliseconds FreshReading{500};

    ReadingPanel(GaugeExchange& exchange, QWidget* parent);

    void ApplyTexts();
    // The port button offers to close an open port, to open a closed one.
    void ShowPortOpen(bool open);
    // The display and battery polls are switched on.
    bool PollsDisplay() const;
    bool PollsBattery() const;

signals:
    void PortClicked();
    void ExitClicked();
    // A poll has been switched on again.
    void DisplayPollOn();
    void BatteryPollOn();

private:
    void Tint(bool fresh);

    GaugeExchange& m_exchange;
    bool m_portOpen = false;

    // --- Widgets (objectName = member name without "m_") ------------------------------
    QLabel* m_ImageLogo = nullptr;
    QLabel* m_PanelResult = nullptr;
    QLabel* m_lblBattery = nullptr;
    QProgressBar* m_pbBateryPercent = nullptr;
    QLabel* m_LabelBateryPercent = nullptr;
    SpeedButton* m_sbComPort = nullptr;
    SpeedButton* m_sbExit = nullptr;
    CheckBox* m_chkbUpdateDisplay = nullptr;
    CheckBox* m_chkbUpdateBattery = nullptr;
    QTimer* m_ConnectionTimer = nullptr;
};
