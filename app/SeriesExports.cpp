// Reports and CSV files of the series' tests.
#include "app/SeriesExports.h"

#include "app/widgets/Desktop.h"
#include "app/widgets/FileDialogs.h"
#include "series/TestCsv.h"
#include "state/Global.h"
#include "state/Messages.h"
#include "storage/export/TestReport.h"

#include <QDateTime>
#include <QDir>
#include <QPointer>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSysInfo>
#include <QThread>
#include <QUrl>

#include <chrono>

namespace {

// A quick report shows no progress window at all.
constexpr std::chrono::milliseconds ProgressDelay{400};

// A file name from a test's or series' name: what a file system may refuse becomes "_".
QString FileStem(const QString& name, const QString& fallback) {
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    QString stem = name.trimmed();
    stem.replace(unsafe, QStringLiteral("_"));
    return stem.isEmpty() ? fallback : stem;
}

QString SuggestedPath(const QString& stem, const QString& extension) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmm"));
    return QDir(Global.DataDirectory).filePath(stem + QLatin1Char('_') + stamp + extension);
}

} // namespace

SeriesExports::SeriesExports(QWidget* parent)
    : QObject(parent) {}

SeriesExports::~SeriesExports() {
    // A report under way is given up: its half-written file is not kept.
    if (m_thread) {
        m_cancel->store(true);
        m_thread->wait();
        delete m_thread;
    }
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

    m_cancel = std::make_shared<std::atomic_bool>(false);
    m_progress = new QProgressDialog(tr("Tworzenie raportu PDF..."), tr("Anuluj"), 0, 0, Parent());
    m_progress->setObjectName(QStringLiteral("ReportProgress"));
    m_progress->setWindowTitle(tr("Raport"));
    m_progress->setMinimumDuration(int(ProgressDelay.count()));
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, &QProgressDialog::canceled, this,
            [cancel = m_cancel] { cancel->store(true); });

    // The worker tells its result back through the event loop of this object's thread.
    QPointer<SeriesExports> self(this);
    m_thread = QThread::create([self, path, content, cancel = m_cancel] {
        QString error;
        const bool written =
            TestReport::Write(path, content, &error, [cancel] { return cancel->load(); });
        QMetaObject::invokeMethod(
            qApp,
            [self, path, written, error] {
                if (self)
                    self->ReportDone(path, written, error);
            },
            Qt::QueuedConnection);
    });
    m_thread->setObjectName(QStringLiteral("report"));
    m_thread->start();
}

void SeriesExports::ReportDone(const QString& path, bool written, const QString& error) {
    const bool canceled = m_cancel && m_cancel->load();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    delete m_progress;
    m_progress = nullptr;
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
