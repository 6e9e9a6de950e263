#pragma once

#include <QFont>
#include <QString>

// The program's small, legible window font (8 pt), preferring faces with the narrow metrics
// the layout was drawn for, so that longer German captions still fit.
QFont ProgramFont();

// The font of the live reading: large, in the same family.
QFont ReadingFont();

// The face the window's sizes were drawn with, and the Debian package that installs it.
// Other faces are fallbacks: the layout grows where they are wider, it never clips.
QString DesignedFontFamily();
QString DesignedFontPackage();

// Whether the window really gets the designed face, and not a fallback.
bool DesignedFontInstalled();
