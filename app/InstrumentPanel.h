#pragma once

#include "protocol/GaugeSettings.h"
#include "protocol/OrderSet.h"

#include <QFrame>

#include <chrono>

class CheckBox;
class GaugeExchange;
class ImageButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;
class SpeedButton;
struct HourMinute;

// The panel right of the chart: which gauge is attached, its picture with keys that press the
// gauge's own, and the on-line and off-line measurement groups.
class InstrumentPanel final : public QFrame {
    Q_OBJECT

public:
    // How long a pressed key stays away before it shows again.
    static constexpr std::chrono::milliseconds PressInterval{200};

    InstrumentPanel(GaugeExchange& exchange, QWidget* parent);

    // Captions and hints in the current language.
    void ApplyTexts();

    // --- On-line measurement --------------------------------------------------------------
    bool RunAtChecked() const;
    // The start time typed beside "Uruchom o", as the run-at worker counts towards it.
    double StartTime() const;
    void SetStartTime(const HourMinute& time);
    // The countdown of a run waiting for its time; hidden, its room stays.
    void ShowCountdown(const QString& text);
    void HideCountdown();
    // "Start" is offered while no run is under way; "Stop" always.
    void SetRunning(bool running);
    bool StartOffered() const;

    // --- Off-line measurement -------------------------------------------------------------
    // The memory chosen for a download or an erase: RAM, EEPROM, SD card.
    int Memory() const;

signals:
    void StartClicked();
    void StopClicked();
    // The start time is to become the next minute.
    void NextMinuteRequested();
    void GetDataClicked();
    void ResetClicked();
    // The PEAK key: the settings panel's PEAK box changes as if clicked.
    void PeakPressed();

private:
    QWidget* BuildInstrument();
    QGroupBox* BuildOnline();
    QGroupBox* BuildOffline();
    void Wire();
    void ShowSetting(GaugeSettings::Item item);
    // A key gives way until the press timer shows it again.
    void PressKey(ImageButton* key, OrderSet::Order order);
    void PeakKeyClick();

    GaugeExchange& m_exchange;

    // --- Widgets (objectName = member name without "m_") ------------------------------
    QLabel* m_lblModel = nullptr;
    QLabel* m_LabelModel = nullptr;
    QLabel* m_lblSN = nullptr;
    QLabel* m_LabelSN = nullptr;
    QLabel* m_ImageInstrument = nullptr;
    ImageButton* m_ImageOnOff = nullptr;
    ImageButton* m_ImageZero = nullptr;
    ImageButton* m_ImagePeak = nullptr;
    ImageButton* m_ImageMem = nullptr;
    ImageButton* m_ImageStandby = nullptr;
    QTimer* m_TimerPress = nullptr;
    QGroupBox* m_gbOnline = nullptr;
    SpeedButton* m_sbStart = nullptr;
    SpeedButton* m_sbStop = nullptr;
    CheckBox* m_chbRunAt = nullptr;
    QLineEdit* m_eHour = nullptr;
    QLabel* m_lblTimeSeparator = nullptr;
    QLineEdit* m_eMinute = nullptr;
    SpeedButton* m_sbSetTime = nullptr;
    QLabel* m_lblRemain = nullptr;
    QLabel* m_lblRemainCounter = nullptr;
    QGroupBox* m_gbOffline = nullptr;
    QLabel* m_lblMemory = nullptr;
    QComboBox* m_cbMemory = nullptr;
    SpeedButton* m_sbGetData = nullptr;
    SpeedButton* m_sbReset = nullptr;
};
