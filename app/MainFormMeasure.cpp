// On-line and off-line measurement, statistics and the results file.
#include "app/MainForm.h"

#include "app/state/Global.h"
#include "storage/ResultsFile.h"

#include <QTimer>

void TMainForm::sbStartClick() {
    // Stand-in: checks the sampling time, starts the run (now or at the set time) and
    // sends "Se1".
}

void TMainForm::sbStopClick() {
    // Stand-in: abandons a scheduled start, replays a fast run's capture, sends "Se0" and
    // arms the repeated stop.
}

void TMainForm::TimerPomiarOnlineTimer() {
    // Stand-in: repeats "Se0" every second while the run has not ended.
    m_TimerPomiarOnline->stop();
}

void TMainForm::EndOnlineMeasurement() {
    Global.MeasurementRunning = false;
    Global.ExchangeState = ExchangeState::Confirming;
    SetStatusText(tr("Nadawanie ciągle wyłączone"));
    EnableMeasure(false);
    for (const WindowTimer timer :
         {WindowTimer::Battery, WindowTimer::Report, WindowTimer::Display})
        EnableTimer(timer);
}

void TMainForm::sbSetTimeClick() {
    // Stand-in: puts the next minute into the hour and minute fields.
}

void TMainForm::StartResultsFile() {
    ResultsFile::Start(Global, QDateTime::currentDateTime());
}

// Each sample is appended on its own, so the file is complete after every sample.
void TMainForm::AppendResult(double value) {
    ResultsFile::Append(Global.ResultsFileName, value);
}
