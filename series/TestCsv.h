#pragma once

#include "series/TestRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

// CSV files of tests, for scripts and spreadsheets: RFC 4180 in UTF-8 with CRLF line ends, "."
// as the decimal point whatever the language, every number as the shortest text that reads
// back to the same value. The headers and the verdict and origin words are English and never
// translated: scripts find their columns by them.
class TestCsv {
    Q_DECLARE_TR_FUNCTIONS(TestCsv)

public:
    // The field as it is: quoted (its quotes doubled) when it holds a comma, a quote or a line
    // end. Blanks are data and stay.
    static QByteArray Field(const QString& text);
    static QByteArray Number(double value);
    // The fields joined by commas, ended by CRLF.
    static QByteArray Line(const QList<QByteArray>& fields);

    // "time [s],value [N]": the header of a test's samples.
    static QByteArray SamplesHeader(const QString& unit);
    // One test's samples, one line each, times from the test's first sample.
    static QByteArray Samples(const TestRecord& record);
    // The series table: a header, then one line per record with its context and results.
    static QByteArray Table(const QList<TestRecord>& records);

    // Writes the text in full or not at all; false with the reason in *error.
    static bool Save(const QString& path, const QByteArray& text, QString* error);
};
