#pragma once

#include "storage/results/DatabaseSettings.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThread;

// Where the results are kept: the SQLite file of this computer or a PostgreSQL server shared
// by the lab's stations, with a check of the connection before it is taken.
class TDatabaseForm final : public QDialog {
    Q_OBJECT

public:
    explicit TDatabaseForm(QWidget* parent = nullptr);
    // Waits for a check under way (at most the server's connect timeout).
    ~TDatabaseForm() override;

    void SetSettings(const DatabaseSettings& settings);
    DatabaseSettings Settings() const;

private:
    void ApplyTexts();
    void ShowKind();
    // Tries the settings on a thread of its own: a server that does not answer keeps the
    // dialog responsive.
    void CheckConnection();
    void ShowCheck(bool opened, const QString& error, const QString& where);

    QRadioButton* m_rbSqlite = nullptr;
    QRadioButton* m_rbPostgres = nullptr;
    QLabel* m_lblDbPath = nullptr;
    QLineEdit* m_eDbPath = nullptr;
    QLabel* m_lblDbHost = nullptr;
    QLineEdit* m_eDbHost = nullptr;
    QLabel* m_lblDbPort = nullptr;
    QSpinBox* m_seDbPort = nullptr;
    QLabel* m_lblDbName = nullptr;
    QLineEdit* m_eDbName = nullptr;
    QLabel* m_lblDbUser = nullptr;
    QLineEdit* m_eDbUser = nullptr;
    QLabel* m_lblDbPassword = nullptr;
    QLineEdit* m_eDbPassword = nullptr;
    QPushButton* m_btnDbCheck = nullptr;
    QLabel* m_lblDbCheck = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QThread* m_check = nullptr;
};
