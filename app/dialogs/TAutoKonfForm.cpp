#include "app/dialogs/TAutoKonfForm.h"

#include "app/dialogs/AutoKonfTarget.h"
#include "app/dialogs/UpDown.h"
#include "app/widgets/SpeedButton.h"
#include "state/GaugeState.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int MaxPortLength = 3;
constexpr int Margin = 8;
constexpr int Spacing = 3;
constexpr int EditWidth = 36;
constexpr int ButtonHeight = 24;

constexpr std::array<const char*, 20> BaudTexts{
    "50",   "75",   "110",  "134",   "150",   "300",   "600",    "1200",   "1800",   "2400",
    "4800", "7200", "9600", "19200", "38400", "57600", "115200", "230400", "460800", "921600",
};

const QColor Navy(0, 0, 128);
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);
const QColor Magenta(255, 0, 255);

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void Colour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// The bold navy labels that show what the scan is doing.
QLabel* ValueLabel(const char* name, QWidget* parent) {
    auto* label = Named(new QLabel(parent), name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    Colour(label, Navy);
    return label;
}

} // namespace

TAutoKonfForm::TAutoKonfForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AutoKonfForm"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    m_Timer1 = Named(new QTimer(this), "Timer1");
    m_Timer1->setInterval(StepInterval);
    connect(m_Timer1, &QTimer::timeout, this, &TAutoKonfForm::Timer1Timer);
    m_closeTimer = Named(new QTimer(this), "AutoCloseTimer");
    m_closeTimer->setSingleShot(true);
    m_closeTimer->setInterval(AutoCloseDelay);
    connect(m_closeTimer, &QTimer::timeout, this, &QDialog::accept);

    BuildLayout();
    ApplyTexts();
}

TAutoKonfForm::~TAutoKonfForm() {
    // The field loses the focus while QDialog takes its children down; its slot would then
    // run on a dialog that is no longer a TAutoKonfForm.
    m_EditMaxPort->disconnect(this);
}

void TAutoKonfForm::BuildLayout() {
    m_lblPort = Named(new QLabel(this), "lblPort");
    m_lblBaudRate = Named(new QLabel(this), "lblBaudRate");
    m_lblRetry = Named(new QLabel(this), "lblRetry");
    m_lblState = Named(new QLabel(this), "lblState");
    m_lblMaxPort = Named(new QLabel(this), "lblMaxPort");
    m_LabelPort = ValueLabel("LabelPort", this);
    m_LabelBaudRate = ValueLabel("LabelBaudRate", this);
    m_LabelRetry = ValueLabel("LabelRetry", this);
    m_LabelState = ValueLabel("LabelState", this);
    // Outcome texts (and their translations) may be longer than the dialog is wide.
    m_LabelState->setWordWrap(true);

    m_EditMaxPort = Named(new QLineEdit(QStringLiteral("4"), this), "EditMaxPort");
    m_EditMaxPort->setMaxLength(MaxPortLength);
    m_EditMaxPort->setFixedWidth(EditWidth);
    m_UpDownMaxPort = Named(new UpDown(LowestMaxPort, HighestMaxPort, 4, this), "UpDownMaxPort");
    connect(m_UpDownMaxPort, &UpDown::Click, this, &TAutoKonfForm::UpDownMaxPortClick);
    // Typing is normalised when it is finished, so that a field being retyped is not
    // rewritten under the caret; texts set by the program are normalised at once.
    connect(m_EditMaxPort, &QLineEdit::editingFinished, this, &TAutoKonfForm::EditMaxPortChange);

    m_sbDetect = Named(new SpeedButton(QString(), this), "sbDetect");
    m_sbClose = Named(new SpeedButton(QString(), this), "sbClose");
    for (SpeedButton* button : {m_sbDetect, m_sbClose}) {
        button->setMinimumHeight(ButtonHeight);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    connect(m_sbDetect, &SpeedButton::Click, this, &TAutoKonfForm::sbDetectClick);
    connect(m_sbClose, &SpeedButton::Click, this, &TAutoKonfForm::sbCloseClick);

    auto* maxPort = new QHBoxLayout;
    maxPort->setSpacing(0);
    maxPort->addWidget(m_EditMaxPort);
    maxPort->addWidget(m_UpDownMaxPort);
    maxPort->addStretch();

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(2 * Spacing);
    grid->setVerticalSpacing(Spacing);
    const std::array<std::pair<QLabel*, QLabel*>, 4> rows{{
        {m_lblPort, m_LabelPort},
        {m_lblBaudRate, m_LabelBaudRate},
        {m_lblRetry, m_LabelRetry},
        {m_lblState, m_LabelState},
    }};
    int row = 0;
    for (const auto& [caption, value] : rows) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    grid->addWidget(m_lblMaxPort, row, 0);
    grid->addLayout(maxPort, row, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2 * Spacing);
    buttons->addWidget(m_sbDetect);
    buttons->addWidget(m_sbClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(2 * Spacing);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    // A dialog border: the designed size, grown rather than clipping a longer translation.
    resize(ClientSize.expandedTo(minimumSizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TAutoKonfForm::ApplyTexts() {
    setWindowTitle(tr("Auto-Konfi."));
    m_lblPort->setText(tr("Port:"));
    m_lblBaudRate->setText(tr("Baud:"));
    m_lblRetry->setText(tr("Versuche:"));
    m_lblState->setText(tr("Status:"));
    m_lblMaxPort->setText(tr("Max. Port:"));
    m_sbClose->setText(tr("S&chließen"));
    SetDetectCaption(m_detectCaption);
    setMinimumSize(minimumSizeHint());
}

void TAutoKonfForm::SetDetectCaption(DetectCaption caption) {
    m_detectCaption = caption;
    switch (caption) {
    case DetectCaption::Search:
        m_sbDetect->setText(tr("&Suchen"));
        break;
    case DetectCaption::Stop:
        m_sbDetect->setText(tr("Zatrzymaj"));
        break;
    case DetectCaption::Detect:
        m_sbDetect->setText(tr("Wykryj"));
        break;
    }
}

void TAutoKonfForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
}

QString TAutoKonfForm::BaudToStr(int index) {
    const char* speed = index >= 0 && index < int(BaudTexts.size()) ? BaudTexts[index] : "-";
    return QLatin1String(speed) + QStringLiteral(" bps");
}

int TAutoKonfForm::NormalizeMaxPort(const QString& text) {
    const QString number = text.trimmed();
    bool ok = false;
    const qlonglong value = number.toLongLong(&ok);
    if (ok)
        return value > HighestMaxPort  ? HighestMaxPort
               : value < LowestMaxPort ? LowestMaxPort
                                       : int(value);
    // Digits too many for any integer still make a number above the limit.
    static const QRegularExpression manyDigits(QStringLiteral("^\\+?[0-9]+$"));
    return manyDigits.match(number).hasMatch() ? HighestMaxPort : LowestMaxPort;
}

QString TAutoKonfForm::MaxPortText() const {
    return m_EditMaxPort->text();
}

void TAutoKonfForm::SetMaxPortText(const QString& text) {
    // Normalised before it meets the field's length limit, so that "1000" is not cut to "100".
    m_UpDownMaxPort->SetPosition(NormalizeMaxPort(text));
    m_EditMaxPort->setText(QString::number(m_UpDownMaxPort->Position()));
}

void TAutoKonfForm::EditMaxPortChange() {
    m_UpDownMaxPort->SetPosition(NormalizeMaxPort(m_EditMaxPort->text()));
    const QString normal = QString::number(m_UpDownMaxPort->Position());
    if (m_EditMaxPort->text() != normal)
        m_EditMaxPort->setText(normal);
}

void TAutoKonfForm::UpDownMaxPortClick() {
    m_EditMaxPort->setText(QString::number(m_UpDownMaxPort->Position()));
}

int TAutoKonfForm::MaxPort() const {
    bool ok = false;
    const int value = m_EditMaxPort->text().trimmed().toInt(&ok);
    return ok ? value : LowestMaxPort;
}

int TAutoKonfForm::DisplayForm(bool autoStart) {
    m_autoStart = autoStart;
    return exec();
}

void TAutoKonfForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TAutoKonfForm::FormShow() {
    EditMaxPortChange();
    if (m_autoStart)
        m_sbDetect->click();
}

void TAutoKonfForm::hideEvent(QHideEvent* event) {
    // A pending automatic close belongs to the showing that scheduled it.
    m_closeTimer->stop();
    QDialog::hideEvent(event);
}

void TAutoKonfForm::sbCloseClick() {
    close();
}

void TAutoKonfForm::SetState(const QString& text, const QColor& colour) {
    Colour(m_LabelState, colour);
    m_LabelState->setText(text);
}

void TAutoKonfForm::sbDetectClick() {
    if (m_scanning) {
        // The status keeps what it showed: the scan may be started again from here.
        m_Timer1->stop();
        m_scanning = false;
        SetDetectCaption(DetectCaption::Detect);
    } else {
        m_closeTimer->stop();
        EditMaxPortChange();
        m_scanning = true;
        Gauge().PortConfigured = false;
        m_port = 1;
        m_speedIndex = FirstSpeedIndex;
        m_attempts = 0;
        m_Timer1->start(StepInterval);
        SetDetectCaption(DetectCaption::Stop);
        m_LabelPort->setText(QStringLiteral("COM") + QString::number(m_port));
        m_LabelBaudRate->setText(BaudToStr(m_speedIndex));
        m_LabelRetry->setText(QStringLiteral("1"));
        SetState(tr("Trwa szukanie ustawień..."), Navy);
    }
    m_sbClose->setEnabled(!m_scanning);
}

void TAutoKonfForm::StopScan() {
    if (!m_scanning)
        return;
    m_Timer1->stop();
    m_closeTimer->stop();
    m_scanning = false;
    SetDetectCaption(DetectCaption::Detect);
    m_sbClose->setEnabled(true);
}

// One step: try the current port at the current speed once. The answer to "SI" is read by
// the reply side while the event loop waits for the next step, so a step first looks at
// whether the previous one found the gauge; the port is then left as it answered.
void TAutoKonfForm::Timer1Timer() {
    m_Timer1->stop();
    if (m_port <= MaxPort() && !Gauge().PortConfigured) {
        if (m_target && m_target->SerialPortIsOpen())
            m_target->CloseSerialPort();
        const QString portName = QStringLiteral("COM") + QString::number(m_port);
        const auto baud = m_speedIndex == FirstSpeedIndex ? SerialSettings::Baud::B57600
                                                          : SerialSettings::Baud::B115200;
        const bool opened = m_target && m_target->OpenSerialPortAt(portName, baud);
        if (!opened && m_target && m_target->SerialPortIsOpen())
            m_target->CloseSerialPort();
        ++m_attempts;
        m_LabelPort->setText(portName);
        m_LabelBaudRate->setText(BaudToStr(m_speedIndex));
        m_LabelRetry->setText(QString::number(m_attempts));

        if (!opened) {
            m_attempts = PortFailedIndex;
            m_speedIndex = PortFailedIndex;
        } else {
            m_target->AskForDisplay();
        }
        if (!Gauge().PortConfigured) {
            // The next speed or port is set when the next step opens the port, so that the
            // last attempt at a speed is still heard at that speed.
            if (m_attempts >= AttemptsPerSpeed) {
                if (m_speedIndex == FirstSpeedIndex) {
                    m_speedIndex = SecondSpeedIndex;
                } else {
                    ++m_port;
                    m_speedIndex = FirstSpeedIndex;
                }
                m_attempts = 0;
            }
            if (m_scanning)
                m_Timer1->start(StepInterval);
        }
    }
    if (m_Timer1->isActive())
        return;
    FinishScan();
}

void TAutoKonfForm::FinishScan() {
    if (Gauge().PortConfigured) {
        SetState(tr("Port skonfigurowany"), Green);
        // The window stays responsive while the result is on view.
        if (m_autoStart && isVisible())
            m_closeTimer->start();
    } else if (m_scanning) {
        SetState(tr("Brak komunikacji"), Red);
        // No gauge anywhere: the last port tried is not kept busy for nothing.
        if (m_target && m_target->SerialPortIsOpen())
            m_target->CloseSerialPort();
    } else {
        SetState(tr("Przerwano szukanie"), Magenta);
    }
    SetDetectCaption(DetectCaption::Detect);
    m_scanning = false;
    m_sbClose->setEnabled(true);
}

GaugeState& TAutoKonfForm::Gauge() const {
    return m_target ? m_target->Gauge() : FirstGauge();
}
