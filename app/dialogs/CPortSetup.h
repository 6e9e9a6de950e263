#pragma once

#include "link/SerialSettings.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
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

    // Captions, hints and list words in the current language; choices stay.
    void ApplyTexts();

protected:
    void changeEvent(QEvent* event) override;

private:
    void FillPorts(const QString& current);
    void sbApplyClick();
    void sbCancelClick();

    SerialSettings m_current;
    QGroupBox* m_gbSettings = nullptr;
    QLabel* m_lblPort = nullptr;
    QLabel* m_lblBaudRate = nullptr;
    QLabel* m_lblDataBits = nullptr;
    QLabel* m_lblStopBits = nullptr;
    QLabel* m_lblParity = nullptr;
    QLabel* m_lblFlowControl = nullptr;
    QComboBox* cbPort = nullptr;
    QComboBox* cbBaudRate = nullptr;
    QComboBox* cbDataBits = nullptr;
    QComboBox* cbStopBits = nullptr;
    QComboBox* cbParity = nullptr;
    QComboBox* cbFlowControl = nullptr;
    QPushButton* sbApply = nullptr;
    QPushButton* sbCancel = nullptr;
};
