// The main window's lifecycle (creation, first activation, exit), its timers and status bar.
#include "app/MainForm.h"

#include "app/GaugeWindows.h"
#include "app/InstrumentPanel.h"
#include "app/MainMenuBar.h"
#include "app/ReadingPanel.h"
#include "app/RunJournalKeeper.h"
#include "app/SeriesPanel.h"
#include "app/SeriesRecorder.h"
#include "app/SettingsPanel.h"
#include "app/StatisticsPanel.h"
#include "app/widgets/CheckBox.h"
#include "app/widgets/RadioGroup.h"
#include "app/widgets/SpeedButton.h"
#include "link/CaptureFile.h"
#include "link/EthConnection.h"
#include "link/NewThread.h"
#include "link/SerialLink.h"
#include "state/GaugeState.h"
#include "state/ProgramState.h"
#include "storage/LanguageModules.h"
#include "storage/XMLConfig.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>

TMainForm::TMainForm(WindowRole role, QWidget* parent)
    : QMainWindow(parent)
    , m_ownGauge(role == WindowRole::Further ? std::make_unique<GaugeState>() : nullptr)
    , m_gauge(m_ownGauge ? *m_ownGauge : FirstGauge()) {
    // The exchange first: the settings panel shows its gauge's settings.
    BuildLinks();
    BuildLayout();
    m_menu = new MainMenuBar(menuBar());
    BuildSeriesDock();
    ApplyTexts();
    WireHandlers();
    FollowGauge();
    resize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
    FormCreate();
}

TMainForm::~TMainForm() {
    // A run-at worker still counting down must not post to a window that is gone.
    SetThreadRunning(false, this);
    ComThread::WaitForAll(RunAtWorkerGrace, this);
    // The settings panel follows the exchange's settings (the focus too, which moves while
    // the window closes), and the reply side it holds has this window's handlers among its
    // listeners: the panel goes first, then the exchange, while the window is still whole.
    delete m_settingsPanel;
    m_settingsPanel = nullptr;
    // The series dock hides as the window goes, and its handler would reach a window
    // already half destroyed.
    QObject::disconnect(m_SeriesDock, nullptr, this, nullptr);
    QObject::disconnect(m_seriesPanel, nullptr, this, nullptr);
    delete m_exchange;
    m_exchange = nullptr;
    m_ComPort1 = nullptr;
}

void TMainForm::SetDialogs(TAutoKonfForm* autoKonf, TConnectionForm* connection,
                           TAboutForm* about) {
    m_autoKonf = autoKonf;
    m_connectionForm = connection;
    m_aboutForm = about;
    m_port->SetDialogs(autoKonf, connection);
}

void TMainForm::WireHandlers() {
    connect(m_reading, &ReadingPanel::PortClicked, m_port, &PortControl::Toggle);
    connect(m_port, &PortControl::SerialOpenChanged, m_reading, &ReadingPanel::ShowPortOpen);
    connect(m_reading, &ReadingPanel::ExitClicked, this, &TMainForm::close);
    connect(m_reading, &ReadingPanel::DisplayPollOn, this,
            [this] { EnableTimer(WindowTimer::Display); });
    connect(m_reading, &ReadingPanel::BatteryPollOn, this,
            [this] { EnableTimer(WindowTimer::Battery); });

    connect(m_instrument, &InstrumentPanel::PeakPressed, m_settingsPanel,
            &SettingsPanel::TogglePeak);
    connect(m_instrument, &InstrumentPanel::StartClicked, this, &TMainForm::sbStartClick);
    connect(m_instrument, &InstrumentPanel::StopClicked, this, &TMainForm::sbStopClick);
    connect(m_instrument, &InstrumentPanel::NextMinuteRequested, this, &TMainForm::sbSetTimeClick);
    connect(m_instrument, &InstrumentPanel::GetDataClicked, this, &TMainForm::sbGetDataClick);
    connect(m_instrument, &InstrumentPanel::ResetClicked, this, &TMainForm::sbResetClick);

    connect(m_statistics, &StatisticsPanel::ClearClicked, this, &TMainForm::sbClearClick);
    connect(m_settingsPanel, &SettingsPanel::RefreshRequested, this,
            [this] { EnableTimer(WindowTimer::Report); });
    // Readings wait until the gauge has confirmed a new speed.
    connect(m_settingsPanel, &SettingsPanel::SpeedOrdered, this,
            [this] { DisableTimer(WindowTimer::Display); });

    connect(m_menu, &MainMenuBar::OpenChosen, this, &TMainForm::Otwrz1Click);
    connect(m_menu, &MainMenuBar::SaveChosen, this, &TMainForm::Zapisz1Click);
    connect(m_menu, &MainMenuBar::SaveChartChosen, this, &TMainForm::Zapiszwykres1Click);
    connect(m_menu, &MainMenuBar::DataFolderChosen, this, &TMainForm::Folderpomiarw1Click);
    connect(m_menu, &MainMenuBar::ExportChosen, this, &TMainForm::EksportdoExcela1Click);
    connect(m_menu, &MainMenuBar::ExitChosen, this, &TMainForm::close);
    connect(m_menu, &MainMenuBar::ConnectionChosen, m_port, &PortControl::ShowConnectionDialog);
    connect(m_menu, &MainMenuBar::StartChosen, this, &TMainForm::sbStartClick);
    connect(m_menu, &MainMenuBar::StopChosen, this, &TMainForm::sbStopClick);
    connect(m_menu, &MainMenuBar::HelpChosen, this, &TMainForm::Help1Click);
    connect(m_menu, &MainMenuBar::AboutChosen, this, &TMainForm::Oproducencie1Click);
    connect(m_menu, &MainMenuBar::NewWindowChosen, this, &TMainForm::NewWindowClick);
    connect(m_menu, &MainMenuBar::LanguageChosen, this, [this](int languageId) {
        if (m_languages)
            m_languages->SetLanguage(languageId);
    });

    connect(m_TimerBattery, &QTimer::timeout, this, &TMainForm::TimerBatteryTimer);
    connect(m_TimerReport, &QTimer::timeout, this, &TMainForm::TimerReportTimer);
    connect(m_TimerDisplay, &QTimer::timeout, this, &TMainForm::TimerDisplayTimer);
    connect(m_TimerPomiarOnline, &QTimer::timeout, this, &TMainForm::TimerPomiarOnlineTimer);
}

// --- Lifecycle --------------------------------------------------------------------------

void TMainForm::FormCreate() {
    m_gauge.ConnectionDialogOpen = false;
    m_gauge.ResultsFileActive = false;
    m_port->LoadIni();
    m_port->CreateNetworkLink();
    EnsureConfigDefaults();
    LoadConfig();
    m_headerLines.clear();
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == RunAtCountdownMessage) {
        if (const auto* message = dynamic_cast<const RunAtCountdownEvent*>(event))
            RunAtCountdownMessageReceived(*message);
        return true;
    }
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && !m_activated)
        FormActivate();
    return handled;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A platform that never activates the window (offscreen, some window managers) must
    // not keep the first activation from running.
    QTimer::singleShot(ActivationGrace, this, [this] {
        if (!m_activated && isVisible())
            FormActivate();
    });
}

// Runs once, when the splash has handed over; later activations (back from a dialog) do not
// repeat it.
void TMainForm::FormActivate() {
    m_activated = true;
    if (IsFirst())
        TheProgram.MainWindowHandle = this;
    m_gauge.ContinuousWarningShown = false;
    EnableMeasure(false);
    if (!m_gauge.PortConfigured && !m_gauge.UseEthernet)
        m_port->ShowAutoConfiguration(true);
    if (m_gauge.PortConfigured)
        m_port->Toggle();
    m_TimerBattery->start();
    m_TimerReport->start();
    m_gauge.ResetSampleStats();
    ClearStatLabels();
    // A gauge left sending continuously is told to stop.
    EnableMeasure(true);
    sbStopClick();
    EnableMeasure(false);
    // Once the window is up and the auto-configuration has had its turn. The first window
    // looks after the runs a crash left, for every window.
    if (IsFirst() && m_unattendedPhase == UnattendedPhase::Off) {
        QTimer::singleShot(0, this, &TMainForm::OfferRecovery);
        QTimer::singleShot(0, this, &TMainForm::RestoreFurtherWindows);
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!m_closed && !MayCloseFurtherWindows()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

// "Wyjdź", "Koniec" and the close box all arrive here; the program ends afterwards, with the
// further windows. A further window closes alone, with its link.
void TMainForm::FormClose() {
    if (m_closed)
        return;
    m_closed = true;
    // A run still under way when the window goes is a test too: what it measured is kept.
    ReplayPendingCapture();
    m_journal->RunEnded(m_tests->RunEnded());
    m_port->CloseAndStoreIni();
    m_headerLines.clear();
    m_port->ShutdownNetworkLink();
    if (!IsFirst()) {
        emit Closed();
        return;
    }
    SaveConfig();
    if (m_windows)
        m_windows->CloseAll();
    emit Closed();
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
}

void TMainForm::EnableMeasure(bool running) {
    m_instrument->SetRunning(running);
    m_menu->SetRunning(running);
}

void TMainForm::ClearStatLabels() {
    m_statistics->Clear();
}

QString TMainForm::StatusText() const {
    return m_StatusPanel->text();
}

// --- Timers and status ------------------------------------------------------------------

QTimer* TMainForm::TimerOf(WindowTimer timer) const {
    switch (timer) {
    case WindowTimer::Display:
        return m_TimerDisplay;
    case WindowTimer::Battery:
        return m_TimerBattery;
    case WindowTimer::Report:
        return m_TimerReport;
    }
    return m_TimerDisplay;
}

void TMainForm::SetStatusText(const QString& text) {
    m_StatusPanel->setText(text);
    emit StatusTextChanged(text);
}

void TMainForm::EnableTimer(WindowTimer timer) {
    // Enabling a running timer leaves its period alone.
    QTimer* target = TimerOf(timer);
    if (!target->isActive())
        target->start();
}

void TMainForm::DisableTimer(WindowTimer timer) {
    TimerOf(timer)->stop();
}

void TMainForm::SetTimerInterval(WindowTimer timer, int milliseconds) {
    TimerOf(timer)->setInterval(std::max(0, milliseconds));
}
