// The widget tree of the main window: panels, groups and controls with their initial values.
#include "app/MainForm.h"

#include "app/SettingsPanel.h"
#include "app/widgets/CheckBox.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/PanelLayout.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/ProgramFont.h"
#include "app/widgets/SpeedButton.h"
#include "measure/ChartView.h"
#include "state/Global.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <qcustomplot.h>

using namespace PanelLayout;

namespace {

constexpr int PanelTopHeight = 129;
constexpr int PanelRightWidth = 138;
constexpr int PanelBottomHeight = 178;
constexpr QSize PanelResultSize{297, 81};
constexpr QSize LogoSize{146, 56};
constexpr int ComPortButtonWidth = 120;
constexpr int TopButtonHeight = 30;
constexpr int StatusCaptionWidth = 85;
constexpr QSize InstrumentSize{128, 80};
constexpr int KeySize = 20;
// Where the keys sit on the instrument picture (tools/pictures/make_pictures.py).
constexpr int KeyTop = 50;
constexpr int KeyLeft[] = {8, 31, 54, 77, 100};
const QColor Silver(192, 192, 192);
const QColor RemainGreen(0, 128, 0);

QFrame* WhitePanel(const char* name, QWidget* parent) {
    auto* panel = Named(new QFrame(parent), name);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    return panel;
}

// A panel keeps its designed size unless its contents need more (longer translations):
// growing beats clipping a caption.
void KeepDesignedHeight(QWidget* panel, int height) {
    panel->setMinimumHeight(height);
    panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void KeepDesignedWidth(QWidget* panel, int width) {
    panel->setMinimumWidth(width);
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

} // namespace

void TMainForm::BuildLayout() {
    setObjectName(QStringLiteral("MainForm"));
    setFont(ProgramFont());
    auto* central = Named(new QWidget(this), "ClientArea");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(BuildPanelTop());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    m_Chart1 = CreateChart(central);
    middle->addWidget(m_Chart1, 1);
    middle->addWidget(BuildPanelRight());
    column->addLayout(middle, 1);
    column->addWidget(BuildPanelBottom());
    setCentralWidget(central);
    BuildStatusBar();
    BuildTimers();
}

QWidget* TMainForm::BuildPanelTop() {
    m_PanelTop = WhitePanel("PanelTop", this);
    KeepDesignedHeight(m_PanelTop, PanelTopHeight);
    auto* row = Tight(new QHBoxLayout(m_PanelTop), 10, 6, 10, 6, 14);

    m_ImageLogo = Label("ImageLogo", m_PanelTop);
    m_ImageLogo->setPixmap(Pictures::Render(QStringLiteral("logo"), LogoSize));
    m_ImageLogo->setFixedSize(LogoSize);
    row->addWidget(m_ImageLogo, 0, Qt::AlignVCenter);

    m_PanelResult = Label("PanelResult", m_PanelTop, QStringLiteral("0 g"));
    m_PanelResult->setFixedSize(PanelResultSize);
    m_PanelResult->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_PanelResult->setLineWidth(1);
    m_PanelResult->setAlignment(Qt::AlignCenter);
    m_PanelResult->setFont(ReadingFont());
    m_PanelResult->setAutoFillBackground(true);
    QPalette palette = m_PanelResult->palette();
    palette.setColor(QPalette::Window, Silver);
    m_PanelResult->setPalette(palette);
    row->addWidget(m_PanelResult, 0, Qt::AlignVCenter);

    // Port and exit buttons above the battery and the two polling switches.
    auto* state = Tight(new QGridLayout, 0, 0, 0, 0, 4);
    m_sbComPort = Button("sbComPort", m_PanelTop, QStringLiteral("icon-connection"));
    // The designed width, wider where a caption or a wider fallback face needs it.
    m_sbComPort->setFixedHeight(TopButtonHeight);
    m_sbComPort->setMinimumWidth(ComPortButtonWidth);
    m_sbComPort->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_sbExit = Button("sbExit", m_PanelTop, QStringLiteral("icon-exit"));
    m_sbExit->setFixedHeight(TopButtonHeight);
    m_sbExit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_lblBattery = Label("lblBattery", m_PanelTop);
    m_pbBateryPercent = Named(new QProgressBar(m_PanelTop), "pbBateryPercent");
    m_pbBateryPercent->setRange(0, 100);
    m_pbBateryPercent->setValue(0);
    m_pbBateryPercent->setTextVisible(false);
    m_pbBateryPercent->setFixedHeight(12);
    m_LabelBateryPercent = Label("LabelBateryPercent", m_PanelTop, QStringLiteral("%"));
    m_LabelBateryPercent->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    m_chkbUpdateDisplay = Named(new CheckBox({}, m_PanelTop), "chkbUpdateDisplay");
    m_chkbUpdateDisplay->setChecked(true);
    m_chkbUpdateBattery = Named(new CheckBox({}, m_PanelTop), "chkbUpdateBattery");
    m_chkbUpdateBattery->setChecked(true);
    auto* buttons = Tight(new QHBoxLayout, 0, 0, 0, 0, 6);
    buttons->addWidget(m_sbComPort);
    buttons->addWidget(m_sbExit, 1);
    auto* battery = Tight(new QHBoxLayout, 0, 0, 0, 0, 5);
    battery->addWidget(m_lblBattery);
    battery->addWidget(m_pbBateryPercent, 1);
    battery->addWidget(m_LabelBateryPercent);
    state->addLayout(buttons, 0, 0);
    state->setRowMinimumHeight(1, 4);
    state->addLayout(battery, 2, 0);
    state->addWidget(m_chkbUpdateDisplay, 3, 0);
    state->addWidget(m_chkbUpdateBattery, 4, 0);
    auto* holder = Tight(new QVBoxLayout, 0, 0, 0, 0, 0);
    holder->addStretch(1);
    holder->addLayout(state);
    holder->addStretch(1);
    row->addLayout(holder, 1);
    return m_PanelTop;
}

QWidget* TMainForm::BuildPanelRight() {
    m_PanelRight = WhitePanel("PanelRight", this);
    KeepDesignedWidth(m_PanelRight, PanelRightWidth);
    auto* column = Tight(new QVBoxLayout(m_PanelRight), 3, 4, 3, 3, 0);

    m_lblModel = Label("lblModel", m_PanelRight);
    m_LabelModel = Label("LabelModel", m_PanelRight, QStringLiteral("---"));
    m_lblSN = Label("lblSN", m_PanelRight);
    m_LabelSN = Label("LabelSN", m_PanelRight, QStringLiteral("---"));
    MakeBold(m_LabelModel);
    MakeBold(m_LabelSN);
    for (QLabel* label : {m_lblModel, m_LabelModel, m_lblSN, m_LabelSN})
        column->addWidget(label);
    column->addSpacing(4);

    // The instrument: its picture with the five keys laid over it where it shows them.
    auto* instrument = Named(new QWidget(m_PanelRight), "Instrument");
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
    column->addWidget(instrument, 0, Qt::AlignHCenter);
    column->addSpacing(3);

    m_gbOnline = Group("gbOnline", m_PanelRight);
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
    column->addWidget(m_gbOnline);
    column->addSpacing(2);

    m_gbOffline = Group("gbOffline", m_PanelRight);
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
    column->addWidget(m_gbOffline);
    column->addStretch(1);
    for (SpeedButton* button : {m_sbStart, m_sbStop, m_sbGetData, m_sbReset})
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return m_PanelRight;
}

QWidget* TMainForm::BuildPanelBottom() {
    m_PanelBottom = WhitePanel("PanelBottom", this);
    KeepDesignedHeight(m_PanelBottom, PanelBottomHeight);
    auto* row = Tight(new QHBoxLayout(m_PanelBottom), 4, 3, 4, 4, 4);
    row->addWidget(BuildStatistics());
    m_settingsPanel = new SettingsPanel(*m_exchange, m_PanelBottom);
    row->addWidget(m_settingsPanel, 1);
    return m_PanelBottom;
}

QWidget* TMainForm::BuildStatistics() {
    m_gbStatistics = Group("gbStatistics", m_PanelBottom);
    auto* grid = Tight(new QGridLayout(m_gbStatistics), 4, 2, 4, 2, 3);
    m_sbClear = Button("sbClear", m_gbStatistics, QStringLiteral("icon-clear"));
    m_sbClear->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(m_sbClear, 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 2);
    const struct {
        QLabel** Caption;
        const char* CaptionName;
        QLabel** Value;
        const char* ValueName;
    } rows[] = {{&m_lblCount, "lblCount", &m_LabelCount, "LabelCount"},
                {&m_lblMin, "lblMin", &m_LabelMin, "LabelMin"},
                {&m_lblMax, "lblMax", &m_LabelMax, "LabelMax"},
                {&m_lblSum, "lblSum", &m_LabelSum, "LabelSum"},
                {&m_lblAver, "lblAver", &m_LabelAver, "LabelAver"}};
    // Room for a usual value; a longer one may not widen the window while samples arrive.
    const int valueWidth = fontMetrics().horizontalAdvance(QStringLiteral("-123.4567 kgf"));
    int line = 2;
    for (const auto& entry : rows) {
        *entry.Caption = Label(entry.CaptionName, m_gbStatistics);
        *entry.Value = Label(entry.ValueName, m_gbStatistics, QStringLiteral("---"));
        (*entry.Value)->setMinimumWidth(valueWidth);
        (*entry.Value)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        (*entry.Value)->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(*entry.Caption, line, 0);
        grid->addWidget(*entry.Value, line, 1);
        grid->setRowStretch(line, 1);
        ++line;
    }
    grid->setColumnStretch(1, 1);
    return m_gbStatistics;
}

void TMainForm::BuildStatusBar() {
    m_StatusBar = Named(new QStatusBar(this), "StatusBar");
    m_StatusBar->setSizeGripEnabled(false);
    m_StatusCaption = Label("StatusCaption", m_StatusBar, QStringLiteral(" ZENTO FM Status"));
    // At least its designed width; more when the font needs it, never a clipped caption.
    m_StatusCaption->setMinimumWidth(StatusCaptionWidth);
    m_StatusCaption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_StatusPanel = Label("StatusPanel", m_StatusBar);
    for (QLabel* panel : {m_StatusCaption, m_StatusPanel})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_StatusBar->addWidget(m_StatusCaption);
    // The last panel reaches to the window's right edge.
    m_StatusBar->addWidget(m_StatusPanel, 1);
    setStatusBar(m_StatusBar);
}

void TMainForm::BuildTimers() {
    const struct {
        QTimer** Member;
        const char* Name;
        std::chrono::milliseconds Interval;
        bool Enabled;
    } timers[] = {{&m_ConnectionTimer, "ConnectionTimer", ConnectionInterval, false},
                  {&m_TimerPress, "TimerPress", PressInterval, true},
                  {&m_TimerBattery, "TimerBattery", BatteryInterval, true},
                  {&m_TimerReport, "TimerReport", ReportInterval, true},
                  {&m_TimerDisplay, "TimerDisplay", DisplayInterval, true},
                  {&m_TimerPomiarOnline, "TimerPomiarOnline", OnlineStopInterval, false}};
    for (const auto& entry : timers) {
        auto* timer = Named(new QTimer(this), entry.Name);
        timer->setInterval(entry.Interval);
        if (entry.Enabled)
            timer->start();
        *entry.Member = timer;
    }
}

void TMainForm::ApplyTexts() {
    setWindowTitle(QStringLiteral("ZENTO FM"));

    m_lblBattery->setText(tr("Bateria"));
    m_sbExit->setText(tr("Wyjdź"));
    m_chkbUpdateDisplay->setText(tr("Odświeżaj stan wyświetlacza"));
    m_chkbUpdateBattery->setText(tr("Odświeżaj stan baterii"));

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

    m_gbStatistics->setTitle(tr(" Statystyki "));
    m_sbClear->setText(tr("Wyczyść pomiary"));
    m_lblCount->setText(tr("Liczba pom.:"));
    m_lblMin->setText(tr("Min.:"));
    m_lblMax->setText(tr("Max.:"));
    m_lblSum->setText(tr("Suma:"));
    m_lblAver->setText(tr("Średnia:"));

    m_settingsPanel->ApplyTexts();
    FollowComposedTexts();

    // What a screen reader announces for the fields without a caption of their own.
    m_eHour->setAccessibleName(tr("Godzina startu"));
    m_eMinute->setAccessibleName(tr("Minuta startu"));
    m_sbSetTime->setAccessibleName(m_sbSetTime->toolTip());
    ApplyMenuTexts();
    UpdatePortButton();
}
