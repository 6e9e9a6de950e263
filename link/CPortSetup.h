#pragma once

#include "link/SerialSettings.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class SerialLink;

// The advanced serial settings: the six basic settings of the port in lists, taken over
// by the caller as one reconfiguration when the dialog is accepted.
class TComSetupFrm final : public QDialog {
    Q_OBJECT

public:
    explicit TComSetupFrm(const SerialSettings& current, QWidget* parent = nullptr);

    // The settings as chosen in the lists ("Custom" flow control keeps the port's own).
    SerialSettings ChosenSettings() const;

    // True after "Zastosuj", false after "Anuluj"; otherwise unchanged.
    bool SetupApplied = false;

    // Shows the dialog for the link and, on "Zastosuj", applies the chosen settings.
    // Returns SetupApplied.
    static bool Execute(SerialLink& link, QWidget* parent = nullptr);

private:
    void FillPorts(const QString& current);
    void sbApplyClick();
    void sbCancelClick();

    SerialSettings m_current;
    QComboBox* cbPort = nullptr;
    QComboBox* cbBaudRate = nullptr;
    QComboBox* cbDataBits = nullptr;
    QComboBox* cbStopBits = nullptr;
    QComboBox* cbParity = nullptr;
    QComboBox* cbFlowControl = nullptr;
    QPushButton* sbApply = nullptr;
    QPushButton* sbCancel = nullptr;
};
