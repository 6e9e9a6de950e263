// Data files, chart image, export, configuration, languages, help and About.
#include "app/MainForm.h"

#include "app/SeriesPanel.h"
#include "app/SeriesRecorder.h"
#include "app/SettingsPanel.h"
#include "app/dialogs/TAboutForm.h"
#include "app/widgets/Desktop.h"
#include "app/widgets/FileDialogs.h"
#include "app/widgets/RadioGroup.h"
#include "measure/ChartView.h"
#include "protocol/Numbers.h"
#include "state/AppPaths.h"
#include "state/Global.h"
#include "state/Messages.h"
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
    const QStringList paths = ChooseOpenFiles(DataFileDialog(), this);
    if (paths.isEmpty())
        return;
    m_chartModel.ClearSeries();
    Global.ResetSampleStats();
    ClearStatLabels();
    // Offsets left by an on-line run continue that run's time scale; on a cleared chart they
    // would shift the file's samples, even to negative times.
    Global.ChartTimeOffset = 0.0;
    Global.ChartIndexOffset = 0.0;
    const QStringList errors = DataFile::Open(paths, [this](const DataFileContents& file) {
        m_headerLines = file.HeaderLines;
        m_fileTimeStep = file.TimeStep;
        for (const double value : file.Values)
            AddSample(file.TimeStep, value);
        m_tests->FileRead(file.Path, file.TimeStep, file.Values);
    });
    m_seriesOrigin = SeriesOrigin::File;
    if (!errors.isEmpty())
        ShowMessage(tr("Otwórz dane"), errors.join(QLatin1Char('\n')), MessageIcon::Warning, this);
}

// Saves the samples of the chart under the header of the file last opened or saved, or
// under a new one describing the settings panel.
void TMainForm::Zapisz1Click() {
    const QString path = ChooseSaveFile(DataFileDialog(), this);
    if (path.isEmpty())
        return;
    // The field's sampling time belongs to a run; with no gauge attached it is "0", which
    // would put every sample of a reopened file at the same time.
    const QString sampleTime =
        m_seriesOrigin == SeriesOrigin::Run
            ? Settings().Text(SettingText::SampleTime)
            : FormatGeneral(m_seriesOrigin == SeriesOrigin::File ? m_fileTimeStep
                                                                 : Global.SampleTime,
                            QLatin1Char('.'));
    const DataFileSettings settings{m_settingsPanel->SpeedText(),
                                    m_settingsPanel->AcquisitionText(), m_settingsPanel->UnitText(),
                                    sampleTime};
    const ChartModel::Container& samples = *m_chartModel.Samples();
    QList<QPointF> points;
    points.reserve(samples.size());
    for (auto sample = samples.constBegin(); sample != samples.constEnd(); ++sample)
        points.append(QPointF(sample->key, sample->value));
    const QString error = DataFile::Save(path, m_headerLines, settings, points);
    if (!error.isEmpty())
        ShowMessage(tr("Zapisz dane"), error, MessageIcon::Warning, this);
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
    QString start = Global.DataDirectory;
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
        Global.DataDirectory = QDir::toNativeSeparators(chosen);
        return;
    }
}

void TMainForm::EksportdoExcela1Click() {
    SpreadsheetExport::ToRunningOffice(*m_chartModel.Samples(), m_Chart1->XTitle(),
                                       m_Chart1->YTitle(), this);
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
    if (loaded.LanguageId)
        Global.LanguageId = *loaded.LanguageId;
    // Shown whole: the fields' length limits are for typing, and what is shown is saved back.
    if (loaded.LowThr)
        Settings().SetText(SettingText::Low, *loaded.LowThr);
    if (loaded.HighThr)
        Settings().SetText(SettingText::High, *loaded.HighThr);
    if (loaded.PortConfigured)
        Global.PortConfigured = *loaded.PortConfigured;
    if (loaded.DataDirectory)
        Global.DataDirectory = *loaded.DataDirectory;
    // A stored number outside the scan's range is not brought into it (the dialog would show
    // 1 or 255 and save that): it stands for the default, as the save would have written it.
    if (loaded.MaxPort)
        m_port->SetMaxPortText(IsUsableMaxPort(*loaded.MaxPort)
                                   ? *loaded.MaxPort
                                   : QString(ConfigText::DefaultMaxPort));
    if (loaded.UseEthernet)
        Global.UseEthernet = *loaded.UseEthernet;
    if (loaded.EthHost)
        Global.EthHost = *loaded.EthHost;
    if (loaded.EthPort)
        Global.EthPort = *loaded.EthPort;
    m_seriesPanel->ShowTestFields(loaded.TestOperator.value_or(QString()),
                                  loaded.TestPart.value_or(QString()),
                                  loaded.TestNote.value_or(QString()));
    m_tests->SetDatabase(DatabaseSettings::FromConfig(loaded.Database.value_or(DatabaseConfig())));
}

void TMainForm::SaveConfig() {
    if (!m_xmlConfig)
        return;
    m_xmlConfig->SaveConfig({Global.LanguageId, Settings().Text(SettingText::Low),
                             Settings().Text(SettingText::High), Global.PortConfigured,
                             m_port->MaxPortText(), Global.DataDirectory, Global.UseEthernet,
                             Global.EthHost, Global.EthPort, m_tests->Operator(), m_tests->Part(),
                             m_tests->Note(), m_tests->Database().ToConfig()});
}
