#pragma once

#include <QDialog>

class CheckBox;
class ConnectionTarget;
struct GaugeState;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class RadioGroup;
class SpeedButton;
class UpDown;

// The connection settings dialog: serial port and speed, or the gauge's network address, and
// how long a lost link is tried again. "Zastosuj" puts them in force and toggles the link once.
class TConnectionForm final : public QDialog {
    Q_OBJECT

public:
    // Taken when the port field or the port number is not usable.
    static constexpr int FallbackEthPort = 1001;
    // Selected when the port's speed is not among the items ("4800").
    static constexpr int FallbackBaudIndex = 10;
    static constexpr int LowestComPort = 1;
    static constexpr int HighestComPort = 255;

    explicit TConnectionForm(QWidget* parent = nullptr);

    // The window whose link the dialog sets; the dialog does not own it.
    void SetTarget(ConnectionTarget* target) { m_target = target; }

    // The speeds the list offers, in its order.
    static QStringList BaudRateItems();
    // The port name that "Zastosuj" makes of the text of EditCOM.
    static QString PortNameFromField(const QString& text);
    // The text EditCOM shows for a port name.
    static QString FieldFromPortName(const QString& portName);

    // Handlers; public so that a test can drive the dialog without a modal loop.
    void FormShow();
    void rgConnectionClick();
    void GetCOMPortSettings();
    void sbDetectClick();
    void sbSerialAdvancedClick();
    void sbApplyClick();
    void sbCancelClick();
    void UpDownCOMClick();
    void EditCOMChange();
    void chkbReconnectClick();

    // Captions in the current language; typed values and selections stay as they are.
    void ApplyTexts();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The gauge of the window the dialog serves now (the first one before any).
    GaugeState& Gauge() const;
    void BuildLayout();

    RadioGroup* m_rgConnection = nullptr;
    QGroupBox* m_gbEthernet = nullptr;
    QLabel* m_lblIP = nullptr;
    QLineEdit* m_EditIP = nullptr;
    QLabel* m_lblPort = nullptr;
    QLineEdit* m_EditPort = nullptr;
    QGroupBox* m_gbSerialPort = nullptr;
    QLabel* m_lblCOM = nullptr;
    QLineEdit* m_EditCOM = nullptr;
    UpDown* m_UpDownCOM = nullptr;
    QLabel* m_lblBaudRate = nullptr;
    QComboBox* m_cbBaudRate = nullptr;
    QLabel* m_lblBps = nullptr;
    SpeedButton* m_sbDetect = nullptr;
    SpeedButton* m_sbSerialAdvanced = nullptr;
    // Retries of a lost link, for either interface.
    CheckBox* m_chkbReconnect = nullptr;
    QLabel* m_lblReconnectMinutes = nullptr;
    QSpinBox* m_seReconnectMinutes = nullptr;
    SpeedButton* m_sbApply = nullptr;
    SpeedButton* m_sbCancel = nullptr;

    ConnectionTarget* m_target = nullptr;
};
