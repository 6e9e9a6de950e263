#pragma once

#include <QObject>

class MenuStyle;
class QAction;
class QMenu;
class QMenuBar;

// The main window's menu (MainMenu1): its items, hot keys and pictures in the window's bar,
// drawn by MenuStyle; each item chosen is a signal.
class MainMenuBar final : public QObject {
    Q_OBJECT

public:
    // Fills `bar`, which stays the window's.
    explicit MainMenuBar(QMenuBar* bar);

    void ApplyTexts();
    // "Start" while no run is under way, "Stop" only during one.
    void SetRunning(bool running);
    // An item of the "Pomiar" menu after Start and Stop.
    void AddMeasurementItem(QAction* action);

signals:
    void OpenChosen();
    void SaveChosen();
    void SaveChartChosen();
    void DataFolderChosen();
    void ExportChosen();
    void ExitChosen();
    void NewWindowChosen();
    void ConnectionChosen();
    void StartChosen();
    void StopChosen();
    void HelpChosen();
    void AboutChosen();
    // A flag: the language id of LanguageModules.
    void LanguageChosen(int languageId);

private:
    QAction* Item(const char* name, const char* picture, const QKeySequence& hotKey = {});
    QMenu* Submenu(QMenuBar* bar, const char* name, const char* picture);

    MenuStyle* m_menuStyle = nullptr;
    QMenu* m_Plik1 = nullptr;
    QAction* m_Otwrz1 = nullptr;
    QAction* m_Zapisz1 = nullptr;
    QAction* m_Zapiszwykres1 = nullptr;
    QAction* m_Folderpomiarw1 = nullptr;
    QAction* m_EksportdoExcela1 = nullptr;
    QAction* m_NoweOkno1 = nullptr;
    QAction* m_Koniec1 = nullptr;
    QAction* m_Connection = nullptr;
    QMenu* m_Pomiar1 = nullptr;
    QAction* m_MenuMeasurementStart = nullptr;
    QAction* m_MenuMeasurementStop = nullptr;
    QMenu* m_Pomoc1 = nullptr;
    QAction* m_Help1 = nullptr;
    QAction* m_Oproducencie1 = nullptr;
    QAction* m_MenuEnglish = nullptr;
    QAction* m_MenuPolish = nullptr;
    QAction* m_MenuGerman = nullptr;
};
