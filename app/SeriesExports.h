#pragma once

#include "series/TestRecord.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class ProgressWindow;

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
    bool Busy() const { return !m_report.isNull(); }
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

    QPointer<ProgressWindow> m_report;
};
