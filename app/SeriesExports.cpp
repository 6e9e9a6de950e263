// Reports and CSV files of the series' tests.
#include "app/SeriesExports.h"

#include "app/widgets/Desktop.h"
#include "app/widgets/FileDialogs.h"
#include "app/widgets/ProgressWindow.h"
#include "series/TestCsv.h"
#include "state/Messages.h"
#include "state/ProgramState.h"
#include "storage/export/TestReport.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QSysInfo>
#include <QUrl>

#include <memory>

namespace {

// A file name from a test's or series' name: what a file system may refuse becomes "_".
QString FileStem(const QString& name, const QString& fallback) {
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    QString stem = name.trimmed();
    stem.replace(unsafe, QStringLiteral("_"));
    return stem.isEmpty() ? fallback : stem;
}

QString SuggestedPath(const QString& stem, const QString& extension) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmm"));
    return QDir(TheProgram.DataDirectory).filePath(stem + QLatin1Char('_') + stamp + extension);
}

} // namespace

SeriesExports::SeriesExports(QWidget* parent)
    : QObject(parent) {}

SeriesExports::~SeriesExports() {
    // A report under way is given up: its half-written file is not kept.
    delete m_report;
}

QWidget* SeriesExports::Parent() const {
    return static_cast<QWidget*>(parent());
}

void SeriesExports::WriteReport(const QString& title, const QList<TestRecord>& records,
                                const std::optional<Tolerance>& limits) {
    if (records.isEmpty() || Busy())
        return;
    const QString stem = FileStem(title, tr("raport"));
    const QString path = ChooseSaveFile({tr("Dokument PDF|*.pdf"), QStringLiteral("pdf"),
                                         SuggestedPath(stem, QStringLiteral(".pdf"))},
                                        Parent());
    if (path.isEmpty())
        return;

    ReportContent content;
    content.Title = title;
    content.Records = records;
    content.Limits = limits;
    content.Station = QSysInfo::machineHostName();
    content.Printed = QDateTime::currentDateTime();

    struct Outcome {
        bool Written = false;
        QString Error;
    };
    auto outcome = std::make_shared<Outcome>();
    m_report = new ProgressWindow(QStringLiteral("ReportProgress"), tr("Raport"),
                                  tr("Tworzenie raportu PDF..."), ProgressWindow::Modality::Free,
                                  Parent());
    m_report->Run(
        [path, content, outcome](WorkProgress& progress) {
            outcome->Written = TestReport::Write(path, content, &outcome->Error,
                                                 [&progress] { return progress.Canceled(); });
        },
        [this, path, outcome] { ReportDone(path, outcome->Written, outcome->Error); });
}

void SeriesExports::ReportDone(const QString& path, bool written, const QString& error) {
    const bool canceled = m_report->Canceled();
    m_report->Dismiss();
    m_report = nullptr;
    if (!written && canceled)
        return;
    if (!written) {
        ShowMessage(tr("Raport"), error, MessageIcon::Error, Parent());
        return;
    }
    emit ReportWritten(path);
    if (!OpenWithDesktop(QUrl::fromLocalFile(path)))
        ShowMessage(tr("Raport"),
                    tr("Raport zapisano w pliku %1, ale nie udało się go otworzyć.")
                        .arg(QDir::toNativeSeparators(path)),
                    MessageIcon::Warning, Parent());
}

void SeriesExports::WriteTableCsv(const QString& seriesName, const QList<TestRecord>& records) {
    const QString path =
        ChooseSaveFile({tr("Plik CSV|*.csv"), QStringLiteral("csv"),
                        SuggestedPath(FileStem(seriesName, tr("seria")), QStringLiteral(".csv"))},
                       Parent());
    QString error;
    if (!path.isEmpty() && !TestCsv::Save(path, TestCsv::Table(records), &error))
        ShowMessage(tr("Eksport CSV"), error, MessageIcon::Error, Parent());
}

void SeriesExports::WriteSamplesCsv(const TestRecord& record) {
    const QString path =
        ChooseSaveFile({tr("Plik CSV|*.csv"), QStringLiteral("csv"),
                        SuggestedPath(FileStem(record.Name, tr("test")), QStringLiteral(".csv"))},
                       Parent());
    QString error;
    if (!path.isEmpty() && !TestCsv::Save(path, TestCsv::Samples(record), &error))
        ShowMessage(tr("Eksport CSV"), error, MessageIcon::Error, Parent());
}
