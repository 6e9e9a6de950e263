// The main menu's items and what choosing each one says.
#include "app/MainMenuBar.h"

#include "app/MainMenu.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/ProgramFont.h"
#include "storage/LanguageModules.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
constexpr QSize MenuPictureSize{32, 32};
} // namespace

QAction* MainMenuBar::Item(const char* name, const char* picture, const QKeySequence& hotKey) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(name));
    action->setIcon(Pictures::Icon(QLatin1String(picture), MenuPictureSize));
    action->setShortcut(hotKey);
    // Every item of this menu shows its picture; the flag is kept for the drawing.
    action->setProperty("PictureFlag", true);
    action->setProperty("Tag", 0);
    return action;
}

QMenu* MainMenuBar::Submenu(QMenuBar* bar, const char* name, const char* picture) {
    auto* menu = new QMenu(bar);
    menu->setObjectName(QLatin1String(name));
    menu->setStyle(m_menuStyle);
    menu->setFont(ProgramFont());
    menu->setIcon(Pictures::Icon(QLatin1String(picture), MenuPictureSize));
    menu->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Item"));
    menu->menuAction()->setProperty("PictureFlag", true);
    bar->addMenu(menu);
    return menu;
}

MainMenuBar::MainMenuBar(QMenuBar* bar)
    : QObject(bar) {
    m_menuStyle = new MenuStyle;
    m_menuStyle->setParent(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setStyle(m_menuStyle);
    bar->setFont(ProgramFont());
    // The language items sit in the bar itself, which a native menu bar would not allow.
    bar->setNativeMenuBar(false);

    m_Plik1 = Submenu(bar, "Plik1", "menu-file");
    m_Otwrz1 = Item("Otwrz1", "menu-open", QKeySequence(Qt::CTRL | Qt::Key_O));
    m_Zapisz1 = Item("Zapisz1", "menu-save", QKeySequence(Qt::CTRL | Qt::Key_S));
    m_Zapiszwykres1 = Item("Zapiszwykres1", "menu-save-chart", QKeySequence(Qt::CTRL | Qt::Key_W));
    m_Folderpomiarw1 = Item("Folderpomiarw1", "menu-data-folder");
    m_EksportdoExcela1 =
        Item("EksportdoExcela1", "menu-export", QKeySequence(Qt::CTRL | Qt::Key_E));
    m_NoweOkno1 = Item("NoweOkno1", "menu-connection", QKeySequence(Qt::CTRL | Qt::Key_N));
    m_Koniec1 = Item("Koniec1", "menu-exit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_Plik1->addActions({m_Otwrz1, m_Zapisz1, m_Zapiszwykres1, m_Folderpomiarw1, m_EksportdoExcela1,
                         m_NoweOkno1, m_Koniec1});

    m_Connection = Item("Connection", "menu-connection");
    bar->addAction(m_Connection);

    m_Pomiar1 = Submenu(bar, "Pomiar1", "menu-measure");
    m_MenuMeasurementStart = Item("MenuMeasurementStart", "menu-start");
    m_MenuMeasurementStop = Item("MenuMeasurementStop", "menu-stop");
    m_Pomiar1->addActions({m_MenuMeasurementStart, m_MenuMeasurementStop});

    m_Pomoc1 = Submenu(bar, "Pomoc1", "menu-help");
    m_Help1 = Item("Help1", "menu-handbook", QKeySequence(Qt::Key_F1));
    m_Oproducencie1 = Item("Oproducencie1", "menu-about", QKeySequence(Qt::Key_F2));
    m_Pomoc1->addActions({m_Help1, m_Oproducencie1});

    m_MenuEnglish = Item("MenuEnglish", "flag-gb");
    m_MenuPolish = Item("MenuPolish", "flag-pl");
    m_MenuGerman = Item("MenuGerman", "flag-de");
    // Each language names itself, in its own words.
    m_MenuEnglish->setToolTip(QStringLiteral("English"));
    m_MenuPolish->setToolTip(QStringLiteral("Polski"));
    m_MenuGerman->setToolTip(QStringLiteral("Deutsch"));
    bar->addActions({m_MenuEnglish, m_MenuPolish, m_MenuGerman});

    const struct {
        QAction* Action;
        void (MainMenuBar::*Chosen)();
    } items[] = {{m_Otwrz1, &MainMenuBar::OpenChosen},
                 {m_Zapisz1, &MainMenuBar::SaveChosen},
                 {m_Zapiszwykres1, &MainMenuBar::SaveChartChosen},
                 {m_Folderpomiarw1, &MainMenuBar::DataFolderChosen},
                 {m_EksportdoExcela1, &MainMenuBar::ExportChosen},
                 {m_NoweOkno1, &MainMenuBar::NewWindowChosen},
                 {m_Koniec1, &MainMenuBar::ExitChosen},
                 {m_Connection, &MainMenuBar::ConnectionChosen},
                 {m_MenuMeasurementStart, &MainMenuBar::StartChosen},
                 {m_MenuMeasurementStop, &MainMenuBar::StopChosen},
                 {m_Help1, &MainMenuBar::HelpChosen},
                 {m_Oproducencie1, &MainMenuBar::AboutChosen}};
    for (const auto& item : items)
        connect(item.Action, &QAction::triggered, this, item.Chosen);
    const struct {
        QAction* Action;
        int LanguageId;
    } languages[] = {{m_MenuEnglish, LanguageModules::English},
                     {m_MenuPolish, LanguageModules::Polish},
                     {m_MenuGerman, LanguageModules::German}};
    for (const auto& language : languages)
        connect(language.Action, &QAction::triggered, this,
                [this, id = language.LanguageId] { emit LanguageChosen(id); });
}

void MainMenuBar::AddMeasurementItem(QAction* action) {
    action->setIcon(Pictures::Icon(QStringLiteral("menu-measure"), MenuPictureSize));
    action->setProperty("PictureFlag", true);
    action->setProperty("Tag", 0);
    m_Pomiar1->addAction(action);
}

void MainMenuBar::SetRunning(bool running) {
    m_MenuMeasurementStart->setEnabled(!running);
    m_MenuMeasurementStop->setEnabled(running);
}

void MainMenuBar::ApplyTexts() {
    m_Plik1->setTitle(tr("Plik"));
    m_Otwrz1->setText(tr("Otwórz dane"));
    m_Zapisz1->setText(tr("Zapisz dane ..."));
    m_Zapiszwykres1->setText(tr("Zapisz wykres ..."));
    m_Folderpomiarw1->setText(tr("Folder pomiarów"));
    m_EksportdoExcela1->setText(tr("Eksport do Excela"));
    m_NoweOkno1->setText(tr("Nowe okno"));
    m_Koniec1->setText(tr("Koniec"));
    m_Connection->setText(tr("Połączenie"));
    m_Pomiar1->setTitle(tr("Pomiar"));
    m_MenuMeasurementStart->setText(tr("Start"));
    m_MenuMeasurementStop->setText(tr("Stop"));
    m_Pomoc1->setTitle(tr("Pomoc"));
    m_Help1->setText(tr("Pomoc"));
    m_Oproducencie1->setText(tr("O producencie"));
}
