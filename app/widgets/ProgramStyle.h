#pragma once

#include <QProxyStyle>

// The program's look: Fusion, made compact for its dense 8-point panels. Check boxes and
// radio buttons are as tall as their text, and group captions sit in the frame's top line
// instead of above it, so that the settings panel holds all its groups at its designed size.
class ProgramStyle final : public QProxyStyle {
    Q_OBJECT

public:
    ProgramStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};
