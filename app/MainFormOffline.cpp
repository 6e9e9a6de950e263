// Off-line data: downloading a memory of the gauge onto the chart, and erasing it.
#include "app/MainForm.h"

#include "app/InstrumentPanel.h"
#include "app/widgets/ProgressWindow.h"
#include "link/GaugeExchange.h"
#include "protocol/OrderSet.h"
#include "state/GaugeState.h"

// The dump that follows is read by the reply side under the download exchange; the chart,
// the statistics and the time scale start afresh, so the stored series begins at X = 0.
void TMainForm::sbGetDataClick() {
    // The gauge does not hear "Sc" while it streams, and the run's samples must not be
    // cleared away; nor may a start waiting for its moment find its time scale replaced.
    if (m_exchange->RefusesDuringRun())
        return;
    m_chartModel.ClearSeries();
    m_gauge.ResetSampleStats();
    ClearStatLabels();
    m_headerLines.clear();
    m_seriesOrigin = SeriesOrigin::Download;
    m_gauge.DownloadCount = 0;
    m_gauge.SampleTime = 0.0;
    m_gauge.ChartTimeOffset = 0.0;
    m_gauge.ChartIndexOffset = 0.0;
    m_gauge.SampleUnit.clear();
    if (m_exchange->Send(OrderSet::Order::Download,
                         OrderSet::DownloadArgument(m_instrument->Memory())))
        WatchDownload();
}

// The bar counts the samples from the dump's first line on. Cancel cannot stop the gauge's
// sending: the reply side drops the rest of the dump, and the chart is left empty, as an
// opening given up leaves it.
void TMainForm::WatchDownload() {
    delete m_downloadProgress;
    auto* watch = new ProgressWindow(QStringLiteral("DownloadProgress"), tr("Pobierz dane"),
                                     tr("Pobieranie próbek z siłomierza..."),
                                     ProgressWindow::Modality::BlocksWindow, this);
    m_downloadProgress = watch;
    ProcessData& replies = Replies();
    connect(&replies, &ProcessData::DownloadProgress, watch,
            [watch](int taken, int count) { watch->Progress().Report(taken, count); });
    connect(&replies, &ProcessData::DownloadEnded, watch, &ProgressWindow::Dismiss);
    // A download also ends without its end: at a sample that is not a number, or when another
    // order takes the exchange over.
    connect(watch, &ProgressWindow::Refreshed, watch, [watch, gauge = &m_gauge] {
        if (gauge->ExchangeState != ExchangeState::Downloading)
            watch->Dismiss();
    });
    connect(watch, &ProgressWindow::CancelRequested, this, [this, watch] {
        Replies().AbandonDownload();
        m_chartModel.ClearSeries();
        m_gauge.ResetSampleStats();
        ClearStatLabels();
        watch->Dismiss();
    });
}

// Erases the chosen memory without asking; the chart keeps what it shows.
void TMainForm::sbResetClick() {
    // During a run the gauge hears only the stream orders, and the confirmation exchange
    // this order opens would stop the host from reading the stream: the run would go on
    // without its samples reaching the chart.
    if (m_exchange->RefusesDuringRun())
        return;
    m_exchange->Send(OrderSet::Order::ResetMemory, OrderSet::ResetArgument(m_instrument->Memory()));
}
