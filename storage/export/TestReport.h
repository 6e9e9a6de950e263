#pragma once

#include "series/TestRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// What a report shows. Copies, so that a worker thread can own them while the series goes on.
struct ReportContent {
    // The series' name, or the test's name for a report of one test.
    QString Title;
    QList<TestRecord> Records;
    std::optional<Tolerance> Limits;
    // The computer's name; left out when empty.
    QString Station;
    QDateTime Printed;
};

// The PDF report of a test or of a series, A4 portrait, in the program's language: the tests'
// context, their chart as vectors, the results (of a series: its statistics and a table of its
// tests) and a line to sign. Painted with QtGui alone, so that it can be made on a worker
// thread.
class TestReport {
    Q_DECLARE_TR_FUNCTIONS(TestReport)

public:
    // Writes the PDF in full or not at all; false with the reason in *error (an unwritable
    // path, a canceled report). canceled, when given, is asked between the steps and pages; a
    // canceled report leaves no file, and a file that was there stays as it was.
    static bool Write(const QString& path, const ReportContent& content, QString* error,
                      const std::function<bool()>& canceled = {});
};
