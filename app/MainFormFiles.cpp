// Data files, chart image, export, configuration, languages, help and About.
#include "app/MainForm.h"

#include "app/state/FileDialogs.h"
#include "app/state/Global.h"
#include "app/state/Messages.h"
#include "measure/ChartView.h"
#include "storage/ChartImage.h"
#include "storage/SpreadsheetExport.h"
#include "storage/TAboutForm.h"
#include "storage/XMLConfig.h"

#include <QLineEdit>

#include <QAction>

void TMainForm::Otwrz1Click() {
    // Stand-in: opens one or more data files onto the chart.
}

void TMainForm::Zapisz1Click() {
    // Stand-in: saves the samples with their settings header.
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
        SetMaxPortText(*loaded.MaxPort);
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
                             Global.PortConfigured, MaxPortText(), Global.DataDirectory,
                             Global.UseEthernet, Global.EthHost, Global.EthPort});
}
