#pragma once

#include "protocol/GaugeSettings.h"
#include "protocol/OrderSet.h"

#include <QGroupBox>
#include <QMetaObject>

#include <optional>

class CheckBox;
class CheckGroupHeader;
class GaugeExchange;
class QLabel;
class QLineEdit;
class RadioGroup;
class SpeedButton;

// The settings panel: shows the gauge's settings as the reply side and the user leave them,
// and sends the user's changes to the gauge. A control changed to show the gauge's value
// carries the SuppressNextClick mark, so that its handler sends nothing back.
class SettingsPanel final : public QGroupBox {
    Q_OBJECT

public:
    SettingsPanel(GaugeExchange& exchange, QWidget* parent);
    ~SettingsPanel() override;

    // Captions, hints and fixed item texts in the current language; what the gauge or the
    // user set stays.
    void ApplyTexts();

    // The selected items as a data file's header records them.
    QString UnitText() const;
    QString SpeedText() const;
    QString AcquisitionText() const;

    // The instrument picture's PEAK key: the box changes as if clicked.
    void TogglePeak();

signals:
    // The whole settings report is to be read again.
    void RefreshRequested();
    // A new speed has been ordered: readings wait for its confirmation.
    void SpeedOrdered();

private:
    void Build();
    QWidget* BuildAcquisition();
    QWidget* BuildThresholds();
    void Wire();
    void Follow();
    void ShowSetting(GaugeSettings::Item item);
    void ShowSettingText(SettingText field);
    void ShowCaptions();
    QLineEdit* EditOf(SettingText field) const;
    GaugeSettings& Settings() const;

    void rgUnitClick();
    void chkbPeakClick();
    void rgSpeedClick();
    void rgAcquisitionClick();
    void chkbThrClick();
    // A typed value goes out as typed (its first "," made a "."); one the gauge must not get
    // is refused with the reason, and the user is back in the field.
    void SendTyped(QLineEdit* field, const std::optional<QString>& fault, OrderSet::Order order);
    void sbLowClick();
    void sbHighClick();
    void dbZeroClick();
    void sbSampleCountClick();
    void sbSampleTimeClick();
    void sbAccelerationClick();

    GaugeExchange& m_exchange;
    // The focus of the text fields, followed until the panel goes.
    QMetaObject::Connection m_focusFollow;

    // --- Widgets (objectName = member name without "m_") ------------------------------
    RadioGroup* m_rgUnit = nullptr;
    CheckBox* m_chkbPeak = nullptr;
    RadioGroup* m_rgPeakMode = nullptr;
    CheckGroupHeader* m_peakHeader = nullptr;
    QGroupBox* m_gbAcquisition = nullptr;
    RadioGroup* m_rgAcquisition = nullptr;
    RadioGroup* m_rgSpeed = nullptr;
    QLabel* m_lbSampleCount = nullptr;
    QLineEdit* m_EditSampleCount = nullptr;
    SpeedButton* m_sbSampleCount = nullptr;
    QLabel* m_LabelSampleTime = nullptr;
    QLineEdit* m_EditSampleTime = nullptr;
    SpeedButton* m_sbSampleTime = nullptr;
    SpeedButton* m_sbUpdateSettings = nullptr;
    QGroupBox* m_gbThresholds = nullptr;
    CheckBox* m_chkbThr = nullptr;
    CheckGroupHeader* m_thrHeader = nullptr;
    QLabel* m_lblLow = nullptr;
    QLineEdit* m_EditLow = nullptr;
    SpeedButton* m_sbLow = nullptr;
    QLabel* m_lblHigh = nullptr;
    QLineEdit* m_EditHigh = nullptr;
    SpeedButton* m_sbHigh = nullptr;
    QLabel* m_lblZero = nullptr;
    QLineEdit* m_EditZero = nullptr;
    SpeedButton* m_dbZero = nullptr;
    QGroupBox* m_gbAcceleration = nullptr;
    QLineEdit* m_EditAcceleration = nullptr;
    QLabel* m_lblAccelerationUnit = nullptr;
    SpeedButton* m_sbAcceleration = nullptr;
};
