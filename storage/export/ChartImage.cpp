#include "storage/export/ChartImage.h"

#include <QDir>

#include <qcustomplot.h>

QString ChartImage::FileNameFor(const QString& chosen) {
    // Case matters: "WYKRES.BMP" becomes "WYKRES.BMP.bmp", as the program always did.
    if (chosen.right(4) == QLatin1String(".bmp"))
        return chosen;
    return chosen + QStringLiteral(".bmp");
}

QString ChartImage::Filter() {
    return tr("Pliki obrazu (.bmp)|*.bmp");
}

bool ChartImage::Save(QCustomPlot& chart, const QString& path) {
    // Width and height 0: the chart's size as it is on screen.
    return chart.saveBmp(path, 0, 0, 1.0);
}

QString ChartImage::FailureText(const QString& path) {
    return tr("Nie można zapisać wykresu do pliku %1").arg(QDir::toNativeSeparators(path));
}
