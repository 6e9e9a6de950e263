#pragma once

#include "series/TestRecord.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

class QProgressDialog;
class QThread;

// What the series panel writes of its tests: the PDF report, made on a worker thread with a
// progress window and Cancel and then opened with the desktop's viewer, and the CSV files of
// the series table and of a test's samples. The files go where the user chooses, starting in
// the data folder.
class SeriesExports final : public QObject {
    Q_OBJECT

public:
    explicit SeriesExports(QWidget* parent);
    ~SeriesExports() override;

    // A report is being written; a second one waits for it.
    bool Busy() const { return m_thread != nullptr; }
    void WriteReport(const QString& title, const QList<TestRecord>& records,
                     const std::optional<Tolerance>& limits);
    void WriteTableCsv(const QString& seriesName, const QList<TestRecord>& records);
    void WriteSamplesCsv(const TestRecord& record);

signals:
    // The report's file is complete (before the desktop is asked to open it).
    void ReportWritten(const QString& path);

private:
    void ReportDone(const QString& path, bool written, const QString& error);
    QWidget* Parent() const;

    QThread* m_thread = nullptr;
    QProgressDialog* m_progress = nullptr;
    std::shared_ptr<std::atomic_bool> m_cancel;
};
