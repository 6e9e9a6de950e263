#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Edit fields of the settings panel that replies write into.
enum class PanelEdit { SampleCount, SampleTime, Low, High, Zero, Acceleration };

// Settings controls whose change from a reply must not send an order back; each carries
// the SuppressNextClick tag.
enum class TaggedControl { Unit, Peak, Speed, Acquisition, Thr };

// Timers of the main window that replies switch.
enum class WindowTimer { Display, Battery, Report };

// What the reply side may do to the main window. The window implements it; protocol tests
// use a fake, so that replies are checked without widgets.
class ReplyTarget {
public:
    virtual ~ReplyTarget() = default;

    // Status bar and timers.
    virtual void SetStatusText(const QString& text) = 0;
    virtual void EnableTimer(WindowTimer timer) = 0;
    virtual void DisableTimer(WindowTimer timer) = 0;
    virtual void SetTimerInterval(WindowTimer timer, int milliseconds) = 0;
    virtual bool UpdateDisplayTicked() const = 0;

    // Reading panel and battery.
    virtual QString PanelResultCaption() const = 0;
    virtual void SetPanelResultCaption(const QString& caption) = 0;
    // Tints the reading panel and restarts the freshness timer.
    virtual void MarkReadingFresh() = 0;
    virtual void SetBatteryPercent(int percent) = 0;

    // Settings panel. Setting an item index or a check state behaves like a user's click
    // (the control's handler runs), which is why replies set the tag first.
    virtual QString ModelText() const = 0;
    virtual void SetModelText(const QString& text) = 0;
    virtual void SetSerialNumberText(const QString& text) = 0;
    virtual QStringList UnitItems() const = 0;
    virtual void SetUnitItems(const QStringList& items) = 0;
    virtual int UnitIndex() const = 0;
    virtual void SetUnitIndex(int index) = 0;
    virtual void SetTag(TaggedControl control, int tag) = 0;
    virtual void SetPeakChecked(bool checked) = 0;
    virtual void SetPeakModeIndex(int index) = 0;
    virtual int SpeedIndex() const = 0;
    virtual void SetSpeedIndex(int index) = 0;
    virtual void SetSpeedVisible(bool visible) = 0;
    virtual void SetAcquisitionIndex(int index) = 0;
    virtual void SetThrChecked(bool checked) = 0;
    virtual void SetSampleCountCaption(const QString& caption) = 0;
    virtual void SetSampleTimeCaption(const QString& caption) = 0;
    virtual QString EditText(PanelEdit edit) const = 0;
    virtual void SetEditText(PanelEdit edit, const QString& text) = 0;
    virtual bool EditHasFocus(PanelEdit edit) const = 0;

    // Chart: the sample series, its titles and the one way in for samples.
    virtual int ChartPointCount() const = 0;
    virtual QString YTitle() const = 0;
    virtual void SetYTitle(const QString& title) = 0;
    virtual void SetXTitle(const QString& title) = 0;
    virtual void SetSeriesName(const QString& name) = 0;
    virtual void AddSample(double sampleTime, double value) = 0;

    // Results file written during on-line runs when the gauge asks for one.
    virtual void StartResultsFile() = 0;
    virtual void AppendResult(double value) = 0;
};
