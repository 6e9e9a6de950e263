// Data files, chart image, export, configuration, languages, help and About.
#include "app/MainForm.h"

#include "app/DataFileOpening.h"
#include "app/GaugeWindows.h"
#include "app/SeriesPanel.h"
#include "app/SeriesRecorder.h"
#include "app/SettingsPanel.h"
#include "app/dialogs/TAboutForm.h"
#include "app/widgets/Desktop.h"
#include "app/widgets/FileDialogs.h"
#include "app/widgets/ProgressWindow.h"
#include "app/widgets/RadioGroup.h"
#include "measure/ChartView.h"
#include "protocol/Numbers.h"
#include "state/AppPaths.h"
#include "state/GaugeState.h"
#include "state/Messages.h"
#include "state/ProgramState.h"
#include "storage/DataFile.h"
#include "storage/LanguageModules.h"
#include "storage/XMLConfig.h"
#include "storage/export/ChartImage.h"
#include "storage/export/SpreadsheetExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>

#include <memory>

#include <QAction>

namespace {

// The save and open dialogs of data files share their filter and extension.
FileDialogRequest DataFileDialog() {
    return {TMainForm::tr("Pliki tekstowe (.txt)|*.txt|Wszystkie pliki|*.*"), QStringLiteral("txt"),
            QString()};
}

} // namespace

// Opens the chosen data files onto a cleared chart, one after the other, each with its own
// time step; the header of the last file read is kept for the next save. A file that cannot
// be opened or read to its end is reported by name, and the others are still read.
void TMainForm::Otwrz1Click() {
    if (m_fileWork)
        return;
    const QStringList paths = ChooseOpenFiles(DataFileDialog(), this);
    if (paths.isEmpty())
        return;
    OpenDataFiles(paths);
}

// Read on a worker thread under a progress window. Given up, the chart is left empty and no
// test is made: what a half-read set of files would show is no measurement.
void TMainForm::OpenDataFiles(const QStringList& paths, const std::function<void(bool)>& done) {
    if (m_fileWork) {
        if (done)
            done(false);
        return;
    }
    m_chartModel.ClearSeries();
    m_gauge.ResetSampleStats();
    ClearStatLabels();
    // Offsets left by an on-line run continue that run's time scale; on a cleared chart they
    // would shift the file's samples, even to negative times.
    m_gauge.ChartTimeOffset = 0.0;
    m_gauge.ChartIndexOffset = 0.0;
    auto* opening = new DataFileOpening(
        m_chartModel, [this] { return Settings().ThresholdsOn(); }, m_tests->FileContext(), this);
    m_fileWork = opening;
    opening->Start(paths, [this, opening, paths, done](const DataFileOpening::Outcome& outcome) {
        m_fileWork = nullptr;
        opening->deleteLater();
        if (outcome.Canceled) {
            m_chartModel.ClearSeries();
            m_gauge.ResetSampleStats();
            ClearStatLabels();
        } else {
            if (outcome.OpenedAny) {
                m_headerLines = outcome.HeaderLines;
                m_fileTimeStep = outcome.TimeStep;
            }
            for (const TestRecord& record : outcome.Records)
                m_tests->KeepFileRecord(record);
            m_seriesOrigin = SeriesOrigin::File;
            if (!outcome.Errors.isEmpty())
                ShowMessage(tr("Otwórz dane"), outcome.Errors.join(QLatin1Char('\n')),
                            MessageIcon::Warning, this);
        }
        if (done)
            done(!outcome.Canceled && outcome.Errors.size() < paths.size());
        emit FileWorkEnded();
    });
}

// Saves the samples of the chart under the header of the file last opened or saved, or
// under a new one describing the settings panel. Written on a worker thread under a progress
// window, all or nothing: given up or failed, the file that was there stays as it was.
void TMainForm::Zapisz1Click() {
    if (m_fileWork)
        return;
    const QString path = ChooseSaveFile(DataFileDialog(), this);
    if (path.isEmpty())
        return;
    // The field's sampling time belongs to a run; with no gauge attached it is "0", which
    // would put every sample of a reopened file at the same time.
    const QString sampleTime =
        m_seriesOrigin == SeriesOrigin::Run
            ? Settings().Text(SettingText::SampleTime)
            : FormatGeneral(m_seriesOrigin == SeriesOrigin::File ? m_fileTimeStep
                                                                 : m_gauge.SampleTime,
                            QLatin1Char('.'));
    const DataFileSettings settings = PanelDataFileSettings(sampleTime);
    // The chart's points are shared, not copied (a day's run is gigabytes of them): the chart
    // copies them for itself only if it changes before the save is done, which the blocked
    // window leaves to a run still under way.
    const auto samples =
        std::make_shared<const SampleStore>(m_chartModel.Samples().SharedSamples());
    const auto header = std::make_shared<QStringList>(m_headerLines);
    // What stays said when the work ends without a word (out of memory).
    const auto error = std::make_shared<QString>(
        tr("Nie można zapisać pliku %1").arg(QDir::toNativeSeparators(path)));
    auto* work = new ProgressWindow(QStringLiteral("DataFileProgress"), tr("Zapisz dane"),
                                    tr("Zapisywanie danych..."),
                                    ProgressWindow::Modality::BlocksWindow, this);
    m_fileWork = work;
    work->Run(
        [path, settings, samples, header, error](WorkProgress& progress) {
            *error = DataFile::Save(
                path, *header, settings,
                {samples->size(),
                 [&samples](qsizetype i) {
                     const SampleStore::Sample point = samples->At(i);
                     return QPointF(point.key, point.value);
                 }},
                [&progress](qint64 done, qint64 total) { return progress.Advance(done, total); });
        },
        [this, work, header, error] {
            const bool canceled = work->Canceled();
            m_fileWork = nullptr;
            work->Dismiss();
            if (error->isEmpty() || !canceled)
                m_headerLines = *header;
            if (!error->isEmpty() && !canceled)
                ShowMessage(tr("Zapisz dane"), *error, MessageIcon::Warning, this);
            emit FileWorkEnded();
        });
}

void TMainForm::Zapiszwykres1Click() {
    const QString chosen =
        ChooseSaveFile({ChartImage::Filter(), QStringLiteral("bmp"), QString()}, this);
    if (chosen.isEmpty())
        return;
    const QString path = ChartImage::FileNameFor(chosen);
    if (!ChartImage::Save(*m_Chart1, path))
        ShowMessage(tr("Zapisz wykres"), ChartImage::FailureText(path), MessageIcon::Warning, this);
}

// The folder for results files. A folder that does not exist yet is created after a
// question; "No" returns to the chooser.
void TMainForm::Folderpomiarw1Click() {
    QString start = TheProgram.DataDirectory;
    for (;;) {
        const QString chosen = ChooseFolder({QString(), QString(), start}, this);
        if (chosen.isEmpty())
            return;
        if (!QFileInfo(chosen).isDir()) {
            if (!AskYesNo(tr("Folder pomiarów"),
                          tr("The specified directory does not exist. Create it?"), this)) {
                start = chosen;
                continue;
            }
            if (!QDir().mkpath(chosen)) {
                ShowMessage(
                    tr("Folder pomiarów"),
                    tr("Nie można utworzyć folderu %1").arg(QDir::toNativeSeparators(chosen)),
                    MessageIcon::Warning, this);
                start = chosen;
                continue;
            }
        }
        TheProgram.DataDirectory = QDir::toNativeSeparators(chosen);
        return;
    }
}

// Into the office on a worker thread under a progress window. Given up, the rows written by
// then stay in the sheet: the office has them.
void TMainForm::EksportdoExcela1Click() {
    if (m_fileWork)
        return;
    // Shared with the chart as a save shares them.
    const auto samples =
        std::make_shared<const SampleStore>(m_chartModel.Samples().SharedSamples());
    if (samples->isEmpty()) {
        ShowMessage(SpreadsheetExport::Caption(), SpreadsheetExport::NoDataText(),
                    MessageIcon::Warning, this);
        return;
    }
    const QString xTitle = m_Chart1->XTitle();
    const QString yTitle = m_Chart1->YTitle();
    const auto result =
        std::make_shared<SpreadsheetExport::Result>(SpreadsheetExport::Result::Failed);
    auto* work =
        new ProgressWindow(QStringLiteral("ExportProgress"), SpreadsheetExport::Caption(),
                           tr("Eksport danych..."), ProgressWindow::Modality::BlocksWindow, this);
    m_fileWork = work;
    work->Run(
        [samples, xTitle, yTitle, result](WorkProgress& progress) {
            *result = SpreadsheetExport::WriteToRunningOffice(
                *samples, xTitle, yTitle,
                [&progress](qint64 done, qint64 total) { return progress.Advance(done, total); });
        },
        [this, work, result] {
            m_fileWork = nullptr;
            work->Dismiss();
            if (*result == SpreadsheetExport::Result::Failed)
                ShowMessage(SpreadsheetExport::Caption(), SpreadsheetExport::UnreachableText(),
                            MessageIcon::Warning, this);
            emit FileWorkEnded();
        });
}

// The help document of the current language, opened by the desktop; nothing at all when the
// program has no help folder.
void TMainForm::Help1Click() {
    QString relative = tr("help\\ZENTO_FM.htm");
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (const QString& dir : AppPaths::SharedDataDirs()) {
        const QString path = QDir(dir).filePath(relative);
        if (QFileInfo(path).isFile()) {
            OpenWithDesktop(QUrl::fromLocalFile(path));
            return;
        }
    }
}

void TMainForm::Oproducencie1Click() {
    if (m_aboutForm)
        m_aboutForm->exec();
}

TMainForm::ComposedTexts TMainForm::ComposeTexts() {
    const auto translate = [](const char* context, const char* text) {
        return QCoreApplication::translate(context, text);
    };
    ComposedTexts texts;
    texts.TimeTitle = translate("ProcessData", "Czas") + QStringLiteral(" [s]");
    texts.SampleNumberTitle = translate("ProcessData", "Numer próbki");
    texts.SampleTitlePrefix = ProcessData::SampleTitle(QString()).chopped(1);
    texts.OnlineSeriesName = tr("Pomiar on-line");
    return texts;
}

namespace {

// A whole text composed in the old language becomes the new language's; anything else is a
// value and stays.
QString FollowWhole(const QString& shown, const QString& before, const QString& now) {
    return !before.isEmpty() && shown == before ? now : shown;
}

// A text composed of a translated beginning and a value (a unit, a range) keeps the value.
QString FollowPrefix(const QString& shown, const QString& before, const QString& now) {
    return !before.isEmpty() && shown.startsWith(before) ? now + shown.mid(before.size()) : shown;
}

} // namespace

// Titles and captions in the old language would read oddly beside the new one's.
void TMainForm::FollowComposedTexts() {
    const ComposedTexts before = m_composedTexts;
    const ComposedTexts now = ComposeTexts();
    QString xTitle = m_Chart1->XTitle();
    xTitle = FollowWhole(xTitle, before.TimeTitle, now.TimeTitle);
    xTitle = FollowWhole(xTitle, before.SampleNumberTitle, now.SampleNumberTitle);
    SetXTitle(xTitle);
    SetYTitle(FollowPrefix(YTitle(), before.SampleTitlePrefix, now.SampleTitlePrefix));
    SetSeriesName(
        FollowWhole(m_LabelSeriesName->text(), before.OnlineSeriesName, now.OnlineSeriesName));
    m_composedTexts = now;
}

void TMainForm::EnsureConfigDefaults() {
    m_xmlConfig = std::make_unique<XMLConfig>();
    m_xmlConfig->EnsureConfigDefaults();
}

void TMainForm::LoadConfig() {
    const LoadedConfig loaded = m_xmlConfig->LoadConfig();
    // A further window shares the options and the tests' texts; its link is its own.
    const bool first = IsFirst();
    if (loaded.LanguageId && first)
        TheProgram.LanguageId = *loaded.LanguageId;
    // Shown whole: the fields' length limits are for typing, and what is shown is saved back.
    if (loaded.LowThr)
        Settings().SetText(SettingText::Low, *loaded.LowThr);
    if (loaded.HighThr)
        Settings().SetText(SettingText::High, *loaded.HighThr);
    if (loaded.PortConfigured && first)
        m_gauge.PortConfigured = *loaded.PortConfigured;
    if (loaded.DataDirectory)
        TheProgram.DataDirectory = *loaded.DataDirectory;
    // A stored number outside the scan's range is not brought into it (the dialog would show
    // 1 or 255 and save that): it stands for the default, as the save would have written it.
    if (loaded.MaxPort)
        m_port->SetMaxPortText(IsUsableMaxPort(*loaded.MaxPort)
                                   ? *loaded.MaxPort
                                   : QString(ConfigText::DefaultMaxPort));
    if (loaded.UseEthernet && first)
        m_gauge.UseEthernet = *loaded.UseEthernet;
    if (loaded.EthHost)
        m_gauge.EthHost = *loaded.EthHost;
    if (loaded.EthPort)
        m_gauge.EthPort = *loaded.EthPort;
    if (loaded.Windows && first)
        m_storedLinks = *loaded.Windows;
    if (loaded.Reconnect)
        m_gauge.ReconnectOnLoss = *loaded.Reconnect;
    if (loaded.ReconnectMinutes)
        m_gauge.ReconnectMinutes = *loaded.ReconnectMinutes;
    m_seriesPanel->ShowTestFields(loaded.TestOperator.value_or(QString()),
                                  loaded.TestPart.value_or(QString()),
                                  loaded.TestNote.value_or(QString()));
    m_tests->SetDatabase(DatabaseSettings::FromConfig(loaded.Database.value_or(DatabaseConfig())));
}

void TMainForm::SaveConfig() {
    if (!m_xmlConfig || !IsFirst())
        return;
    // Further windows not opened again (an unattended run) are kept for the next start.
    QList<WindowLink> further = m_windowsRestored ? QList<WindowLink>() : m_storedLinks;
    if (m_windows)
        further += m_windows->Links();
    m_xmlConfig->SaveConfig({TheProgram.LanguageId, Settings().Text(SettingText::Low),
                             Settings().Text(SettingText::High), m_gauge.PortConfigured,
                             m_port->MaxPortText(), TheProgram.DataDirectory, m_gauge.UseEthernet,
                             m_gauge.EthHost, m_gauge.EthPort, m_tests->Operator(), m_tests->Part(),
                             m_tests->Note(), m_tests->Database().ToConfig(),
                             m_gauge.ReconnectOnLoss, m_gauge.ReconnectMinutes, further});
}
