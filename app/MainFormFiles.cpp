// Data files, chart image, export, configuration, languages, help and About.
#include "app/MainForm.h"

#include "app/state/AppPaths.h"
#include "app/state/Desktop.h"
#include "app/state/FileDialogs.h"
#include "app/state/Global.h"
#include "app/state/Messages.h"
#include "measure/ChartView.h"
#include "storage/ChartImage.h"
#include "storage/LanguageModules.h"
#include "storage/SpreadsheetExport.h"
#include "storage/TAboutForm.h"
#include "storage/XMLConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QUrl>

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

void TMainForm::MenuLanguageClick(QAction* sender) {
    if (!m_languages)
        return;
    if (sender == m_MenuGerman)
        m_languages->SetLanguage(LanguageModules::German);
    else if (sender == m_MenuPolish)
        m_languages->SetLanguage(LanguageModules::Polish);
    else
        m_languages->SetLanguage(LanguageModules::English);
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
