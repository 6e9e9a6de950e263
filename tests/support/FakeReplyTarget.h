#pragma once

#include "protocol/ExchangeControl.h"
#include "protocol/ReplyTarget.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QStringList>

// A window without widgets: records what the reply side does. Changing a tagged control
// behaves like the real one: a change raises a click, which a set tag swallows; a click
// that gets through is recorded in UnsuppressedClicks (the real handler would send).
class FakeReplyTarget : public ReplyTarget, public ExchangeControl {
public:
    struct Order {
        QByteArray Text;
        bool Press = false;
    };

    // The exchange as its owner keeps it, and the orders as they would leave.
    void IssueOrder(OrderSet::Order order, const QByteArray& argument, bool press) override;
    void Settle() override;
    void EndRun() override;
    void SetStatusText(const QString& text) override { StatusTexts.append(text); }
    void EnableTimer(WindowTimer timer) override { EnabledTimers.insert(timer); }
    void DisableTimer(WindowTimer timer) override {
        EnabledTimers.remove(timer);
        DisabledTimers.insert(timer);
    }
    void SetTimerInterval(WindowTimer timer, int ms) override { Intervals[timer] = ms; }
    bool UpdateDisplayTicked() const override { return DisplayTicked; }

    QString PanelResultCaption() const override { return PanelCaption; }
    void SetPanelResultCaption(const QString& caption) override { PanelCaption = caption; }
    void MarkReadingFresh() override { ++FreshMarks; }
    void SetBatteryPercent(int percent) override { Battery = percent; }

    QString ModelText() const override { return Model; }
    void SetModelText(const QString& text) override { Model = text; }
    void SetSerialNumberText(const QString& text) override { SerialNumber = text; }
    QStringList UnitItems() const override { return Units; }
    void SetUnitItems(const QStringList& items) override {
        Units = items;
        UnitSelected = -1;
    }
    int UnitIndex() const override { return UnitSelected; }
    void SetUnitIndex(int index) override { Change(TaggedControl::Unit, UnitSelected, index); }
    void SetTag(TaggedControl control, int tag) override { Tags[control] = tag; }
    void SetPeakChecked(bool checked) override {
        int value = PeakChecked;
        Change(TaggedControl::Peak, value, checked ? 1 : 0);
        PeakChecked = value != 0;
    }
    void SetPeakModeIndex(int index) override { Change(TaggedControl::Peak, PeakMode, index); }
    int SpeedIndex() const override { return Speed; }
    void SetSpeedIndex(int index) override { Change(TaggedControl::Speed, Speed, index); }
    void SetSpeedVisible(bool visible) override { SpeedVisible = visible; }
    void SetAcquisitionIndex(int index) override {
        Change(TaggedControl::Acquisition, Acquisition, index);
    }
    void SetThrChecked(bool checked) override {
        int value = ThrChecked;
        Change(TaggedControl::Thr, value, checked ? 1 : 0);
        ThrChecked = value != 0;
    }
    void SetSampleCountCaption(const QString& caption) override { SampleCountCaption = caption; }
    void SetSampleTimeCaption(const QString& caption) override { SampleTimeCaption = caption; }
    QString EditText(PanelEdit edit) const override { return Edits.value(edit); }
    void SetEditText(PanelEdit edit, const QString& text) override { Edits[edit] = text; }
    bool EditHasFocus(PanelEdit edit) const override { return Focused.contains(edit); }

    int ChartPointCount() const override { return int(Samples.size()); }
    QString YTitle() const override { return YAxisTitle; }
    void SetYTitle(const QString& title) override { YAxisTitle = title; }
    void SetXTitle(const QString& title) override { XAxisTitle = title; }
    void SetSeriesName(const QString& name) override { SeriesName = name; }
    void AddSample(double sampleTime, double value) override;

    void StartResultsFile() override { ++ResultsFilesStarted; }
    void AppendResult(double value) override { Results.append(value); }

    QStringList OrderTexts() const;

    QList<Order> Orders;
    QStringList StatusTexts;
    QSet<WindowTimer> EnabledTimers;
    QSet<WindowTimer> DisabledTimers;
    QMap<WindowTimer, int> Intervals;
    bool DisplayTicked = true;
    int EndMeasurementCalls = 0;

    QString PanelCaption = QStringLiteral("0 g");
    int FreshMarks = 0;
    int Battery = -1;

    QString Model;
    QString SerialNumber;
    QStringList Units;
    int UnitSelected = 0;
    QMap<TaggedControl, int> Tags;
    QList<TaggedControl> UnsuppressedClicks;
    bool PeakChecked = false;
    int PeakMode = 0;
    int Speed = 0;
    bool SpeedVisible = true;
    int Acquisition = 0;
    bool ThrChecked = false;
    QString SampleCountCaption;
    QString SampleTimeCaption;
    QMap<PanelEdit, QString> Edits;
    QSet<PanelEdit> Focused;

    QList<QPair<double, double>> Samples; // (x, y) as the chart would plot them
    QString YAxisTitle;
    QString XAxisTitle;
    QString SeriesName;
    int ResultsFilesStarted = 0;
    QList<double> Results;

private:
    void Change(TaggedControl control, int& value, int next);
};
