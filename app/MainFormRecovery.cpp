// The run's journal: begun with each on-line run, and what a crash left brought back at the
// next start as a chart, a test of the series and a data file.
#include "app/MainForm.h"

#include "app/RunJournalKeeper.h"
#include "app/SeriesRecorder.h"
#include "app/SettingsPanel.h"
#include "protocol/Numbers.h"
#include "state/GaugeState.h"
#include "state/Messages.h"
#include "state/ProgramState.h"
#include "storage/DataFile.h"
#include "storage/RunJournal.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QThread>

DataFileSettings TMainForm::PanelDataFileSettings(const QString& sampleTime) const {
    return {m_settingsPanel->SpeedText(), m_settingsPanel->AcquisitionText(),
            m_settingsPanel->UnitText(), sampleTime};
}

void TMainForm::JournalRunStarted() {
    const QString timeStep = FormatGeneral(m_gauge.SampleTime, QLatin1Char('.'));
    m_journal->RunStarted(DataFile::NewHeader(PanelDataFileSettings(timeStep), 0, timeStep));
}

// One journal at a time, the newest: each recovery replaces the chart. The others wait for
// the next start, and any of them can be opened as a data file meanwhile.
void TMainForm::OfferRecovery() {
    if (m_closed || m_gauge.MeasurementRunning)
        return;
    const QStringList leftovers = RunJournal::Leftovers();
    if (leftovers.isEmpty())
        return;
    const QString journal = leftovers.constFirst();
    const QDateTime start = RunJournal::StartOf(journal);
    QString text =
        tr("Pomiar rozpoczęty %1 nie został zakończony: program przerwał pracę w jego trakcie. "
           "Odtworzyć zapisane próbki?")
            .arg(QLocale().toString(start, QLocale::ShortFormat));
    if (leftovers.size() > 1)
        text += QLatin1Char('\n') +
                tr("Pozostałe przerwane pomiary (%1) zostaną zaproponowane przy następnych "
                   "uruchomieniach.")
                    .arg(leftovers.size() - 1);
    if (!AskYesNo(tr("Odzyskiwanie pomiaru"), text, this)) {
        SetStatusText(tr("Zapis przerwanego pomiaru pozostaje w folderze %1")
                          .arg(QDir::toNativeSeparators(RunJournal::Folder())));
        return;
    }
    RecoverRun(journal);
}

void TMainForm::RecoverRun(const QString& journal) {
    const QDateTime start = RunJournal::StartOf(journal);
    const qsizetype before = m_tests->Series().Records().size();
    OpenDataFiles({journal}, [this, journal, start, before](bool read) {
        // A journal read without a test made of it (too large for memory) is left for later.
        const QList<TestRecord>& records = m_tests->Series().Records();
        if (!read || records.size() <= before)
            return;
        const QString name =
            tr("Odzyskany pomiar %1").arg(start.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
        const int index = int(records.size()) - 1;
        m_tests->Series().Rename(index, name);
        SetSeriesName(name);
        const TestRecord& record = records.at(index);
        // The test goes to the results database; once it is there the journal is no longer
        // needed. The data file is for those who work with files.
        m_journal->Recovered(journal, record.Key);
        const QString folder = QDir::fromNativeSeparators(TheProgram.DataDirectory);
        const QString path = QDir(folder).filePath(name + QStringLiteral(".txt"));
        const qsizetype count = record.Samples.size();
        QStringList header = m_headerLines;
        const DataFileSettings settings =
            PanelDataFileSettings(FormatGeneral(record.Context.SampleTime, QLatin1Char('.')));
        // Written off the interface thread: a day's run is a large file.
        auto error = std::make_shared<QString>();
        QThread* writer = QThread::create(
            [folder, path, header, settings, samples = record.Samples, error]() mutable {
                if (!QDir().mkpath(folder))
                    *error = DataFile::tr("Nie można utworzyć folderu %1")
                                 .arg(QDir::toNativeSeparators(folder));
                else
                    *error = DataFile::Save(path, header, settings, samples);
            });
        connect(writer, &QThread::finished, writer, &QObject::deleteLater);
        connect(writer, &QThread::finished, this, [this, path, count, start, error] {
            const QString when = QLocale().toString(start, QLocale::ShortFormat);
            if (!error->isEmpty()) {
                ShowMessage(
                    tr("Odzyskiwanie pomiaru"),
                    tr("Odzyskano %1 próbek pomiaru rozpoczętego %2.").arg(count).arg(when) +
                        QLatin1Char('\n') + *error,
                    MessageIcon::Warning, this);
                return;
            }
            ShowMessage(tr("Odzyskiwanie pomiaru"),
                        tr("Odzyskano %1 próbek pomiaru rozpoczętego %2 i zapisano je w pliku %3.")
                            .arg(count)
                            .arg(when, QDir::toNativeSeparators(path)),
                        MessageIcon::Information, this);
        });
        writer->start();
    });
}
