// Data files read on a worker thread and handed to the chart in slices.
#include "app/DataFileOpening.h"

#include "app/SeriesRecorder.h"
#include "app/widgets/ProgressWindow.h"
#include "measure/ChartModel.h"
#include "storage/DataFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>
#include <new>
#include <span>
#include <utility>

DataFileOpening::DataFileOpening(ChartModel& chart, std::function<bool()> thresholdsShown,
                                 TestContext recordContext, QWidget* window)
    : QObject(window)
    , m_chart(chart)
    , m_thresholdsShown(std::move(thresholdsShown))
    , m_recordContext(std::move(recordContext))
    , m_window(window) {
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &DataFileOpening::PutSlices);
}

DataFileOpening::~DataFileOpening() {
    // The worker posts to this object: it ends before this object does.
    delete m_progress;
}

void DataFileOpening::Start(const QStringList& paths,
                            std::function<void(const Outcome&)> finished) {
    if (m_progress)
        return;
    m_finished = std::move(finished);
    m_progress = new ProgressWindow(QStringLiteral("DataFileProgress"), tr("Otwórz dane"),
                                    tr("Wczytywanie danych..."),
                                    ProgressWindow::Modality::BlocksWindow, m_window);
    connect(m_progress, &ProgressWindow::CancelRequested, this, [this] {
        m_outcome.Canceled = true;
        m_pending.clear();
        m_put = 0;
        m_slices.stop();
        FinishIfDone();
    });
    m_progress->Run(
        [this, paths, context = m_recordContext](WorkProgress& progress) {
            QList<qint64> sizes;
            qint64 total = 0;
            for (const QString& path : paths) {
                sizes.append(QFileInfo(path).size());
                total += sizes.constLast();
            }
            qint64 before = 0;
            for (qsizetype i = 0; i < paths.size() && !progress.Canceled(); ++i) {
                auto contents = std::make_shared<const DataFileContents>(
                    DataFile::Read(paths[i], [&](qint64 done, qint64) {
                        return progress.Advance(before + std::min(done, sizes[i]), total);
                    }));
                before += sizes[i];
                if (contents->Canceled)
                    return;
                // The chart takes the values while the record is made of the same ones here.
                QMetaObject::invokeMethod(
                    this, [this, contents] { Take(contents); }, Qt::QueuedConnection);
                if (!contents->Opened)
                    continue;
                auto record = std::make_shared<std::optional<TestRecord>>();
                try {
                    *record = SeriesRecorder::FileRecord(context, contents->Path,
                                                         contents->TimeStep, contents->Values);
                } catch (const std::bad_alloc&) {
                    // The chart has the values; only the test is missing, and said so.
                    const QString error = tr("Za mało pamięci na test z pliku %1")
                                              .arg(QDir::toNativeSeparators(contents->Path));
                    QMetaObject::invokeMethod(
                        this, [this, error] { m_outcome.Errors.append(error); },
                        Qt::QueuedConnection);
                }
                QMetaObject::invokeMethod(
                    this, [this, record] { TakeRecord(std::move(*record)); }, Qt::QueuedConnection);
            }
        },
        [this] {
            m_readerDone = true;
            FinishIfDone();
        });
}

void DataFileOpening::Take(std::shared_ptr<const DataFileContents> contents) {
    if (m_outcome.Canceled)
        return;
    if (!contents->Error.isEmpty())
        m_outcome.Errors.append(contents->Error);
    if (!contents->Opened)
        return;
    m_outcome.OpenedAny = true;
    m_outcome.HeaderLines = contents->HeaderLines;
    m_outcome.TimeStep = contents->TimeStep;
    if (contents->Values.empty())
        return;
    m_pending.push_back(std::move(contents));
    if (!m_slices.isActive())
        m_slices.start();
}

void DataFileOpening::TakeRecord(std::optional<TestRecord> record) {
    if (!m_outcome.Canceled && record)
        m_outcome.Records.append(std::move(*record));
}

void DataFileOpening::PutSlices() {
    QElapsedTimer clock;
    clock.start();
    const bool thresholds = m_thresholdsShown();
    while (!m_pending.empty()) {
        const DataFileContents& file = *m_pending.front();
        const qsizetype size = qsizetype(file.Values.size());
        const qsizetype count = std::min(SliceValues, size - m_put);
        m_chart.AddSamples(file.TimeStep,
                           std::span<const double>(file.Values.data() + m_put, count), thresholds);
        // Whoever hears of the samples may have given the opening up (and the file) meanwhile.
        if (m_outcome.Canceled)
            return;
        m_put += count;
        if (m_put == size) {
            m_pending.pop_front();
            m_put = 0;
        }
        if (clock.elapsed() >= SliceBudget.count())
            return;
    }
    m_slices.stop();
    FinishIfDone();
}

void DataFileOpening::FinishIfDone() {
    if (!m_progress || !m_readerDone || !m_pending.empty())
        return;
    // Also when Cancel came before anyone listened.
    if (m_outcome.Canceled || m_progress->Canceled()) {
        m_outcome.Canceled = true;
        m_outcome.Records.clear();
    }
    m_progress->Dismiss();
    m_progress = nullptr;
    if (const std::function<void(const Outcome&)> finished = std::exchange(m_finished, {}))
        finished(m_outcome);
}
