#include "app/dialogs/TConnectionForm.h"

#include "app/dialogs/ConnectionTarget.h"
#include "app/dialogs/UpDown.h"
#include "app/widgets/CheckBox.h"
#include "app/widgets/RadioGroup.h"
#include "app/widgets/SpeedButton.h"
#include "state/GaugeState.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int IpLength = 15;
constexpr int EthPortLength = 5;
constexpr int Margin = 8;
constexpr int Spacing = 4;
constexpr int ComFieldWidth = 40;
constexpr int IpFieldWidth = 110;
constexpr int PortFieldWidth = 50;
constexpr int ButtonHeight = 24;
// The minutes stand under the check box's text.
constexpr int ReconnectIndent = 20;

constexpr const char* BaudItems[] = {
    "50",   "75",   "110",  "134.5", "150",   "300",   "600",    "1200",   "1800",   "2400",
    "4800", "7200", "9600", "19200", "38400", "57600", "115200", "230400", "460800", "921600",
};

const QLatin1String ComPrefix("COM");

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The length limit is for typing: a value the program puts in is shown whole, so that
// "Zastosuj" does not store a shortened host.
void SetWhole(QLineEdit* edit, int typingLimit, const QString& text) {
    edit->setMaxLength(std::max(typingLimit, int(text.size())));
    edit->setText(text);
}

SpeedButton* Button(const char* name, QWidget* parent) {
    auto* button = Named(new SpeedButton(QString(), parent), name);
    button->setMinimumHeight(ButtonHeight);
    return button;
}

} // namespace

TConnectionForm::TConnectionForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ConnectionForm"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    BuildLayout();
    ApplyTexts();
    // The serial group shows until the dialog is shown for the network link.
    m_rgConnection->SetItemIndex(0);
}

QStringList TConnectionForm::BaudRateItems() {
    QStringList items;
    for (const char* item : BaudItems)
        items << QLatin1String(item);
    return items;
}

void TConnectionForm::BuildLayout() {
    m_rgConnection = Named(new RadioGroup(this), "rgConnection");
    m_rgConnection->SetColumns(2);
    m_rgConnection->SetItems({QString(), QString()});
    // Shows the interface in force; it is chosen elsewhere.
    m_rgConnection->setEnabled(false);
    connect(m_rgConnection, &RadioGroup::Click, this, &TConnectionForm::rgConnectionClick);

    m_gbEthernet = Named(new QGroupBox(this), "gbEthernet");
    m_lblIP = Named(new QLabel(m_gbEthernet), "lblIP");
    m_EditIP = Named(new QLineEdit(QStringLiteral("000.000.000.000"), m_gbEthernet), "EditIP");
    m_EditIP->setMaxLength(IpLength);
    m_EditIP->setMinimumWidth(IpFieldWidth);
    m_lblPort = Named(new QLabel(m_gbEthernet), "lblPort");
    m_EditPort = Named(new QLineEdit(QStringLiteral("00000"), m_gbEthernet), "EditPort");
    m_EditPort->setMaxLength(EthPortLength);
    m_EditPort->setFixedWidth(PortFieldWidth);
    auto* ethernet = new QGridLayout(m_gbEthernet);
    ethernet->setSpacing(Spacing);
    ethernet->addWidget(m_lblIP, 0, 0);
    ethernet->addWidget(m_EditIP, 0, 1);
    ethernet->addWidget(m_lblPort, 1, 0);
    ethernet->addWidget(m_EditPort, 1, 1, Qt::AlignLeft);
    ethernet->setColumnStretch(1, 1);

    m_gbSerialPort = Named(new QGroupBox(this), "gbSerialPort");
    m_lblCOM = Named(new QLabel(m_gbSerialPort), "lblCOM");
    m_EditCOM = Named(new QLineEdit(QStringLiteral("1"), m_gbSerialPort), "EditCOM");
    m_EditCOM->setFixedWidth(ComFieldWidth);
    m_UpDownCOM = Named(new UpDown(LowestComPort, HighestComPort, LowestComPort, m_gbSerialPort),
                        "UpDownCOM");
    connect(m_UpDownCOM, &UpDown::Click, this, &TConnectionForm::UpDownCOMClick);
    connect(m_EditCOM, &QLineEdit::textChanged, this, &TConnectionForm::EditCOMChange);
    m_lblBaudRate = Named(new QLabel(m_gbSerialPort), "lblBaudRate");
    m_cbBaudRate = Named(new QComboBox(m_gbSerialPort), "cbBaudRate");
    m_cbBaudRate->addItems(BaudRateItems());
    m_cbBaudRate->setCurrentIndex(FallbackBaudIndex);
    m_lblBps = Named(new QLabel(m_gbSerialPort), "lblBps");
    m_sbDetect = Button("sbDetect", m_gbSerialPort);
    m_sbSerialAdvanced = Button("sbSerialAdvanced", m_gbSerialPort);

    auto* com = new QHBoxLayout;
    com->setSpacing(0);
    com->addWidget(m_EditCOM);
    com->addWidget(m_UpDownCOM);
    com->addStretch();
    auto* baud = new QHBoxLayout;
    baud->setSpacing(Spacing);
    baud->addWidget(m_cbBaudRate);
    baud->addWidget(m_lblBps);
    baud->addStretch();
    auto* serialButtons = new QHBoxLayout;
    serialButtons->setSpacing(Spacing);
    serialButtons->addWidget(m_sbDetect);
    serialButtons->addWidget(m_sbSerialAdvanced);
    serialButtons->addStretch();
    auto* serial = new QGridLayout(m_gbSerialPort);
    serial->setSpacing(Spacing);
    serial->addWidget(m_lblCOM, 0, 0);
    serial->addLayout(com, 0, 1);
    serial->addWidget(m_lblBaudRate, 1, 0);
    serial->addLayout(baud, 1, 1);
    serial->addLayout(serialButtons, 2, 0, 1, 2);
    serial->setColumnStretch(1, 1);

    m_chkbReconnect = Named(new CheckBox(QString(), this), "chkbReconnect");
    m_lblReconnectMinutes = Named(new QLabel(this), "lblReconnectMinutes");
    m_seReconnectMinutes = Named(new QSpinBox(this), "seReconnectMinutes");
    m_seReconnectMinutes->setRange(Reconnection::LowestMinutes, Reconnection::HighestMinutes);
    m_seReconnectMinutes->setValue(Reconnection::DefaultMinutes);
    m_lblReconnectMinutes->setBuddy(m_seReconnectMinutes);
    connect(m_chkbReconnect, &CheckBox::Click, this, &TConnectionForm::chkbReconnectClick);
    auto* minutes = new QHBoxLayout;
    minutes->setSpacing(Spacing);
    minutes->setContentsMargins(ReconnectIndent, 0, 0, 0);
    minutes->addWidget(m_lblReconnectMinutes);
    minutes->addWidget(m_seReconnectMinutes);
    minutes->addStretch();

    m_sbApply = Button("sbApply", this);
    m_sbCancel = Button("sbCancel", this);
    connect(m_sbDetect, &SpeedButton::Click, this, &TConnectionForm::sbDetectClick);
    connect(m_sbSerialAdvanced, &SpeedButton::Click, this, &TConnectionForm::sbSerialAdvancedClick);
    connect(m_sbApply, &SpeedButton::Click, this, &TConnectionForm::sbApplyClick);
    connect(m_sbCancel, &SpeedButton::Click, this, &TConnectionForm::sbCancelClick);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(Spacing);
    buttons->addStretch();
    buttons->addWidget(m_sbApply);
    buttons->addWidget(m_sbCancel);

    // Both groups take the same place; the interface in force decides which one shows.
    auto* groups = new QGridLayout;
    groups->setContentsMargins(0, 0, 0, 0);
    groups->addWidget(m_gbEthernet, 0, 0);
    groups->addWidget(m_gbSerialPort, 0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Spacing);
    layout->addWidget(m_rgConnection);
    layout->addLayout(groups);
    layout->addWidget(m_chkbReconnect);
    layout->addLayout(minutes);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TConnectionForm::ApplyTexts() {
    setWindowTitle(tr("Ustawienia połączenia"));
    m_rgConnection->setTitle(tr("Podłączenie wagi:"));
    m_rgConnection->SetItemTexts({tr("Port szeregowy"), tr("Ethernet")});
    m_gbEthernet->setTitle(tr(" Ustawienia połączenia ethernetowego: "));
    m_lblIP->setText(tr("Adres IP:"));
    m_lblPort->setText(tr("Port:"));
    m_gbSerialPort->setTitle(tr(" Ustawienia portu szeregowego: "));
    m_lblCOM->setText(tr("Port COM:"));
    m_lblBaudRate->setText(tr("Prędkość:"));
    m_lblBps->setText(tr("bps"));
    m_sbDetect->setText(tr("Wykryj"));
    m_sbSerialAdvanced->setText(tr("Zaawansowane"));
    m_chkbReconnect->setText(tr("Ponawiaj połączenie po jego utracie"));
    m_lblReconnectMinutes->setText(tr("Ponawiaj przez:"));
    m_seReconnectMinutes->setSuffix(tr(" min"));
    m_sbApply->setText(tr("Zastosuj"));
    m_sbApply->setToolTip(tr("Apply settings"));
    m_sbCancel->setText(tr("Anuluj"));
    m_sbCancel->setToolTip(tr("Cancel settings"));
}

void TConnectionForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
}

void TConnectionForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TConnectionForm::FormShow() {
    const int index = Gauge().UseEthernet ? 1 : 0;
    if (m_rgConnection->ItemIndex() != index)
        m_rgConnection->SetItemIndex(index); // raises rgConnectionClick
    else
        rgConnectionClick();
    SetWhole(m_EditIP, IpLength, Gauge().EthHost);
    SetWhole(m_EditPort, EthPortLength, QString::number(Gauge().EthPort));
    GetCOMPortSettings();
    m_seReconnectMinutes->setValue(Gauge().ReconnectMinutes);
    m_chkbReconnect->setChecked(Gauge().ReconnectOnLoss);
    chkbReconnectClick();
}

void TConnectionForm::chkbReconnectClick() {
    m_lblReconnectMinutes->setEnabled(m_chkbReconnect->isChecked());
    m_seReconnectMinutes->setEnabled(m_chkbReconnect->isChecked());
}

void TConnectionForm::rgConnectionClick() {
    const bool serial = m_rgConnection->ItemIndex() == 0;
    m_gbSerialPort->setVisible(serial);
    m_gbEthernet->setVisible(m_rgConnection->ItemIndex() == 1);
    m_sbDetect->setEnabled(serial);
}

QString TConnectionForm::FieldFromPortName(const QString& portName) {
    QString field = portName;
    const qsizetype at = field.indexOf(ComPrefix, 0, Qt::CaseSensitive);
    if (at >= 0)
        field.remove(at, ComPrefix.size());
    return field;
}

QString TConnectionForm::PortNameFromField(const QString& text) {
    // A device named by its path (a port that is not "COMn") is kept as it stands.
    if (text.startsWith(QLatin1Char('/')))
        return text;
    return ComPrefix + text;
}

void TConnectionForm::GetCOMPortSettings() {
    if (!m_target)
        return;
    const SerialSettings settings = m_target->SerialPortSettings();
    m_EditCOM->setText(FieldFromPortName(settings.Port));
    const int item =
        m_cbBaudRate->findText(SerialText::ToText(settings.BaudRate), Qt::MatchExactly);
    m_cbBaudRate->setCurrentIndex(item >= 0 ? item : FallbackBaudIndex);
}

void TConnectionForm::UpDownCOMClick() {
    m_EditCOM->setText(QString::number(m_UpDownCOM->Position()));
}

void TConnectionForm::EditCOMChange() {
    bool ok = false;
    const int number = m_EditCOM->text().toInt(&ok);
    if (ok && number >= LowestComPort && number <= HighestComPort)
        m_UpDownCOM->SetPosition(number);
}

void TConnectionForm::sbDetectClick() {
    if (!m_target)
        return;
    const bool useEthernet = Gauge().UseEthernet;
    Gauge().UseEthernet = false;
    if (m_target->SerialLinkOpen())
        m_target->ClickPortButton();
    m_target->ShowAutoConfiguration(false);
    if (Gauge().PortConfigured)
        GetCOMPortSettings();
    Gauge().UseEthernet = useEthernet;
}

void TConnectionForm::sbSerialAdvancedClick() {
    if (m_target && m_target->ExecuteSerialSetup(this))
        GetCOMPortSettings();
}

void TConnectionForm::sbApplyClick() {
    Gauge().UseEthernet = m_rgConnection->ItemIndex() == 1;
    Gauge().EthHost = m_EditIP->text();
    bool ok = false;
    const int port = m_EditPort->text().toInt(&ok);
    Gauge().EthPort = ok ? port : FallbackEthPort;
    Gauge().ReconnectOnLoss = m_chkbReconnect->isChecked();
    Gauge().ReconnectMinutes = m_seReconnectMinutes->value();
    bool linkUsable = true;
    if (m_target) {
        SerialSettings settings = m_target->SerialPortSettings();
        settings.Port = PortNameFromField(m_EditCOM->text());
        settings.BaudRate = SerialText::BaudFromText(m_cbBaudRate->currentText())
                                .value_or(SerialSettings::Baud::B9600);
        linkUsable = m_target->ApplySerialPortSettings(settings);
        // A port that could not be reopened under its new name stays closed: one message
        // about it is enough, the port button is not pressed for a second one.
        if (linkUsable && (Gauge().UseEthernet || Gauge().PortConfigured))
            m_target->ClickPortButton();
    }
    accept();
}

void TConnectionForm::sbCancelClick() {
    reject();
}

GaugeState& TConnectionForm::Gauge() const {
    return m_target ? m_target->Gauge() : FirstGauge();
}
