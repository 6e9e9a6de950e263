#include "tests/support/FakeExchange.h"

#include "protocol/ProcessData.h"
#include "state/GaugeState.h"
#include "state/Messages.h"

void FakeExchange::IssueOrder(OrderSet::Order order, const QByteArray& argument, bool press) {
    const OrderSet::Info& info = OrderSet::InfoOf(order);
    FirstGauge().ExchangeState = info.State;
    FirstGauge().AwaitedReply = info.Awaited;
    if (info.Status)
        StatusTexts.append(OrderSet::StatusOf(order));
    Orders.append({OrderSet::TextOf(order, argument), press});
}

void FakeExchange::Settle() {
    FirstGauge().ExchangeState = ExchangeState::Confirming;
}

void FakeExchange::EndRun() {
    ++EndMeasurementCalls;
    FirstGauge().MeasurementRunning = false;
    FirstGauge().ExchangeState = ExchangeState::Confirming;
}

void FakeExchange::Follow(ProcessData& replies) {
    QObject::connect(&replies, &ProcessData::StatusText,
                     [this](const QString& text) { StatusTexts.append(text); });
    QObject::connect(&replies, &ProcessData::ReadingTaken, [this] { ++FreshMarks; });
    QObject::connect(&replies, &ProcessData::BatteryRead,
                     [this](int percent) { Battery = percent; });
    QObject::connect(&replies, &ProcessData::SpeedConfirmed, [this] { ++SpeedConfirmations; });
    QObject::connect(&replies, &ProcessData::SettingsReportEnded, [this] { ++ReportEnds; });
    QObject::connect(&replies, &ProcessData::SampleTaken, [this](double sampleTime, double value) {
        const double x = (Samples.size() - FirstGauge().ChartIndexOffset) * sampleTime +
                         FirstGauge().ChartTimeOffset;
        Samples.append({x, value});
        ++FirstGauge().SampleStats.Count;
    });
    QObject::connect(&replies, &ProcessData::SeriesUnitNamed,
                     [this](const QString& unit) { YAxisTitle = ProcessData::SampleTitle(unit); });
    QObject::connect(&replies, &ProcessData::TimeAxisNamed,
                     [this](const QString& title) { XAxisTitle = title; });
    QObject::connect(&replies, &ProcessData::SeriesNamed,
                     [this](const QString& name) { SeriesName = name; });
    QObject::connect(&replies, &ProcessData::ResultsFileStarted, [this] { ++ResultsFilesStarted; });
    QObject::connect(&replies, &ProcessData::ResultTaken,
                     [this](double value) { Results.append(value); });
    QObject::connect(&replies, &ProcessData::DownloadProgress, [this](int taken, int count) {
        DownloadSteps.append({taken, count});
    });
    QObject::connect(&replies, &ProcessData::DownloadEnded, [this] { ++DownloadsEnded; });
    QObject::connect(&replies, &ProcessData::Warning,
                     [](const QString& title, const QString& text, MessageIcon icon) {
                         ShowMessage(title, text, icon);
                     });
}

QStringList FakeExchange::OrderTexts() const {
    QStringList texts;
    for (const Order& order : Orders)
        texts << QString::fromLatin1(order.Text);
    return texts;
}
