// The widget tree of the main window: panels, groups and controls with their initial values.
#include "app/MainForm.h"

#include "app/InstrumentPanel.h"
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
constexpr int PanelBottomHeight = 178;
constexpr QSize PanelResultSize{297, 81};
constexpr QSize LogoSize{146, 56};
constexpr int ComPortButtonWidth = 120;
constexpr int TopButtonHeight = 30;
constexpr int StatusCaptionWidth = 85;
const QColor Silver(192, 192, 192);

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
    m_instrument = new InstrumentPanel(*m_exchange, central);
    middle->addWidget(m_instrument);
    column->addLayout(middle, 1);
    column->addWidget(BuildPanelBottom());
    setCentralWidget(central);
    BuildStatusBar();
    BuildTimers();
}

QWidget* TMainForm::BuildPanelTop() {
    m_PanelTop = WhitePanel(new QFrame(this), "PanelTop");
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

QWidget* TMainForm::BuildPanelBottom() {
    m_PanelBottom = WhitePanel(new QFrame(this), "PanelBottom");
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

    m_instrument->ApplyTexts();

    m_gbStatistics->setTitle(tr(" Statystyki "));
    m_sbClear->setText(tr("Wyczyść pomiary"));
    m_lblCount->setText(tr("Liczba pom.:"));
    m_lblMin->setText(tr("Min.:"));
    m_lblMax->setText(tr("Max.:"));
    m_lblSum->setText(tr("Suma:"));
    m_lblAver->setText(tr("Średnia:"));

    m_settingsPanel->ApplyTexts();
    FollowComposedTexts();

    ApplyMenuTexts();
    UpdatePortButton();
}
