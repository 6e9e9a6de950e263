#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

// Texts of the settings controls that the header of a new data file records.
struct DataFileSettings {
    QString Speed;       // selected item of rgSpeed; empty when none is selected
    QString Acquisition; // selected item of rgAcquisition; empty when none is selected
    QString Unit;        // selected item of rgUnit; empty when none is selected
    QString SampleTime;  // text of EditSampleTime, as typed
};

// One data file as read: its header, its time step and its sample values in file order.
struct DataFileContents {
    QString Path;
    bool Opened = false;
    // Why the file could not be opened, or why its reading stopped early (what was read
    // up to then is kept); empty when the whole file was read.
    QString Error;
    // The reading was given up before the end (its progress said stop).
    bool Canceled = false;
    QStringList HeaderLines;
    double TimeStep = 0.0;
    std::vector<double> Values;
};

// Measurement data files: a block of header lines describing the gauge's settings, then
// one tab-separated line per sample. Single-byte text, CR LF, numbers always with ".".
class DataFile final {
    Q_DECLARE_TR_FUNCTIONS(DataFile)

public:
    // Told how far a save or a read has come (samples written, bytes read) of how much;
    // returns false to give the work up. Called from the thread doing the work.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    // The samples a save writes (x = time, y = value), asked for one at a time, so that the
    // chart's own points can be written without a copy of them.
    struct SampleSource {
        qsizetype Count = 0;
        std::function<QPointF(qsizetype)> At;
    };

    // Writes the samples (x = time, y = value) under the header. An empty headerLines is
    // filled with a new header first; its DATA, TIME, QTY and COUNT lines are brought up
    // to date in place either way, and a header without the columns line gets one, so that
    // the samples can be read back. Returns an error naming the file, or an empty text.
    static QString Save(const QString& path, QStringList& headerLines,
                        const DataFileSettings& settings, const QList<QPointF>& points);
    // The same with progress: given up, the save leaves no file of its own and the one that
    // was there before as it was. Points whose value is not a number (breaks in the chart's
    // line) are left out.
    static QString Save(const QString& path, QStringList& headerLines,
                        const DataFileSettings& settings, const SampleSource& samples,
                        const Progress& progress);

    // Reads the files in order and hands each one that could be opened to onFile; the
    // other files are still read. Returns one error text per file that failed.
    static QStringList Open(const QStringList& paths,
                            const std::function<void(const DataFileContents&)>& onFile);
    // Given up, the contents say Canceled and hold what was read by then.
    static DataFileContents Read(const QString& path, const Progress& progress = {});

    // The pieces of both, for the window and for tests.
    static QStringList NewHeader(const DataFileSettings& settings, qsizetype count,
                                 const QString& timeStep);
    static void RefreshHeader(QStringList& headerLines, qsizetype count, const QString& timeStep);
    // The header of a file still being written (a run's journal): no counts yet, which tells
    // a reader that the last line may have been cut short by a crash and counts only with its
    // line end. Missing settings, count or columns lines are added.
    static void MarkUnfinished(QStringList& headerLines);
    // One sample line as Save writes it, line end included.
    static void AppendSampleLine(QByteArray& out, qsizetype number, double value);
    // The sampling time field for three samples or more, and for fewer than two; the
    // distance of the two samples for two.
    static QString TimeStepText(const QList<QPointF>& points, const QString& sampleTimeField);
    // The number of seconds a "TIME :" header line holds; 0 when it holds none.
    static double ParseTimeStep(const QString& line);
    // The value of a sample line; nothing for a line that is not one.
    static std::optional<double> ParseDataLine(QStringView line);
    // The same for a line of bytes, without building texts for the usual lines.
    static std::optional<double> ParseDataLine(QByteArrayView line);
};
