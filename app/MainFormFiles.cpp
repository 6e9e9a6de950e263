// Data files, chart image, export, configuration, languages, help and About.
#include "app/MainForm.h"

#include "storage/TAboutForm.h"

#include <QAction>

void TMainForm::Otwrz1Click() {
    // Stand-in: opens one or more data files onto the chart.
}

void TMainForm::Zapisz1Click() {
    // Stand-in: saves the samples with their settings header.
}

void TMainForm::Zapiszwykres1Click() {
    // Stand-in: saves the chart as a bitmap.
}

void TMainForm::Folderpomiarw1Click() {
    // Stand-in: chooses the folder for results files.
}

void TMainForm::EksportdoExcela1Click() {
    // Stand-in: copies the samples into a running spreadsheet.
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
    // Stand-in: completes config.xml with the defaults of missing keys.
}

void TMainForm::LoadConfig() {
    // Stand-in: reads config.xml into the shared state and the controls.
}

void TMainForm::SaveConfig() {
    // Stand-in: writes config.xml.
}
