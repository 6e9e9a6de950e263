#pragma once

// Makes the program's messages modal message boxes over the active window; called once by
// the windowed program before its first window.
void InstallMessageBoxes();
