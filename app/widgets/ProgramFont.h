#pragma once

#include <QFont>

// The program's small, legible window font (8 pt), preferring faces with the narrow metrics
// the layout was drawn for, so that longer German captions still fit.
QFont ProgramFont();

// The font of the live reading: large, in the same family.
QFont ReadingFont();
