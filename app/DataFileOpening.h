#pragma once

#include "series/TestRecord.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class ChartModel;
class ProgressWindow;
class QWidget;
struct DataFileContents;

// "Otwórz dane" without a frozen window: the files are read and their test records made on a
// worker thread, one file after the other, under a progress window with Cancel; their values
// go into the chart here in slices of at most SliceBudget, while the worker reads on.
class DataFileOpening final : public QObject {
    Q_OBJECT

public:
    // How the opening ended, for the window to take over.
    struct Outcome {
        // Given up: the chart holds part of the files at most; no record was made.
        bool Canceled = false;
        // One per file that could not be opened or read to its end, in file order.
        QStringList Errors;
        // Of the last file that could be opened; OpenedAny says whether there was one.
        bool OpenedAny = false;
        QStringList HeaderLines;
        double TimeStep = 0.0;
        // The files' test records, in file order (none for a file without samples).
        QList<TestRecord> Records;
    };

    // The longest the window waits while values go into the chart.
    static constexpr std::chrono::milliseconds SliceBudget{10};
    // Values put in at one go, between looks at the clock.
    static constexpr qsizetype SliceValues = 1 << 16;

    // Samples are added as ChartModel::AddSample adds them; `thresholdsShown` is asked at every
    // slice. Records are made from `recordContext` (SeriesRecorder::FileContext).
    DataFileOpening(ChartModel& chart, std::function<bool()> thresholdsShown,
                    TestContext recordContext, QWidget* window);
    // An opening under way is given up; `finished` is not called.
    ~DataFileOpening() override;

    // Once per object; `finished` runs on this thread when everything is in or given up, and
    // may hand this object to deleteLater.
    void Start(const QStringList& paths, std::function<void(const Outcome&)> finished);

private:
    void Take(std::shared_ptr<const DataFileContents> contents);
    void TakeRecord(std::optional<TestRecord> record);
    void PutSlices();
    void FinishIfDone();

    ChartModel& m_chart;
    std::function<bool()> m_thresholdsShown;
    TestContext m_recordContext;
    QWidget* m_window = nullptr;
    QPointer<ProgressWindow> m_progress;
    std::function<void(const Outcome&)> m_finished;
    // Files read and not yet wholly in the chart; the first from m_put on.
    std::deque<std::shared_ptr<const DataFileContents>> m_pending;
    qsizetype m_put = 0;
    QTimer m_slices;
    bool m_readerDone = false;
    Outcome m_outcome;
};
