#include "app/dialogs/CPortSetup.h"

#include "link/PortResolver.h"
#include "link/SerialLink.h"
#include "state/Messages.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The dialog's designed size; fonts that need more room make it grow rather than clip.
constexpr QSize DialogSize{231, 216};
constexpr int Spacing = 2;
constexpr int Margin = 6;
// Lists are at least as wide as this many characters.
constexpr int ListCharacters = 8;

void Narrow(QComboBox* list) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(ListCharacters);
}

// A closed list shows its choice whole, in every language: a clipped port name hides which
// device is meant, and some translated words are longer than the designed width.
// The list counts its width in widths of an "x".
void FitLongestItem(QComboBox* list) {
    const QFontMetrics metrics = list->fontMetrics();
    const int x = std::max(1, metrics.horizontalAdvance(QLatin1Char('x')));
    int longest = 0;
    for (int i = 0; i < list->count(); ++i)
        longest = std::max(longest, metrics.horizontalAdvance(list->itemText(i)));
    list->setMinimumContentsLength(std::max(ListCharacters, (longest + x - 1) / x));
}

QComboBox* NewList(const QString& objectName, const QStringList& items, const QString& current,
                   QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    Narrow(list);
    // Each item keeps the port's own word as its data; the shown text may be translated.
    for (const QString& item : items)
        list->addItem(item, item);
    list->setCurrentIndex(std::max<qsizetype>(0, items.indexOf(current)));
    return list;
}

QString PortCaption(const QString& name) {
    const QString device = PortResolver::Resolve(name);
    if (device.isEmpty() || device == name)
        return name;
    return QStringLiteral("%1 (%2)").arg(name, device);
}

// The words of the parity and flow-control lists. The port and "ComPort.ini" know them in
// English; the lists show them translated.
struct ListWordText {
    const char* Text;
    const char* Comment;
};
constexpr ListWordText ListWords[] = {
    QT_TRANSLATE_NOOP3("TComSetupFrm", "None", "parity or flow control"),
    QT_TRANSLATE_NOOP3("TComSetupFrm", "Odd", "parity"),
    QT_TRANSLATE_NOOP3("TComSetupFrm", "Even", "parity"),
    QT_TRANSLATE_NOOP3("TComSetupFrm", "Mark", "parity"),
    QT_TRANSLATE_NOOP3("TComSetupFrm", "Space", "parity"),
    QT_TRANSLATE_NOOP3("TComSetupFrm", "Hardware", "flow control"),
    QT_TRANSLATE_NOOP3("TComSetupFrm", "Software", "flow control"),
    QT_TRANSLATE_NOOP3("TComSetupFrm", "Custom", "flow control"),
};

QString ListWord(const QString& word) {
    for (const ListWordText& entry : ListWords)
        if (word == QLatin1String(entry.Text))
            return TComSetupFrm::tr(entry.Text, entry.Comment);
    return word;
}

template <typename T>
T FromList(const QComboBox* list, std::optional<T> (*parse)(const QString&), T fallback) {
    return parse(list->currentData().toString()).value_or(fallback);
}

} // namespace

TComSetupFrm::TComSetupFrm(const SerialSettings& current, QWidget* parent)
    : QDialog(parent)
    , m_current(current) {
    setObjectName(QStringLiteral("TComSetupFrm"));

    m_gbSettings = new QGroupBox(this);
    m_gbSettings->setObjectName(QStringLiteral("gbSettings"));
    auto* form = new QFormLayout(m_gbSettings);
    form->setContentsMargins(Margin, Margin, Margin, Margin);
    form->setSpacing(Spacing);

    cbPort = new QComboBox(m_gbSettings);
    cbPort->setObjectName(QStringLiteral("cbPort"));
    Narrow(cbPort);
    FillPorts(current.Port);
    cbBaudRate = NewList(QStringLiteral("cbBaudRate"), SerialText::BaudRates(),
                         SerialText::ToText(current.BaudRate), m_gbSettings);
    cbDataBits = NewList(QStringLiteral("cbDataBits"), SerialText::DataBits(),
                         SerialText::ToText(current.DataBits), m_gbSettings);
    cbStopBits = NewList(QStringLiteral("cbStopBits"), SerialText::StopBits(),
                         SerialText::ToText(current.StopBits), m_gbSettings);
    cbParity = NewList(QStringLiteral("cbParity"), SerialText::Parities(),
                       SerialText::ToText(current.Parity), m_gbSettings);
    cbFlowControl = NewList(QStringLiteral("cbFlowControl"), SerialText::FlowControls(),
                            SerialText::ToText(current.FlowControl), m_gbSettings);

    const struct {
        QLabel** Label;
        const char* Name;
        QComboBox* List;
    } rows[] = {{&m_lblPort, "lblPort", cbPort},
                {&m_lblBaudRate, "lblBaudRate", cbBaudRate},
                {&m_lblDataBits, "lblDataBits", cbDataBits},
                {&m_lblStopBits, "lblStopBits", cbStopBits},
                {&m_lblParity, "lblParity", cbParity},
                {&m_lblFlowControl, "lblFlowControl", cbFlowControl}};
    for (const auto& row : rows) {
        *row.Label = new QLabel(m_gbSettings);
        (*row.Label)->setObjectName(QLatin1String(row.Name));
        form->addRow(*row.Label, row.List);
    }

    sbApply = new QPushButton(this);
    sbApply->setObjectName(QStringLiteral("sbApply"));
    sbApply->setDefault(true);
    sbCancel = new QPushButton(this);
    sbCancel->setObjectName(QStringLiteral("sbCancel"));
    connect(sbApply, &QPushButton::clicked, this, &TComSetupFrm::sbApplyClick);
    connect(sbCancel, &QPushButton::clicked, this, &TComSetupFrm::sbCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sbApply);
    buttons->addWidget(sbCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Spacing);
    layout->addWidget(m_gbSettings);
    layout->addLayout(buttons);

    ApplyTexts();
    resize(DialogSize.expandedTo(minimumSizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TComSetupFrm::ApplyTexts() {
    setWindowTitle(tr("RS-232 settings"));
    m_gbSettings->setTitle(tr(" Settings: "));
    m_lblPort->setText(tr("Port:"));
    m_lblBaudRate->setText(tr("Baud rate:"));
    m_lblDataBits->setText(tr("Data bits:"));
    m_lblStopBits->setText(tr("Stop bits:"));
    m_lblParity->setText(tr("Parity:"));
    m_lblFlowControl->setText(tr("Flow control:"));
    // The lists show the words in the current language; the port takes its own (data).
    for (QComboBox* list : {cbParity, cbFlowControl})
        for (int i = 0; i < list->count(); ++i)
            list->setItemText(i, ListWord(list->itemData(i).toString()));
    for (QComboBox* list : {cbPort, cbBaudRate, cbDataBits, cbStopBits, cbParity, cbFlowControl})
        FitLongestItem(list);
    sbApply->setText(tr("Zastosuj"));
    sbApply->setToolTip(tr("Apply settings"));
    sbCancel->setText(tr("Anuluj"));
    sbCancel->setToolTip(tr("Cancel settings"));
}

void TComSetupFrm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
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
    // A port that stays open refused a setting: it says which, and keeps what worked. (A
    // port that cannot be opened under its new name is reported by the link's loss.)
    if (dialog.SetupApplied && !link.ApplySettings(dialog.ChosenSettings()) && link.IsOpen())
        ShowMessage(tr("RS-232 settings"), link.ErrorString(), MessageIcon::Warning, parent);
    return dialog.SetupApplied;
}
