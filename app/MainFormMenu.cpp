// The main menu MainMenu1: items, hot keys and pictures; MenuStyle draws them.
#include "app/MainForm.h"

#include "app/MainMenu.h"
#include "app/widgets/Pictures.h"
#include "app/widgets/ProgramFont.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr QSize MenuPictureSize{32, 32};

QAction* Item(QObject* parent, const char* name, const char* picture,
              const QKeySequence& hotKey = {}) {
    auto* action = new QAction(parent);
    action->setObjectName(QLatin1String(name));
    action->setIcon(Pictures::Icon(QLatin1String(picture), MenuPictureSize));
    action->setShortcut(hotKey);
    // Every item of this menu shows its picture; the flag is kept for the drawing.
    action->setProperty("PictureFlag", true);
    action->setProperty("Tag", 0);
    return action;
}

QMenu* Submenu(QMenuBar* bar, MenuStyle* style, const char* name, const char* picture) {
    auto* menu = new QMenu(bar);
    menu->setObjectName(QLatin1String(name));
    menu->setStyle(style);
    menu->setFont(ProgramFont());
    menu->setIcon(Pictures::Icon(QLatin1String(picture), MenuPictureSize));
    menu->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Item"));
    menu->menuAction()->setProperty("PictureFlag", true);
    bar->addMenu(menu);
    return menu;
}

} // namespace

void TMainForm::BuildMenu() {
    m_menuStyle = new MenuStyle;
    m_menuStyle->setParent(this);
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setStyle(m_menuStyle);
    bar->setFont(ProgramFont());
    // The language items sit in the bar itself, which a native menu bar would not allow.
    bar->setNativeMenuBar(false);

    m_Plik1 = Submenu(bar, m_menuStyle, "Plik1", "menu-file");
    m_Otwrz1 = Item(this, "Otwrz1", "menu-open", QKeySequence(Qt::CTRL | Qt::Key_O));
    m_Zapisz1 = Item(this, "Zapisz1", "menu-save", QKeySequence(Qt::CTRL | Qt::Key_S));
    m_Zapiszwykres1 =
        Item(this, "Zapiszwykres1", "menu-save-chart", QKeySequence(Qt::CTRL | Qt::Key_W));
    m_Folderpomiarw1 = Item(this, "Folderpomiarw1", "menu-data-folder");
    m_EksportdoExcela1 =
        Item(this, "EksportdoExcela1", "menu-export", QKeySequence(Qt::CTRL | Qt::Key_E));
    m_Koniec1 = Item(this, "Koniec1", "menu-exit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_Plik1->addActions(
        {m_Otwrz1, m_Zapisz1, m_Zapiszwykres1, m_Folderpomiarw1, m_EksportdoExcela1, m_Koniec1});

    m_Connection = Item(this, "Connection", "menu-connection");
    bar->addAction(m_Connection);

    m_Pomiar1 = Submenu(bar, m_menuStyle, "Pomiar1", "menu-measure");
    m_MenuMeasurementStart = Item(this, "MenuMeasurementStart", "menu-start");
    m_MenuMeasurementStop = Item(this, "MenuMeasurementStop", "menu-stop");
    m_Pomiar1->addActions({m_MenuMeasurementStart, m_MenuMeasurementStop});

    m_Pomoc1 = Submenu(bar, m_menuStyle, "Pomoc1", "menu-help");
    m_Help1 = Item(this, "Help1", "menu-handbook", QKeySequence(Qt::Key_F1));
    m_Oproducencie1 = Item(this, "Oproducencie1", "menu-about", QKeySequence(Qt::Key_F2));
    m_Pomoc1->addActions({m_Help1, m_Oproducencie1});

    m_MenuEnglish = Item(this, "MenuEnglish", "flag-gb");
    m_MenuPolish = Item(this, "MenuPolish", "flag-pl");
    m_MenuGerman = Item(this, "MenuGerman", "flag-de");
    // Each language names itself, in its own words.
    m_MenuEnglish->setToolTip(QStringLiteral("English"));
    m_MenuPolish->setToolTip(QStringLiteral("Polski"));
    m_MenuGerman->setToolTip(QStringLiteral("Deutsch"));
    bar->addActions({m_MenuEnglish, m_MenuPolish, m_MenuGerman});
}

void TMainForm::ApplyMenuTexts() {
    m_Plik1->setTitle(tr("Plik"));
    m_Otwrz1->setText(tr("Otwórz dane"));
    m_Zapisz1->setText(tr("Zapisz dane ..."));
    m_Zapiszwykres1->setText(tr("Zapisz wykres ..."));
    m_Folderpomiarw1->setText(tr("Folder pomiarów"));
    m_EksportdoExcela1->setText(tr("Eksport do Excela"));
    m_Koniec1->setText(tr("Koniec"));
    m_Connection->setText(tr("Połączenie"));
    m_Pomiar1->setTitle(tr("Pomiar"));
    m_MenuMeasurementStart->setText(tr("Start"));
    m_MenuMeasurementStop->setText(tr("Stop"));
    m_Pomoc1->setTitle(tr("Pomoc"));
    m_Help1->setText(tr("Pomoc"));
    m_Oproducencie1->setText(tr("O producencie"));
}
