#pragma once

#include <QCoreApplication>
#include <QString>

class QCustomPlot;

// "Zapisz wykres ...": the chart at its current size, on white, as a BMP file.
class ChartImage {
    Q_DECLARE_TR_FUNCTIONS(ChartImage)

public:
    // The chosen name, with ".bmp" appended unless it already ends exactly so.
    static QString FileNameFor(const QString& chosen);
    // The save dialog's filter, "Pliki obrazu (.bmp)|*.bmp" in the current language.
    static QString Filter();
    // Writes the picture; false when the file could not be written.
    static bool Save(QCustomPlot& chart, const QString& path);
    // The message for a file that could not be written.
    static QString FailureText(const QString& path);
};
