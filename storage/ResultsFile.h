#pragma once

#include <QDateTime>
#include <QString>

struct GaugeState;

// The results file of an on-line run: one sample value per line, written as the samples
// come, so that the file is complete after every sample.
namespace ResultsFile {

// "<folder>/wyniki od <short date> <long time>.txt" with the colons removed and any
// character a file name cannot hold replaced by "-". An empty folder means the program's.
QString NameFor(const QString& folder, const QDateTime& moment);

// Creates (or empties) the file; false when it cannot be created.
bool Create(const QString& path);

// Appends one value with the system decimal separator and CR LF; false on failure.
bool Append(const QString& path, double value);

// The gauge asked for a new results file in `folder`: its path becomes ResultsFileName at once, and
// ResultsFileActive is set once the empty file exists. False when it could not be created.
// A file of that name that is not this state's own (another window's, another program's)
// stays as it is: the new one is "... (2).txt", "... (3).txt" and so on.
bool Start(GaugeState& state, const QString& folder, const QDateTime& moment);

} // namespace ResultsFile
