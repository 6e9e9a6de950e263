#pragma once

#include <QDialog>

#include <chrono>
#include <cstdint>

class AutoKonfTarget;
struct GaugeState;
class QLabel;
class QLineEdit;
class QTimer;
class SpeedButton;
class UpDown;

// The serial auto-configuration dialog: finds the port and speed on which a gauge answers,
// trying COM1 up to a maximum at 57600 and then 115200 baud, and leaves that port open.
class TAutoKonfForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds StepInterval{500};
    // How long "Port skonfigurowany" stays on view before an automatic scan closes the dialog.
    static constexpr std::chrono::milliseconds AutoCloseDelay{2000};
    // Speed indexes as BaudToStr counts them; the last one marks a port that would not open.
    static constexpr int FirstSpeedIndex = 15;
    static constexpr int SecondSpeedIndex = 16;
    static constexpr int PortFailedIndex = 100;
    static constexpr int AttemptsPerSpeed = 3;
    static constexpr int LowestMaxPort = 1;
    static constexpr int HighestMaxPort = 255;
    static constexpr QSize ClientSize{223, 145};

    explicit TAutoKonfForm(QWidget* parent = nullptr);
    ~TAutoKonfForm() override;

    // The window whose port is scanned; the dialog does not own it.
    void SetTarget(AutoKonfTarget* target) { m_target = target; }

    // "50 bps" ... "921600 bps" for the indexes 0 to 19, "- bps" for any other.
    static QString BaudToStr(int index);
    // The highest port to try for a typed text: a number from 1 to 255 as it is, larger
    // numbers 255, anything else 1.
    static int NormalizeMaxPort(const QString& text);

    // The text of EditMaxPort, as config.xml keeps it. Setting it normalises it, as typing does.
    QString MaxPortText() const;
    void SetMaxPortText(const QString& text);

    // Shows the dialog modally; with autoStart the scan begins as soon as it is shown.
    int DisplayForm(bool autoStart);
    bool AutoStart() const { return m_autoStart; }
    bool Scanning() const { return m_scanning; }
    // Ends a running scan without a word, as when the program closes its port for good.
    void StopScan();

    // Handlers; public so that a test can step the scan without waiting for the timer.
    void sbDetectClick();
    void sbCloseClick();
    void Timer1Timer();
    void UpDownMaxPortClick();
    void EditMaxPortChange();

    // Captions in the current language; the values the scan shows stay as they are.
    void ApplyTexts();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The gauge of the window the dialog serves now (the first one before any).
    GaugeState& Gauge() const;
    enum class DetectCaption : std::uint8_t { Search, Stop, Detect };

    void FormShow();
    void BuildLayout();
    void SetDetectCaption(DetectCaption caption);
    void SetState(const QString& text, const QColor& colour);
    void FinishScan();
    int MaxPort() const;

    QLabel* m_lblPort = nullptr;
    QLabel* m_lblBaudRate = nullptr;
    QLabel* m_lblRetry = nullptr;
    QLabel* m_lblState = nullptr;
    QLabel* m_lblMaxPort = nullptr;
    QLabel* m_LabelPort = nullptr;
    QLabel* m_LabelBaudRate = nullptr;
    QLabel* m_LabelRetry = nullptr;
    QLabel* m_LabelState = nullptr;
    QLineEdit* m_EditMaxPort = nullptr;
    UpDown* m_UpDownMaxPort = nullptr;
    SpeedButton* m_sbDetect = nullptr;
    SpeedButton* m_sbClose = nullptr;
    QTimer* m_Timer1 = nullptr;
    QTimer* m_closeTimer = nullptr;

    AutoKonfTarget* m_target = nullptr;
    DetectCaption m_detectCaption = DetectCaption::Search;
    bool m_autoStart = false;
    bool m_scanning = false;
    bool m_normalizing = false;
    int m_port = 1;
    int m_speedIndex = FirstSpeedIndex;
    int m_attempts = 0;
};
