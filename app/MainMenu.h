#pragma once

#include <QPixmap>
#include <QProxyStyle>
#include <QSize>
#include <QString>

class QFontMetrics;
class QPainter;
class QPalette;
class QRect;

// One item of the owner-drawn main menu as it is measured and drawn.
struct MenuItemLook {
    QString Caption;
    QString ShortcutText;    // empty when the item has no hot key
    QPixmap Picture;         // the item's 32 by 32 picture; null when it has none
    bool PictureFlag = true; // the check-mark flag, which in this menu means "draw the picture"
    bool Selected = false;
    bool Enabled = true;
    int Tag = 0; // a negative tag measures the caption alone
};

namespace MainMenuMetrics {
constexpr int ItemHeight = 18;
constexpr int CaptionExtra = 26;
// The system adds its check-mark column to every measured item; without it a caption drawn
// at 32 pixels would lose its last letters.
constexpr int CheckColumn = 12;
constexpr int PictureLeft = 2;
constexpr int PictureAbove = 6;
constexpr int TextTop = 2;
constexpr int TextLeftWithPicture = 32;
constexpr int TextLeftPlain = 4;
constexpr int ShortcutGap = 18;
constexpr int ShortcutRight = 6;
} // namespace MainMenuMetrics

// Size of one item: 18 high; the caption's width plus 26 (none for a negative tag) plus the
// check-mark column; popup items with a hot key also hold its text.
QSize MenuMeasureItem(const QFontMetrics& metrics, const MenuItemLook& item);

// Draws one item: highlight or white fill with a white border, the picture 2 right of and 6
// above the corner clipped to the item, the caption 2 below the top at 32 (with a picture)
// or 4 pixels, white on the highlight, grey when disabled; the hot key right-aligned.
void MenuDrawItem(QPainter& painter, const QRect& rect, const MenuItemLook& item,
                  const QPalette& palette);

// Measures and draws the menu bar's and its menus' items with the two functions above.
class MenuStyle final : public QProxyStyle {
    Q_OBJECT

public:
    MenuStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};
