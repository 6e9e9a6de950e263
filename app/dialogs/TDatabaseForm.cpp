// The results database's settings.
#include "app/dialogs/TDatabaseForm.h"

#include "app/widgets/PanelLayout.h"
#include "storage/results/ResultsDatabase.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

using PanelLayout::Named;

namespace {
constexpr int HighestPort = 65535;
} // namespace

TDatabaseForm::TDatabaseForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DatabaseForm"));
    auto* column = new QVBoxLayout(this);
    m_rbSqlite = Named(new QRadioButton(this), "rbSqlite");
    m_rbPostgres = Named(new QRadioButton(this), "rbPostgres");
    column->addWidget(m_rbSqlite);
    auto* form = new QFormLayout;
    m_lblDbPath = new QLabel(this);
    m_eDbPath = Named(new QLineEdit(this), "eDbPath");
    m_eDbPath->setPlaceholderText(QDir::toNativeSeparators(DatabaseSettings::DefaultSqlitePath()));
    form->addRow(m_lblDbPath, m_eDbPath);
    column->addLayout(form);
    column->addWidget(m_rbPostgres);

    auto* server = new QFormLayout;
    m_lblDbHost = new QLabel(this);
    m_eDbHost = Named(new QLineEdit(this), "eDbHost");
    m_lblDbPort = new QLabel(this);
    m_seDbPort = Named(new QSpinBox(this), "seDbPort");
    m_seDbPort->setRange(1, HighestPort);
    m_lblDbName = new QLabel(this);
    m_eDbName = Named(new QLineEdit(this), "eDbName");
    m_lblDbUser = new QLabel(this);
    m_eDbUser = Named(new QLineEdit(this), "eDbUser");
    m_lblDbPassword = new QLabel(this);
    m_eDbPassword = Named(new QLineEdit(this), "eDbPassword");
    m_eDbPassword->setEchoMode(QLineEdit::Password);
    server->addRow(m_lblDbHost, m_eDbHost);
    server->addRow(m_lblDbPort, m_seDbPort);
    server->addRow(m_lblDbName, m_eDbName);
    server->addRow(m_lblDbUser, m_eDbUser);
    server->addRow(m_lblDbPassword, m_eDbPassword);
    column->addLayout(server);

    m_btnDbCheck = Named(new QPushButton(this), "btnDbCheck");
    m_lblDbCheck = Named(new QLabel(this), "lblDbCheck");
    m_lblDbCheck->setWordWrap(true);
    m_lblDbCheck->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_btnDbCheck, 0, Qt::AlignLeft);
    column->addWidget(m_lblDbCheck);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    column->addWidget(m_buttons);

    connect(m_rbSqlite, &QRadioButton::toggled, this, &TDatabaseForm::ShowKind);
    connect(m_btnDbCheck, &QPushButton::clicked, this, &TDatabaseForm::CheckConnection);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ApplyTexts();
    SetSettings(DatabaseSettings());
}

void TDatabaseForm::ApplyTexts() {
    setWindowTitle(tr("Baza wyników"));
    m_rbSqlite->setText(tr("Plik na tym komputerze (SQLite)"));
    m_rbPostgres->setText(tr("Serwer wspólny dla stanowisk (PostgreSQL)"));
    m_lblDbPath->setText(tr("Plik:"));
    m_lblDbHost->setText(tr("Serwer:"));
    m_lblDbPort->setText(tr("Port:"));
    m_lblDbName->setText(tr("Baza danych:"));
    m_lblDbUser->setText(tr("Użytkownik:"));
    m_lblDbPassword->setText(tr("Hasło:"));
    m_btnDbCheck->setText(tr("Sprawdź połączenie"));
}

void TDatabaseForm::SetSettings(const DatabaseSettings& settings) {
    (settings.Kind == DatabaseKind::PostgreSQL ? m_rbPostgres : m_rbSqlite)->setChecked(true);
    m_eDbPath->setText(QDir::toNativeSeparators(settings.Path));
    m_eDbHost->setText(settings.Host);
    m_seDbPort->setValue(settings.Port);
    m_eDbName->setText(settings.Name);
    m_eDbUser->setText(settings.User);
    m_eDbPassword->setText(settings.Password);
    m_lblDbCheck->clear();
    ShowKind();
}

DatabaseSettings TDatabaseForm::Settings() const {
    DatabaseSettings settings;
    settings.Kind = m_rbPostgres->isChecked() ? DatabaseKind::PostgreSQL : DatabaseKind::SQLite;
    settings.Path = QDir::fromNativeSeparators(m_eDbPath->text().trimmed());
    if (!m_eDbHost->text().trimmed().isEmpty())
        settings.Host = m_eDbHost->text().trimmed();
    settings.Port = m_seDbPort->value();
    if (!m_eDbName->text().trimmed().isEmpty())
        settings.Name = m_eDbName->text().trimmed();
    settings.User = m_eDbUser->text().trimmed();
    settings.Password = m_eDbPassword->text();
    return settings;
}

void TDatabaseForm::ShowKind() {
    const bool server = m_rbPostgres->isChecked();
    m_eDbPath->setEnabled(!server);
    for (QWidget* field : {static_cast<QWidget*>(m_eDbHost), static_cast<QWidget*>(m_seDbPort),
                           static_cast<QWidget*>(m_eDbName), static_cast<QWidget*>(m_eDbUser),
                           static_cast<QWidget*>(m_eDbPassword)})
        field->setEnabled(server);
    m_lblDbCheck->clear();
}

void TDatabaseForm::CheckConnection() {
    if (m_check)
        return;
    m_btnDbCheck->setEnabled(false);
    m_lblDbCheck->setStyleSheet(QString());
    m_lblDbCheck->setText(tr("Sprawdzanie połączenia..."));
    const DatabaseSettings settings = Settings();
    QPointer<TDatabaseForm> self(this);
    m_check = QThread::create([self, settings] {
        QString error;
        bool opened = false;
        {
            // A connection of its own, closed at once: the store's stays as it is until OK.
            ResultsDatabase probe(QStringLiteral("zfm-results-check"));
            opened = probe.Open(settings, &error);
        }
        QMetaObject::invokeMethod(
            qApp,
            [self, opened, error, where = settings.Description()] {
                if (self)
                    self->ShowCheck(opened, error, where);
            },
            Qt::QueuedConnection);
    });
    m_check->start();
}

void TDatabaseForm::ShowCheck(bool opened, const QString& error, const QString& where) {
    m_check->wait();
    delete m_check;
    m_check = nullptr;
    m_btnDbCheck->setEnabled(true);
    m_lblDbCheck->setStyleSheet(opened ? QStringLiteral("color: green")
                                       : QStringLiteral("color: red"));
    m_lblDbCheck->setText(opened ? tr("Połączenie działa: %1").arg(where)
                                 : tr("Brak połączenia: %1").arg(error));
}

TDatabaseForm::~TDatabaseForm() {
    if (m_check) {
        m_check->wait();
        delete m_check;
    }
}
