// The widget tree of the main window: panels, groups and controls with their initial values.
#include "app/MainForm.h"

#include "app/widgets/CheckBox.h"
#include "app/widgets/CheckGroupHeader.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/ProgramFont.h"
#include "app/widgets/RadioGroup.h"
#include "app/widgets/SpeedButton.h"
#include "measure/ChartView.h"
#include "protocol/DeviceModel.h"
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
constexpr int ButtonHeight = 22;
constexpr QSize SetButtonSize{20, 20};

const QColor Silver(192, 192, 192);
const QColor RemainGreen(0, 128, 0);

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

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

QLabel* Label(const char* name, QWidget* parent, const QString& text = {}) {
    return Named(new QLabel(text, parent), name);
}

QLineEdit* Edit(const char* name, QWidget* parent, const QString& text, int maxLength, int width) {
    auto* edit = Named(new QLineEdit(text, parent), name);
    edit->setMaxLength(maxLength);
    edit->setProperty(TMainForm::TypingLimitProperty, maxLength);
    edit->setFixedWidth(width);
    edit->setFixedHeight(SetButtonSize.height());
    return edit;
}

SpeedButton* Button(const char* name, QWidget* parent, const QString& picture,
                    const QString& text = {}) {
    auto* button = Named(new SpeedButton(text, parent), name);
    if (!picture.isEmpty())
        button->SetPicture(picture);
    button->setFixedHeight(ButtonHeight);
    return button;
}

// The small button beside an edit field that sends its value.
SpeedButton* SetButton(const char* name, QWidget* parent) {
    auto* button = Named(new SpeedButton({}, parent), name);
    button->SetPicture(QStringLiteral("icon-set"), {14, 14});
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFixedSize(SetButtonSize);
    return button;
}

QGroupBox* Group(const char* name, QWidget* parent) {
    return Named(new QGroupBox(parent), name);
}

template <typename Layout>
Layout* Tight(Layout* layout, int left = 3, int top = 1, int right = 3, int bottom = 2,
              int spacing = 3) {
    layout->setContentsMargins(left, top, right, bottom);
    layout->setSpacing(spacing);
    return layout;
}

void MakeBold(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
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
    row->addWidget(BuildSettings(), 1);
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

QWidget* TMainForm::BuildSettings() {
    m_gbSettings = Group("gbSettings", m_PanelBottom);
    auto* columns = Tight(new QHBoxLayout(m_gbSettings), 3, 1, 3, 1, 4);

    // Units and the PEAK mode.
    auto* first = Tight(new QVBoxLayout, 0, 0, 0, 0, 3);
    m_rgUnit = Named(new RadioGroup(m_gbSettings), "rgUnit");
    m_rgUnit->SetItems(ComposeTexts().InitialUnits);
    m_rgUnit->SetItemIndex(0);
    m_chkbPeak = Named(new CheckBox, "chkbPeak");
    m_rgPeakMode = Named(new RadioGroup(m_gbSettings), "rgPeakMode");
    m_rgPeakMode->SetItems({tr("siła nacisku"), tr("siła ciągu")});
    m_rgPeakMode->SetItemIndex(0);
    m_peakHeader = new CheckGroupHeader(m_rgPeakMode, m_chkbPeak);
    // Each column fills the group's height, so that the groups end on one line.
    first->addWidget(m_rgUnit, 1);
    first->addWidget(m_rgPeakMode);
    columns->addLayout(first);

    // Data acquisition, and the refresh of the whole panel below it.
    auto* second = Tight(new QVBoxLayout, 0, 0, 0, 0, 3);
    m_gbAcquisition = Group("gbAcquisition", m_gbSettings);
    auto* acquisition = Tight(new QGridLayout(m_gbAcquisition));
    m_rgAcquisition = Named(new RadioGroup(m_gbAcquisition), "rgAcquisition");
    m_rgAcquisition->SetColumns(2);
    m_rgAcquisition->SetItems({QStringLiteral("MANUAL"), QStringLiteral("AUTO")});
    m_rgAcquisition->SetItemIndex(0);
    m_rgSpeed = Named(new RadioGroup(m_gbAcquisition), "rgSpeed");
    m_rgSpeed->SetColumns(2);
    m_rgSpeed->SetItems({QStringLiteral("SLOW"), QStringLiteral("FAST")});
    m_rgSpeed->SetItemIndex(0);
    {
        // Families without the speed setting hide it; the place stays, so nothing moves.
        QSizePolicy policy = m_rgSpeed->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        m_rgSpeed->setSizePolicy(policy);
    }
    auto* modes = Tight(new QHBoxLayout, 0, 0, 0, 0, 4);
    modes->addWidget(m_rgAcquisition);
    modes->addWidget(m_rgSpeed);
    acquisition->addLayout(modes, 0, 0, 1, 3);
    m_lbSampleCount = Label("lbSampleCount", m_gbAcquisition,
                            DeviceModel::SampleCountCaption(QStringLiteral("800")));
    m_EditSampleCount = Edit("EditSampleCount", m_gbAcquisition, QStringLiteral("0"), 15, 48);
    m_sbSampleCount = SetButton("sbSampleCount", m_gbAcquisition);
    m_LabelSampleTime =
        Label("LabelSampleTime", m_gbAcquisition, DeviceModel::SampleTimeCaption(Family::Force, 0));
    m_EditSampleTime = Edit("EditSampleTime", m_gbAcquisition, QStringLiteral("0"), 6, 48);
    m_sbSampleTime = SetButton("sbSampleTime", m_gbAcquisition);
    // Extra height opens between the mode groups and the two value rows.
    acquisition->setRowStretch(1, 1);
    acquisition->addWidget(m_lbSampleCount, 2, 0);
    acquisition->addWidget(m_EditSampleCount, 2, 1);
    acquisition->addWidget(m_sbSampleCount, 2, 2);
    acquisition->addWidget(m_LabelSampleTime, 3, 0);
    acquisition->addWidget(m_EditSampleTime, 3, 1);
    acquisition->addWidget(m_sbSampleTime, 3, 2);
    acquisition->setColumnStretch(0, 1);
    m_lbSampleCount->setBuddy(m_EditSampleCount);
    m_LabelSampleTime->setBuddy(m_EditSampleTime);
    second->addWidget(m_gbAcquisition, 1);
    m_sbUpdateSettings = Button("sbUpdateSettings", m_gbSettings, QStringLiteral("icon-refresh"));
    second->addWidget(m_sbUpdateSettings, 0, Qt::AlignRight);
    columns->addLayout(second, 1);

    // Thresholds and the gravitational acceleration.
    auto* third = Tight(new QVBoxLayout, 0, 0, 0, 0, 3);
    m_gbThresholds = Group("gbThresholds", m_gbSettings);
    m_chkbThr = Named(new CheckBox, "chkbThr");
    m_thrHeader = new CheckGroupHeader(m_gbThresholds, m_chkbThr);
    auto* thresholds = Tight(new QGridLayout(m_gbThresholds));
    const struct {
        QLabel** Caption;
        const char* CaptionName;
        QLineEdit** Edit;
        const char* EditName;
        const char* Text;
        SpeedButton** Button;
        const char* ButtonName;
    } rows[] = {{&m_lblLow, "lblLow", &m_EditLow, "EditLow", "99.0", &m_sbLow, "sbLow"},
                {&m_lblHigh, "lblHigh", &m_EditHigh, "EditHigh", "101.0", &m_sbHigh, "sbHigh"},
                {&m_lblZero, "lblZero", &m_EditZero, "EditZero", "0.0", &m_dbZero, "dbZero"}};
    int line = 0;
    for (const auto& entry : rows) {
        *entry.Caption = Label(entry.CaptionName, m_gbThresholds);
        *entry.Edit = Edit(entry.EditName, m_gbThresholds, QLatin1String(entry.Text), 15, 58);
        *entry.Button = SetButton(entry.ButtonName, m_gbThresholds);
        thresholds->addWidget(*entry.Caption, line, 0);
        thresholds->addWidget(*entry.Edit, line, 1);
        thresholds->addWidget(*entry.Button, line, 2);
        ++line;
    }
    thresholds->setColumnStretch(0, 1);
    // Each field is announced by its own caption, not by the group's title.
    for (const auto& entry : rows)
        (*entry.Caption)->setBuddy(*entry.Edit);
    third->addWidget(m_gbThresholds, 1);
    m_gbAcceleration = Group("gbAcceleration", m_gbSettings);
    auto* acceleration = Tight(new QHBoxLayout(m_gbAcceleration));
    m_EditAcceleration = Edit("EditAcceleration", m_gbAcceleration, {}, 15, 58);
    m_lblAccelerationUnit = Label("lblAccelerationUnit", m_gbAcceleration, QStringLiteral("m/s*s"));
    m_sbAcceleration = SetButton("sbAcceleration", m_gbAcceleration);
    acceleration->addWidget(m_EditAcceleration);
    acceleration->addWidget(m_lblAccelerationUnit, 1);
    acceleration->addWidget(m_sbAcceleration);
    third->addWidget(m_gbAcceleration);
    columns->addLayout(third);
    return m_gbSettings;
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

    m_gbSettings->setTitle(tr(" Ustawienia "));
    m_rgUnit->setTitle(tr(" Jednostka "));
    m_peakHeader->SetText(tr("Tryb PEAK"));
    m_rgPeakMode->SetItemTexts({tr("siła nacisku"), tr("siła ciągu")});
    m_gbAcquisition->setTitle(tr(" Akwizycja danych "));
    m_rgAcquisition->setTitle(tr(" Tryb "));
    m_rgSpeed->setTitle(tr(" Szybkość pomiaru "));
    for (SpeedButton* button :
         {m_sbSampleCount, m_sbSampleTime, m_sbLow, m_sbHigh, m_dbZero, m_sbAcceleration})
        button->setToolTip(tr("Ustaw"));
    // Before the widths below: the two value captions are among the texts that follow.
    FollowComposedTexts();
    // The sample-time caption changes with the instrument; its widest form keeps its place.
    int widest = 0;
    for (const QString& caption : {DeviceModel::SampleTimeCaption(Family::Force, 1),
                                   DeviceModel::SampleTimeCaption(Family::Torque, 0),
                                   DeviceModel::SampleCountCaption(QStringLiteral("6400")),
                                   m_LabelSampleTime->text(), m_lbSampleCount->text()})
        widest = std::max(widest, m_LabelSampleTime->fontMetrics().horizontalAdvance(caption));
    m_LabelSampleTime->setMinimumWidth(widest + 2);
    m_thrHeader->SetText(tr("Progi"));
    m_lblLow->setText(tr("Dolny:"));
    m_lblHigh->setText(tr("Górny:"));
    m_lblZero->setText(tr("Zero:"));
    m_gbAcceleration->setTitle(tr(" Przyspieszenie ziemskie "));
    m_sbUpdateSettings->setText(tr("Odśwież ustawienia"));

    // What a screen reader announces for the fields without a caption of their own, and for
    // the set buttons, which all show the same picture.
    m_eHour->setAccessibleName(tr("Godzina startu"));
    m_eMinute->setAccessibleName(tr("Minuta startu"));
    m_sbSetTime->setAccessibleName(m_sbSetTime->toolTip());
    m_EditAcceleration->setAccessibleName(m_gbAcceleration->title().trimmed());
    const auto captionOf = [](const QLabel* label) {
        QString text = label->text().trimmed();
        if (text.endsWith(QLatin1Char(':')))
            text.chop(1);
        return text;
    };
    const std::pair<SpeedButton*, QString> setButtons[] = {
        {m_sbSampleCount, captionOf(m_lbSampleCount)},
        {m_sbSampleTime, captionOf(m_LabelSampleTime)},
        {m_sbLow, captionOf(m_lblLow)},
        {m_sbHigh, captionOf(m_lblHigh)},
        {m_dbZero, captionOf(m_lblZero)},
        {m_sbAcceleration, m_EditAcceleration->accessibleName()}};
    for (const auto& [button, caption] : setButtons)
        button->setAccessibleName(tr("Ustaw") + QStringLiteral(": ") + caption);
    ApplyMenuTexts();
    UpdatePortButton();
}
