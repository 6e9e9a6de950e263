#include "link/CPortSetup.h"

#include "link/PortResolver.h"
#include "link/SerialLink.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The dialog's designed size; fonts that need more room make it grow rather than clip.
constexpr QSize DialogSize{231, 216};
constexpr int Spacing = 2;
constexpr int Margin = 6;
// Lists are as wide as this many characters; their pop-ups show the long port names whole.
constexpr int ListCharacters = 8;

void Narrow(QComboBox* list) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(ListCharacters);
}

QComboBox* NewList(const QString& objectName, const QStringList& items, const QString& current,
                   QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    Narrow(list);
    list->addItems(items);
    list->setCurrentIndex(std::max<qsizetype>(0, items.indexOf(current)));
    return list;
}

QString PortCaption(const QString& name) {
    const QString device = PortResolver::Resolve(name);
    if (device.isEmpty() || device == name)
        return name;
    return QStringLiteral("%1 (%2)").arg(name, device);
}

template <typename T>
T FromList(const QComboBox* list, std::optional<T> (*parse)(const QString&), T fallback) {
    return parse(list->currentText()).value_or(fallback);
}

} // namespace

TComSetupFrm::TComSetupFrm(const SerialSettings& current, QWidget* parent)
    : QDialog(parent)
    , m_current(current) {
    setObjectName(QStringLiteral("TComSetupFrm"));
    setWindowTitle(tr("RS-232 settings"));

    auto* group = new QGroupBox(tr(" Settings: "), this);
    group->setObjectName(QStringLiteral("gbSettings"));
    auto* form = new QFormLayout(group);
    form->setContentsMargins(Margin, Margin, Margin, Margin);
    form->setSpacing(Spacing);

    cbPort = new QComboBox(group);
    cbPort->setObjectName(QStringLiteral("cbPort"));
    Narrow(cbPort);
    FillPorts(current.Port);
    cbBaudRate = NewList(QStringLiteral("cbBaudRate"), SerialText::BaudRates(),
                         SerialText::ToText(current.BaudRate), group);
    cbDataBits = NewList(QStringLiteral("cbDataBits"), SerialText::DataBits(),
                         SerialText::ToText(current.DataBits), group);
    cbStopBits = NewList(QStringLiteral("cbStopBits"), SerialText::StopBits(),
                         SerialText::ToText(current.StopBits), group);
    cbParity = NewList(QStringLiteral("cbParity"), SerialText::Parities(),
                       SerialText::ToText(current.Parity), group);
    cbFlowControl = NewList(QStringLiteral("cbFlowControl"), SerialText::FlowControls(),
                            SerialText::ToText(current.FlowControl), group);

    form->addRow(tr("Port:"), cbPort);
    form->addRow(tr("Baud rate:"), cbBaudRate);
    form->addRow(tr("Data bits:"), cbDataBits);
    form->addRow(tr("Stop bits:"), cbStopBits);
    form->addRow(tr("Parity:"), cbParity);
    form->addRow(tr("Flow control:"), cbFlowControl);

    sbApply = new QPushButton(tr("Zastosuj"), this);
    sbApply->setObjectName(QStringLiteral("sbApply"));
    sbApply->setToolTip(tr("Apply settings"));
    sbApply->setDefault(true);
    sbCancel = new QPushButton(tr("Anuluj"), this);
    sbCancel->setObjectName(QStringLiteral("sbCancel"));
    sbCancel->setToolTip(tr("Cancel settings"));
    connect(sbApply, &QPushButton::clicked, this, &TComSetupFrm::sbApplyClick);
    connect(sbCancel, &QPushButton::clicked, this, &TComSetupFrm::sbCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sbApply);
    buttons->addWidget(sbCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Spacing);
    layout->addWidget(group);
    layout->addLayout(buttons);

    resize(DialogSize.expandedTo(minimumSizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TComSetupFrm::FillPorts(const QString& current) {
    const QStringList names = PortResolver::AvailablePorts();
    for (const QString& name : names)
        cbPort->addItem(PortCaption(name), name);
    // A port that is not present now (unplugged, or named by its device) stays choosable.
    if (!names.contains(current))
        cbPort->insertItem(0, PortCaption(current), current);
    cbPort->setCurrentIndex(cbPort->findData(current));
}

SerialSettings TComSetupFrm::ChosenSettings() const {
    SerialSettings chosen = m_current;
    chosen.Port = cbPort->currentData().toString();
    chosen.BaudRate = FromList(cbBaudRate, &SerialText::BaudFromText, m_current.BaudRate);
    chosen.DataBits = FromList(cbDataBits, &SerialText::DataFromText, m_current.DataBits);
    chosen.StopBits = FromList(cbStopBits, &SerialText::StopFromText, m_current.StopBits);
    chosen.Parity = FromList(cbParity, &SerialText::ParityFromText, m_current.Parity);
    chosen.FlowControl = FromList(cbFlowControl, &SerialText::FlowFromText, m_current.FlowControl);
    if (chosen.FlowControl == SerialSettings::Flow::Custom)
        chosen.FlowControl = m_current.FlowControl;
    return chosen;
}

void TComSetupFrm::sbApplyClick() {
    SetupApplied = true;
    accept();
}

void TComSetupFrm::sbCancelClick() {
    SetupApplied = false;
    reject();
}

bool TComSetupFrm::Execute(SerialLink& link, QWidget* parent) {
    TComSetupFrm dialog(link.Settings(), parent);
    dialog.exec();
    if (dialog.SetupApplied)
        link.ApplySettings(dialog.ChosenSettings());
    return dialog.SetupApplied;
}
