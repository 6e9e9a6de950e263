#pragma once

#include <QString>
#include <QStringList>

// Where the program finds and keeps its files. Tests point the program folder elsewhere.
namespace AppPaths {

// Full path of the running executable (the base of the language module names).
QString ExecutablePath();
// Folder of the executable, without a trailing separator.
QString ProgramDir();
// Folder of the executable with its trailing separator.
QString ProgramDirWithSeparator();
// The default results folder, with its trailing separator: the program folder when it is
// writable, otherwise the per-user data folder (an installed program's folder is not).
QString DefaultDataDirWithSeparator();
// Folder for "ComPort.ini" and the capture file: the program folder when it is writable,
// otherwise the per-user data folder (created on demand).
QString WritableProgramDir();
// Folders that may hold language modules and the help folder, in lookup order.
QStringList SharedDataDirs();

// Test seam: pretend the executable lives at this path (empty restores the real one).
void SetExecutablePathOverride(const QString& path);

} // namespace AppPaths
