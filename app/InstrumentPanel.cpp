// The instrument panel: identity, picture and keys, and the two measurement groups.
#include "app/InstrumentPanel.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/PanelLayout.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/SpeedButton.h"
#include "link/GaugeExchange.h"
#include "link/NewThread.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

using namespace PanelLayout;
using Order = OrderSet::Order;

namespace {

constexpr int PanelRightWidth = 138;
constexpr QSize InstrumentSize{128, 80};
constexpr int KeySize = 20;
// Where the keys sit on the instrument picture (tools/pictures/make_pictures.py).
constexpr int KeyTop = 50;
constexpr int KeyLeft[] = {8, 31, 54, 77, 100};
const QColor RemainGreen(0, 128, 0);

} // namespace

InstrumentPanel::InstrumentPanel(GaugeExchange& exchange, QWidget* parent)
    : QFrame(parent)
    , m_exchange(exchange) {
    WhitePanel(this, "PanelRight");
    KeepDesignedWidth(this, PanelRightWidth);
    auto* column = Tight(new QVBoxLayout(this), 3, 4, 3, 3, 0);

    m_lblModel = Label("lblModel", this);
    m_LabelModel = Label("LabelModel", this, QStringLiteral("---"));
    m_lblSN = Label("lblSN", this);
    m_LabelSN = Label("LabelSN", this, QStringLiteral("---"));
    MakeBold(m_LabelModel);
    MakeBold(m_LabelSN);
    for (QLabel* label : {m_lblModel, m_LabelModel, m_lblSN, m_LabelSN})
        column->addWidget(label);
    column->addSpacing(4);
    column->addWidget(BuildInstrument(), 0, Qt::AlignHCenter);
    column->addSpacing(3);
    column->addWidget(BuildOnline());
    column->addSpacing(2);
    column->addWidget(BuildOffline());
    column->addStretch(1);
    for (SpeedButton* button : {m_sbStart, m_sbStop, m_sbGetData, m_sbReset})
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    // Runs from the start, and brings back keys hidden by an order with the press flag,
    // whoever sent it.
    m_TimerPress = Named(new QTimer(this), "TimerPress");
    m_TimerPress->setInterval(PressInterval);
    m_TimerPress->start();
    Wire();
}

// The picture with the five keys laid over it where it shows them.
QWidget* InstrumentPanel::BuildInstrument() {
    auto* instrument = Named(new QWidget(this), "Instrument");
    instrument->setFixedSize(InstrumentSize);
    m_ImageInstrument = Label("ImageInstrument", instrument);
    m_ImageInstrument->setPixmap(Pictures::Render(QStringLiteral("instrument"), InstrumentSize));
    m_ImageInstrument->setGeometry(QRect(QPoint(0, 0), InstrumentSize));
    const struct {
        ImageButton** Member;
        const char* Name;
        const char* Picture;
    } keys[] = {{&m_ImageOnOff, "ImageOnOff", "key-onoff"},
                {&m_ImageZero, "ImageZero", "key-zero"},
                {&m_ImagePeak, "ImagePeak", "key-peak"},
                {&m_ImageMem, "ImageMem", "key-mem"},
                {&m_ImageStandby, "ImageStandby", "key-standby"}};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        auto* key = Named(new ImageButton(instrument), keys[i].Name);
        key->setGeometry(KeyLeft[i], KeyTop, KeySize, KeySize);
        key->SetPicture(QLatin1String(keys[i].Picture));
        *keys[i].Member = key;
    }
    return instrument;
}

QGroupBox* InstrumentPanel::BuildOnline() {
    m_gbOnline = Group("gbOnline", this);
    auto* online = Tight(new QGridLayout(m_gbOnline));
    m_sbStart = Button("sbStart", m_gbOnline, {});
    m_sbStop = Button("sbStop", m_gbOnline, {});
    m_sbStart->SetPicture(QStringLiteral("icon-start"), {12, 12});
    m_sbStop->SetPicture(QStringLiteral("icon-stop"), {12, 12});
    m_chbRunAt = Named(new CheckBox({}, m_gbOnline), "chbRunAt");
    m_eHour = Edit("eHour", m_gbOnline, QStringLiteral("12"), 2, 26);
    m_lblTimeSeparator = Label("lblTimeSeparator", m_gbOnline, QStringLiteral(":"));
    m_eMinute = Edit("eMinute", m_gbOnline, QStringLiteral("00"), 2, 26);
    for (QLineEdit* edit : {m_eHour, m_eMinute})
        edit->setAlignment(Qt::AlignCenter);
    m_sbSetTime = Named(new SpeedButton({}, m_gbOnline), "sbSetTime");
    m_sbSetTime->SetPicture(QStringLiteral("icon-clock"), {14, 14});
    m_sbSetTime->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_sbSetTime->setFixedSize(SetButtonSize);
    m_lblRemain = Label("lblRemain", m_gbOnline);
    m_lblRemainCounter = Label("lblRemainCounter", m_gbOnline, QStringLiteral("---"));
    for (QLabel* label : {m_lblRemain, m_lblRemainCounter}) {
        QPalette green = label->palette();
        green.setColor(QPalette::WindowText, RemainGreen);
        label->setPalette(green);
        // The countdown comes and goes without moving the controls around it.
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->hide();
    }
    auto* startStop = Tight(new QHBoxLayout, 0, 0, 0, 0, 4);
    startStop->addWidget(m_sbStart);
    startStop->addWidget(m_sbStop);
    auto* time = Tight(new QHBoxLayout, 0, 0, 0, 0, 2);
    time->addWidget(m_eHour);
    time->addWidget(m_lblTimeSeparator);
    time->addWidget(m_eMinute);
    time->addSpacing(4);
    time->addWidget(m_sbSetTime);
    time->addStretch(1);
    auto* remain = Tight(new QHBoxLayout, 0, 0, 0, 0, 4);
    remain->addWidget(m_lblRemain);
    remain->addWidget(m_lblRemainCounter, 1);
    online->addLayout(startStop, 0, 0);
    online->addWidget(m_chbRunAt, 1, 0);
    online->addLayout(time, 2, 0);
    online->addLayout(remain, 3, 0);
    return m_gbOnline;
}

QGroupBox* InstrumentPanel::BuildOffline() {
    m_gbOffline = Group("gbOffline", this);
    auto* offline = Tight(new QGridLayout(m_gbOffline));
    m_lblMemory = Label("lblMemory", m_gbOffline);
    m_cbMemory = Named(new QComboBox(m_gbOffline), "cbMemory");
    m_lblMemory->setBuddy(m_cbMemory);
    m_cbMemory->setEditable(false);
    m_cbMemory->addItems({QStringLiteral("RAM"), QStringLiteral("EEPROM"), tr("karta SD")});
    m_cbMemory->setCurrentIndex(0);
    m_cbMemory->setFixedHeight(SetButtonSize.height());
    // The list takes the room beside its caption rather than asking for its widest item.
    m_cbMemory->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_sbGetData = Button("sbGetData", m_gbOffline, QStringLiteral("icon-download"));
    m_sbReset = Button("sbReset", m_gbOffline, QStringLiteral("icon-erase"));
    offline->addWidget(m_lblMemory, 0, 0);
    offline->addWidget(m_cbMemory, 0, 1);
    offline->addWidget(m_sbGetData, 1, 0, 1, 2);
    offline->addWidget(m_sbReset, 2, 0, 1, 2);
    offline->setColumnStretch(1, 1);
    return m_gbOffline;
}

void InstrumentPanel::Wire() {
    const struct {
        ImageButton* Key;
        Order Pressed;
    } keys[] = {{m_ImageZero, Order::Tare},
                {m_ImageOnOff, Order::OnOff},
                {m_ImageStandby, Order::Standby},
                {m_ImageMem, Order::Mem}};
    for (const auto& entry : keys)
        connect(entry.Key, &ImageButton::Click, this,
                [this, entry] { PressKey(entry.Key, entry.Pressed); });
    connect(m_ImagePeak, &ImageButton::Click, this, &InstrumentPanel::PeakKeyClick);
    connect(m_TimerPress, &QTimer::timeout, this, [this] {
        m_TimerPress->stop();
        for (ImageButton* key :
             {m_ImageMem, m_ImagePeak, m_ImageOnOff, m_ImageStandby, m_ImageZero})
            key->show();
    });
    connect(&m_exchange, &GaugeExchange::OrderSent, this, [this](const QByteArray&, bool press) {
        // A running press timer is not restarted.
        if (press && !m_TimerPress->isActive())
            m_TimerPress->start();
    });

    connect(m_sbStart, &SpeedButton::Click, this, &InstrumentPanel::StartClicked);
    connect(m_sbStop, &SpeedButton::Click, this, &InstrumentPanel::StopClicked);
    connect(m_sbSetTime, &SpeedButton::Click, this, &InstrumentPanel::NextMinuteRequested);
    connect(m_sbGetData, &SpeedButton::Click, this, &InstrumentPanel::GetDataClicked);
    connect(m_sbReset, &SpeedButton::Click, this, &InstrumentPanel::ResetClicked);

    connect(&m_exchange.Settings(), &GaugeSettings::Changed, this, &InstrumentPanel::ShowSetting);
}

void InstrumentPanel::ShowSetting(GaugeSettings::Item item) {
    const GaugeSettings& settings = m_exchange.Settings();
    if (item == GaugeSettings::Item::Model) {
        m_LabelModel->setText(settings.Model());
        m_LabelModel->setToolTip(settings.Model());
    } else if (item == GaugeSettings::Item::SerialNumber) {
        m_LabelSN->setText(settings.SerialNumber());
        m_LabelSN->setToolTip(settings.SerialNumber());
    }
}

void InstrumentPanel::PressKey(ImageButton* key, Order order) {
    if (m_exchange.RefusesDuringRun())
        return;
    key->hide();
    m_exchange.Send(order);
}

void InstrumentPanel::PeakKeyClick() {
    if (m_exchange.RefusesDuringRun())
        return;
    m_ImagePeak->hide();
    emit PeakPressed();
    // When the settings panel sent nothing (a mark left by the reply side swallowed the
    // change), the key must still come back.
    if (!m_TimerPress->isActive())
        m_TimerPress->start();
}

bool InstrumentPanel::RunAtChecked() const {
    return m_chbRunAt->isChecked();
}

double InstrumentPanel::StartTime() const {
    return StartTimeFromFields(m_eHour->text(), m_eMinute->text());
}

void InstrumentPanel::SetStartTime(const HourMinute& time) {
    m_eHour->setText(time.Hour);
    m_eMinute->setText(time.Minute);
}

void InstrumentPanel::ShowCountdown(const QString& text) {
    m_lblRemainCounter->setText(text);
    m_lblRemain->show();
    m_lblRemainCounter->show();
}

void InstrumentPanel::HideCountdown() {
    m_lblRemain->hide();
    m_lblRemainCounter->hide();
}

void InstrumentPanel::SetRunning(bool running) {
    m_sbStart->setEnabled(!running);
    m_sbStop->setEnabled(true);
}

bool InstrumentPanel::StartOffered() const {
    return m_sbStart->isEnabled();
}

int InstrumentPanel::Memory() const {
    return m_cbMemory->currentIndex();
}

void InstrumentPanel::ApplyTexts() {
    m_lblModel->setText(tr("Model urządzenia:"));
    m_lblSN->setText(tr("Numer seryjny:"));
    m_ImageZero->setToolTip(tr("Taruj"));
    m_ImageOnOff->setToolTip(tr("Włącz / wyłącz"));
    m_ImageStandby->setToolTip(tr("Czuwanie"));
    m_ImagePeak->setToolTip(tr("Tryb PEAK"));
    m_ImageMem->setToolTip(tr("Zapis do pamięci"));
    m_gbOnline->setTitle(tr(" Pomiar on-line"));
    m_sbStart->setText(tr("Start"));
    m_sbStart->setToolTip(tr("Rozpoczyna pomiar automatyczny"));
    m_sbStop->setText(tr("Stop"));
    m_sbStop->setToolTip(tr("Przerywa pomiar automatyczny"));
    m_chbRunAt->setText(tr("Uruchom o"));
    m_sbSetTime->setToolTip(tr("Ustaw następną minutę"));
    m_lblRemain->setText(tr("Pozostało:"));
    m_gbOffline->setTitle(tr(" Pomiar off-line "));
    m_lblMemory->setText(tr("Pamięć:"));
    m_cbMemory->setItemText(2, tr("karta SD"));
    m_sbGetData->setText(tr("Pobierz dane"));
    m_sbReset->setText(tr("Resetuj dane"));
    // What a screen reader announces for the fields without a caption of their own.
    m_eHour->setAccessibleName(tr("Godzina startu"));
    m_eMinute->setAccessibleName(tr("Minuta startu"));
    m_sbSetTime->setAccessibleName(m_sbSetTime->toolTip());
}
