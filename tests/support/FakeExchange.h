#pragma once

#include "protocol/ExchangeControl.h"
#include "protocol/GaugeSettings.h"
#include "protocol/ProcessData.h"

#include <QList>
#include <QPair>
#include <QStringList>

// The exchange's owner and the window without link or widgets: keeps the exchange state as
// the owner does, holds the reply side with the gauge's settings, and records what the reply
// side reports. A warning goes to the message seam, as the window shows it.
class FakeExchange : public ExchangeControl {
public:
    struct Order {
        QByteArray Text;
        bool Press = false;
    };

    void IssueOrder(OrderSet::Order order, const QByteArray& argument, bool press) override;
    GaugeState& Gauge() override { return FirstGauge(); }
    void Settle() override;
    void EndRun() override;

    FakeExchange() { Follow(Data); }
    FakeExchange(const FakeExchange&) = delete;
    FakeExchange& operator=(const FakeExchange&) = delete;

    // Records the events of `replies` from now on.
    void Follow(ProcessData& replies);

    QStringList OrderTexts() const;

    GaugeSettings Settings;
    ProcessData Data{Settings, *this};

    QList<Order> Orders;
    QStringList StatusTexts;
    int EndMeasurementCalls = 0;
    int FreshMarks = 0;
    int Battery = -1;
    int SpeedConfirmations = 0;
    int ReportEnds = 0;

    QList<QPair<double, double>> Samples; // (x, y) as the chart would plot them
    QString YAxisTitle;
    QString XAxisTitle;
    QString SeriesName;
    int ResultsFilesStarted = 0;
    QList<double> Results;
    QList<QPair<int, int>> DownloadSteps;
    int DownloadsEnded = 0;
};
