#pragma once

#include "app/PortControl.h"
#include "app/widgets/PanelLayout.h"
#include "link/GaugeExchange.h"
#include "measure/ChartModel.h"
#include "protocol/GaugeSettings.h"
#include "protocol/ProcessData.h"
#include "storage/XMLConfig.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class CaptureFile;
struct DataFileSettings;
class CEthConnection;
class ChartView;
class DayClock;
class GaugeExchange;
class GaugeWindows;
class InstrumentPanel;
class LanguageModules;
class MainMenuBar;
class ProgressWindow;
class ReadingPanel;
class SeriesPanel;
class SeriesRecorder;
class RunJournalKeeper;
class RunAtCountdownEvent;
class LinkRecovery;
class SerialLink;
class SettingsPanel;
class StatisticsPanel;
class TestSeries;
class XMLConfig;
class QFrame;
class QDockWidget;
class QLabel;
class QStatusBar;
class QTimer;
class TAboutForm;
class TAutoKonfForm;
class TConnectionForm;

// The main window: the chart among the reading, instrument, statistics and settings panels,
// the menu, the status bar and the polls that keep the conversation with the gauge going. It
// runs the measurements the panels and the menu ask for through the exchange's owner
// (GaugeExchange), and opens, saves and exports the chart's data.
class TMainForm final : public QMainWindow {
    Q_OBJECT

public:
    // Timers that the gauge's replies switch.
    enum class WindowTimer { Display, Battery, Report };

    // Timer intervals as the window is created.
    static constexpr std::chrono::milliseconds BatteryInterval{3456};
    static constexpr std::chrono::milliseconds ReportInterval{1234};
    static constexpr std::chrono::milliseconds DisplayInterval{347};
    static constexpr std::chrono::milliseconds OnlineStopInterval{1000};
    // How long a fast run waits for the gauge to confirm its end before it is shown anyway.
    static constexpr std::chrono::milliseconds ReplayWithoutConfirmation{5000};
    // How long a closing window waits for a run-at worker to end.
    static constexpr std::chrono::milliseconds RunAtWorkerGrace{2000};
    // How long a shown window waits for the platform to activate it before it acts as if
    // it had been.
    static constexpr std::chrono::milliseconds ActivationGrace{100};

    // Property of an edit field holding the length the user may type.
    static constexpr const char* TypingLimitProperty = PanelLayout::TypingLimitProperty;

    // The client area below the menu bar, at 96 dpi.
    static constexpr QSize ClientSize{738, 700};

    // The first window is the program's own: it keeps config.xml and ComPort.ini and serves the
    // first gauge. A further window serves a gauge of its own beside it.
    enum class WindowRole : std::uint8_t { First, Further };

    explicit TMainForm(QWidget* parent = nullptr)
        : TMainForm(WindowRole::First, parent) {}
    TMainForm(WindowRole role, QWidget* parent);
    ~TMainForm() override;

    // Dialogs created after or before this window; the window does not own them.
    void SetDialogs(TAutoKonfForm* autoKonf, TConnectionForm* connection, TAboutForm* about);
    // The language modules the flag items switch between (not owned).
    void SetLanguages(LanguageModules* languages) { m_languages = languages; }

    // --- Several gauges (MainFormWindows.cpp) --------------------------------------------
    // The further windows "Nowe okno" opens (not owned); `number` names this window in its
    // title when it is not the first.
    void SetWindows(GaugeWindows* windows, int number = 1);
    // A further window's link, as config.xml keeps it; set before the window is shown.
    void UseLink(const WindowLink& link);
    WindowLink Link() const;
    // A run is under way or waits for its moment.
    bool RunUnderWay() const;
    bool IsClosed() const { return m_closed; }

    bool IsFirst() const { return !m_ownGauge; }
    // What is known of the gauge this window serves.
    GaugeState& Gauge() { return m_gauge; }

    // The port button has opened the serial port.
    bool Connected() const { return m_port->SerialOpen(); }
    QString StatusText() const;
    // The owner of the exchange with the gauge: its links, the reply side, the raw capture.
    GaugeExchange& Exchange() { return *m_exchange; }
    ProcessData& Replies() { return m_exchange->Replies(); }
    // The gauge's settings that the settings panel shows.
    GaugeSettings& Settings();

    // The links, the raw capture and the chart data, for the dialogs that act on them and
    // for tests.
    SerialLink& ComPort1() { return *m_ComPort1; }
    CEthConnection* EthLink() { return m_exchange->Network(); }
    CaptureFile& Capture() { return m_exchange->Capture(); }
    ChartModel& ChartData() { return m_chartModel; }
    ChartView* Chart() { return m_Chart1; }
    // Statistics labels follow the samples once control returns to the event loop; this
    // brings them up to date at once.
    void RefreshStatLabels();

    // "Start" offered while no run is under way, the "Stop" menu item only during one; the
    // "Stop" button always.
    void EnableMeasure(bool running);
    // The five statistics labels show "---".
    void ClearStatLabels();

    // --- On-line measurement ------------------------------------------------------------
    // The clock a scheduled start counts against and "next minute" reads; nullptr is the
    // system's time of day. Tests give a clock of their own.
    void SetRunAtClock(std::shared_ptr<const DayClock> clock);
    // Captions, hints and fixed item texts in the current language; values, selections and
    // texts the program changes while it runs stay as they are.
    void ApplyTexts();

    // --- Unattended run (MainFormUnattended.cpp) -----------------------------------------
    // Records one on-line run of this length as Start and Stop would, as soon as the link is
    // open and the gauge's settings have been read, then closes the window as "Wyjdź" does
    // (the command line's --measure).
    void MeasureUnattended(std::chrono::milliseconds length);
    // How often the unattended run looks whether it can go on.
    static constexpr std::chrono::milliseconds UnattendedPoll{200};
    // How long an unattended run waits for the gauge to confirm its stop before it ends.
    static constexpr std::chrono::milliseconds UnattendedStopGrace{5000};
    // How long an unattended run waits for the link and the gauge's settings before it gives
    // up with exit code UnattendedNotStarted: a gauge switched on late still makes it, and a
    // script is not kept waiting for good.
    static constexpr std::chrono::milliseconds UnattendedStartLimit{std::chrono::minutes(2)};
    static constexpr int UnattendedNotStarted = 3;

    // --- Languages (MainFormFiles.cpp) ----------------------------------------------------
    // Texts the program composes from a translatable part and shows beside values: what
    // they read in the language of the last ApplyTexts.
    struct ComposedTexts {
        QString TimeTitle;         // X title of a run in seconds
        QString SampleNumberTitle; // X title of a download without a sampling time
        QString SampleTitlePrefix; // Y title before its unit
        QString OnlineSeriesName;  // series name of an on-line run
    };
    static ComposedTexts ComposeTexts();

    // --- Data files and off-line data ----------------------------------------------------
    // HeaderLines: the header of the data file last opened or saved, kept for the next save.
    const QStringList& HeaderLines() const { return m_headerLines; }

    // --- Status bar, timers and chart titles ------------------------------------------
    void SetStatusText(const QString& text);
    // Enabling a running timer leaves its period alone.
    void EnableTimer(WindowTimer timer);
    void DisableTimer(WindowTimer timer);
    void SetTimerInterval(WindowTimer timer, int milliseconds);
    int ChartPointCount() const;
    QString YTitle() const;
    void SetYTitle(const QString& title);
    void SetXTitle(const QString& title);
    void SetSeriesName(const QString& name);
    // A sample of a file or a replay into the chart, as the reply side's samples go.
    void AddSample(double sampleTime, double value);

    // The tests of the current series: every finished run, download and opened data file.
    TestSeries& Tests();
    // What makes and keeps them (the results database included).
    SeriesRecorder& TestRecorder() { return *m_tests; }
    // What brings a lost link back (MainFormLink.cpp).
    LinkRecovery& Recovery() { return *m_recovery; }

signals:
    // The exit sequence has run; the program ends.
    void Closed();
    // Every status text as it is shown; a later poll may replace it before anyone looks.
    void StatusTextChanged(const QString& text);
    // An opening or saving of data files or an export, done on a worker thread, has ended
    // (done, failed or given up): the chart, the tests and any message are settled.
    void FileWorkEnded();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // On-line measurement (MainFormMeasure.cpp).
    void BeginOnlineMeasurement();
    // The run's end as the window shows it: buttons, status text and the polls again.
    void RunEnded();
    void RunAtCountdownMessageReceived(const RunAtCountdownEvent& message);
    void ReplayCapture();
    // A run's samples go to its journal from now on (MainFormRecovery.cpp).
    void JournalRunStarted();
    // What the settings panel shows, for the header of a data file or a journal.
    DataFileSettings PanelDataFileSettings(const QString& sampleTime) const;
    // Offers to bring back the run a crash interrupted, from its journal.
    void OfferRecovery();
    void RecoverRun(const QString& journal);
    void ReplayPendingCapture();
    const DayClock& RunAtClock();
    // Results file written during on-line runs when the gauge asks for one.
    void StartResultsFile();
    void AppendResult(double value);

    // Following the gauge (MainFormPanel.cpp).
    void FollowGauge();

    // Lifecycle.
    void FormCreate();
    void FormActivate();
    void FormClose();

    // The exchange with the gauge and the port button's link.
    void BuildLinks();
    // "Nowe okno".
    void NewWindowClick();
    // The first window's close with further windows still running: true when they may go.
    bool MayCloseFurtherWindows();
    // The further windows of the last close, opened again once this window is up.
    void RestoreFurtherWindows();
    // config.xml, read as the window is created and written as it closes.
    void EnsureConfigDefaults();
    void LoadConfig();
    void SaveConfig();

    // Building the window (MainFormLayout.cpp, MainFormChart.cpp).
    void BuildLayout();
    QWidget* BuildPanelBottom();
    void BuildStatusBar();
    // The series panel, docked beside the chart and hidden until the menu shows it.
    void BuildSeriesDock();
    // The tests selected in the series panel, drawn over the chart while the panel shows.
    void ShowOverlays();
    void BuildTimers();
    void WireHandlers();
    ChartView* CreateChart(QWidget* parent);
    void PlaceSeriesName();
    QTimer* TimerOf(WindowTimer timer) const;

    // --- Handlers ---------------------------------------------------------------------
    // On-line and off-line measurement.
    void sbStartClick();
    void sbStopClick();
    void sbSetTimeClick();
    void sbGetDataClick();
    // The download's progress window, with Cancel, until the download ends.
    void WatchDownload();
    void sbResetClick();
    // Statistics.
    void sbClearClick();
    // Menu.
    void Otwrz1Click();
    // Opens data files onto a cleared chart; done (when given) learns whether any file was
    // read, once all are.
    void OpenDataFiles(const QStringList& paths, const std::function<void(bool)>& done = {});
    void Zapisz1Click();
    void Zapiszwykres1Click();
    void Folderpomiarw1Click();
    void EksportdoExcela1Click();
    void Help1Click();
    void Oproducencie1Click();
    // Links.
    void ComPort1LinkLost(const QString& reason);
    bool GaugeLinkLost();
    // Timers.
    void TimerBatteryTimer();
    void TimerReportTimer();
    void TimerDisplayTimer();
    void TimerPomiarOnlineTimer();

    // A further window's own gauge; the first window serves FirstGauge().
    std::unique_ptr<GaugeState> m_ownGauge;
    GaugeState& m_gauge;

    // --- Widgets (objectName = member name without "m_") ------------------------------
    ReadingPanel* m_reading = nullptr;

    ChartView* m_Chart1 = nullptr;
    QLabel* m_LabelSeriesName = nullptr;

    InstrumentPanel* m_instrument = nullptr;

    QFrame* m_PanelBottom = nullptr;
    StatisticsPanel* m_statistics = nullptr;
    SeriesRecorder* m_tests = nullptr;
    LinkRecovery* m_recovery = nullptr;
    RunJournalKeeper* m_journal = nullptr;
    QDockWidget* m_SeriesDock = nullptr;
    SeriesPanel* m_seriesPanel = nullptr;
    SettingsPanel* m_settingsPanel = nullptr;

    QStatusBar* m_StatusBar = nullptr;
    QLabel* m_StatusCaption = nullptr;
    QLabel* m_StatusPanel = nullptr;

    QTimer* m_TimerBattery = nullptr;
    QTimer* m_TimerReport = nullptr;
    QTimer* m_TimerDisplay = nullptr;
    QTimer* m_TimerPomiarOnline = nullptr;

    MainMenuBar* m_menu = nullptr;

    // --- State kept beside the controls -----------------------------------------------
    // Header lines of the data file last opened or saved.
    QStringList m_headerLines;
    // The opening, saving or export under way (one at a time), and a download's progress.
    QPointer<QObject> m_fileWork;
    QPointer<ProgressWindow> m_downloadProgress;
    // Where the chart's series came from: a run's samples are spaced by the sampling-time
    // field, an opened file's or a download's by their own step, which a save must keep.
    enum class SeriesOrigin { Run, File, Download };
    SeriesOrigin m_seriesOrigin = SeriesOrigin::Run;
    double m_fileTimeStep = 0.0;
    // The exchange with the gauge, and its serial port.
    GaugeExchange* m_exchange = nullptr;
    SerialLink* m_ComPort1 = nullptr;
    PortControl* m_port = nullptr;
    // A fast run has been stopped; its capture is replayed at the confirmation.
    bool m_replayPending = false;
    QElapsedTimer m_stopClock;
    // A results file that could not be created has been reported in this run.
    bool m_resultsFailureReported = false;
    // config.xml, kept in memory from creation to close.
    std::unique_ptr<XMLConfig> m_xmlConfig;

    // Languages: the composed texts as last applied.
    ComposedTexts m_composedTexts;
    // Carries the composed texts still shown into the language just installed; values from
    // the gauge, a file or the user stay as they are.
    void FollowComposedTexts();

    ChartModel m_chartModel{m_gauge};

    // On-line measurement: the time of day of the run-at worker and of "next minute".
    std::shared_ptr<const DayClock> m_runAtClock;

    TAutoKonfForm* m_autoKonf = nullptr;
    TConnectionForm* m_connectionForm = nullptr;
    TAboutForm* m_aboutForm = nullptr;
    LanguageModules* m_languages = nullptr;

    // Unattended run.
    enum class UnattendedPhase : std::uint8_t { Off, Waiting, Running, Stopping };
    void UnattendedStep();
    QTimer* m_unattendedTimer = nullptr;
    UnattendedPhase m_unattendedPhase = UnattendedPhase::Off;
    std::chrono::milliseconds m_unattendedLength{0};
    QElapsedTimer m_unattendedClock;
    // What the unattended run last said it waits for, so that each change is said once.
    QString m_unattendedAwaited;

    // Several gauges: the further windows, this window's number, and the links of those
    // config.xml held, kept as they were until they are opened again.
    GaugeWindows* m_windows = nullptr;
    int m_windowNumber = 1;
    QList<WindowLink> m_storedLinks;
    bool m_windowsRestored = false;

    bool m_activated = false;
    bool m_closed = false;
};
