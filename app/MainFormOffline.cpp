// Off-line data: downloading a memory of the gauge onto the chart, and erasing it.
#include "app/MainForm.h"

#include "app/InstrumentPanel.h"
#include "link/GaugeExchange.h"
#include "protocol/OrderSet.h"
#include "state/Global.h"

// The dump that follows is read by the reply side under the download exchange; the chart,
// the statistics and the time scale start afresh, so the stored series begins at X = 0.
void TMainForm::sbGetDataClick() {
    // The gauge does not hear "Sc" while it streams, and the run's samples must not be
    // cleared away; nor may a start waiting for its moment find its time scale replaced.
    if (m_exchange->RefusesDuringRun())
        return;
    m_chartModel.ClearSeries();
    Global.ResetSampleStats();
    ClearStatLabels();
    m_headerLines.clear();
    m_seriesOrigin = SeriesOrigin::Download;
    Global.DownloadCount = 0;
    Global.SampleTime = 0.0;
    Global.ChartTimeOffset = 0.0;
    Global.ChartIndexOffset = 0.0;
    Global.SampleUnit.clear();
    m_exchange->Send(OrderSet::Order::Download, OrderSet::DownloadArgument(m_instrument->Memory()));
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
