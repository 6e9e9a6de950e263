// The widget tree of the main window: panels, groups and controls with their initial values.
#include "app/MainForm.h"

#include "app/InstrumentPanel.h"
#include "app/MainMenuBar.h"
#include "app/ReadingPanel.h"
#include "app/SeriesPanel.h"
#include "app/SeriesRecorder.h"
#include "app/SettingsPanel.h"
#include "app/StatisticsPanel.h"
#include "app/widgets/CheckBox.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/PanelLayout.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/ProgramFont.h"
#include "app/widgets/SpeedButton.h"
#include "measure/ChartView.h"
#include "state/GaugeState.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
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
    m_reading = new ReadingPanel(*m_exchange, central);
    column->addWidget(m_reading);
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

QWidget* TMainForm::BuildPanelBottom() {
    m_PanelBottom = WhitePanel(new QFrame(this), "PanelBottom");
    KeepDesignedHeight(m_PanelBottom, PanelBottomHeight);
    auto* row = Tight(new QHBoxLayout(m_PanelBottom), 4, 3, 4, 4, 4);
    m_statistics = new StatisticsPanel(m_chartModel, m_PanelBottom);
    row->addWidget(m_statistics);
    m_settingsPanel = new SettingsPanel(*m_exchange, m_PanelBottom);
    row->addWidget(m_settingsPanel, 1);
    return m_PanelBottom;
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

void TMainForm::BuildSeriesDock() {
    m_SeriesDock = Named(new QDockWidget(this), "SeriesDock");
    m_SeriesDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                              QDockWidget::DockWidgetFloatable);
    m_seriesPanel = new SeriesPanel(*m_tests, Settings(), m_SeriesDock);
    m_SeriesDock->setWidget(m_seriesPanel);
    addDockWidget(Qt::RightDockWidgetArea, m_SeriesDock);
    m_SeriesDock->hide();
    QAction* show = m_SeriesDock->toggleViewAction();
    show->setObjectName(QStringLiteral("MenuSeries"));
    m_menu->AddMeasurementItem(show);
    connect(m_seriesPanel, &SeriesPanel::SelectionChanged, this, &TMainForm::ShowOverlays);
    connect(m_SeriesDock, &QDockWidget::visibilityChanged, this, &TMainForm::ShowOverlays);
}

void TMainForm::ShowOverlays() {
    QList<ChartView::Overlay> overlays;
    if (m_SeriesDock->isVisible()) {
        const QList<TestRecord>& records = Tests().Records();
        for (const int index : m_seriesPanel->SelectedTests())
            overlays.append({records[index].Name, records[index].Samples});
    }
    m_Chart1->SetOverlays(overlays);
}

void TMainForm::BuildTimers() {
    const struct {
        QTimer** Member;
        const char* Name;
        std::chrono::milliseconds Interval;
        bool Enabled;
    } timers[] = {{&m_TimerBattery, "TimerBattery", BatteryInterval, true},
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
    // A further window is told apart by its number.
    setWindowTitle(m_windowNumber > 1 ? QStringLiteral("ZENTO FM (%1)").arg(m_windowNumber)
                                      : QStringLiteral("ZENTO FM"));

    m_reading->ApplyTexts();
    m_instrument->ApplyTexts();

    m_statistics->ApplyTexts();
    m_settingsPanel->ApplyTexts();
    FollowComposedTexts();

    m_menu->ApplyTexts();
    m_SeriesDock->setWindowTitle(tr("Seria testów"));
    m_seriesPanel->ApplyTexts();
}
