// Data files, chart image, export, configuration, languages, help and About.
#include "app/MainForm.h"

#include "app/state/FileDialogs.h"
#include "app/state/Global.h"
#include "app/state/Messages.h"
#include "app/widgets/RadioGroup.h"
#include "measure/ChartView.h"
#include "storage/ChartImage.h"
#include "storage/DataFile.h"
#include "storage/SpreadsheetExport.h"
#include "storage/TAboutForm.h"
#include "storage/XMLConfig.h"

#include <QLineEdit>

#include <QAction>

namespace {

// The save and open dialogs of data files share their filter and extension.
FileDialogRequest DataFileDialog() {
    return {TMainForm::tr("Pliki tekstowe (.txt)|*.txt|Wszystkie pliki|*.*"), QStringLiteral("txt"),
            QString()};
}

QString SelectedItem(const RadioGroup* group) {
    const int index = group->ItemIndex();
    const QStringList items = group->Items();
    return index >= 0 && index < items.size() ? items.at(index) : QString();
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
        for (const double value : file.Values)
            AddSample(file.TimeStep, value);
    });
    if (!errors.isEmpty())
        ShowMessage(tr("Otwórz dane"), errors.join(QLatin1Char('\n')), MessageIcon::Warning, this);
}

// Saves the samples of the chart under the header of the file last opened or saved, or
// under a new one describing the settings panel.
void TMainForm::Zapisz1Click() {
    const QString path = ChooseSaveFile(DataFileDialog(), this);
    if (path.isEmpty())
        return;
    const DataFileSettings settings{SelectedItem(m_rgSpeed), SelectedItem(m_rgAcquisition),
                                    SelectedItem(m_rgUnit), m_EditSampleTime->text()};
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

void TMainForm::Folderpomiarw1Click() {
    // Stand-in: chooses the folder for results files.
}

void TMainForm::EksportdoExcela1Click() {
    SpreadsheetExport::ToRunningOffice(*m_chartModel.Samples(), m_Chart1->XTitle(),
                                       m_Chart1->YTitle(), this);
}

void TMainForm::Help1Click() {
    // Stand-in: opens the help document when it exists.
}

void TMainForm::Oproducencie1Click() {
    if (m_aboutForm)
        m_aboutForm->exec();
}

void TMainForm::MenuLanguageClick(QAction* sender) {
    // Stand-in: loads the language of the item (German, Polish, otherwise English).
    Q_UNUSED(sender);
}

void TMainForm::EnsureConfigDefaults() {
    m_xmlConfig = std::make_unique<XMLConfig>();
    m_xmlConfig->EnsureConfigDefaults();
}

void TMainForm::LoadConfig() {
    const LoadedConfig loaded = m_xmlConfig->LoadConfig();
    if (loaded.LanguageId)
        Global.LanguageId = *loaded.LanguageId;
    if (loaded.LowThr)
        m_EditLow->setText(*loaded.LowThr);
    if (loaded.HighThr)
        m_EditHigh->setText(*loaded.HighThr);
    if (loaded.PortConfigured)
        Global.PortConfigured = *loaded.PortConfigured;
    if (loaded.DataDirectory)
        Global.DataDirectory = *loaded.DataDirectory;
    if (loaded.MaxPort)
        m_maxPortText = *loaded.MaxPort;
    if (loaded.UseEthernet)
        Global.UseEthernet = *loaded.UseEthernet;
    if (loaded.EthHost)
        Global.EthHost = *loaded.EthHost;
    if (loaded.EthPort)
        Global.EthPort = *loaded.EthPort;
}

void TMainForm::SaveConfig() {
    if (!m_xmlConfig)
        return;
    m_xmlConfig->SaveConfig({Global.LanguageId, m_EditLow->text(), m_EditHigh->text(),
                             Global.PortConfigured, m_maxPortText, Global.DataDirectory,
                             Global.UseEthernet, Global.EthHost, Global.EthPort});
}
