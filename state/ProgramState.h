#pragma once

#include <QString>

#include <cstdint>

class QObject;

// What every window of the program shares: the language it speaks, where its data files go and
// the first main window, over which program-wide messages sit. User-interface thread only.
struct ProgramState {
    QObject* MainWindowHandle = nullptr;
    std::int32_t LanguageId = 0;
    QString DataDirectory;
};

extern ProgramState TheProgram;
