#include "app/MainMenu.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

using namespace MainMenuMetrics;

namespace {

constexpr int PictureSize = 32;

// The action an item stands for. Asking the menu for the action at a position would make it
// measure its items again, so the item is recognised by its picture or its caption.
const QAction* ActionOf(const QWidget* widget, const QStyleOptionMenuItem& option,
                        const QString& caption) {
    if (!widget)
        return nullptr;
    const QList<QAction*> actions = widget->actions();
    for (const QAction* action : actions) {
        if (!option.icon.isNull() ? action->icon().cacheKey() == option.icon.cacheKey()
                                  : QString(action->text()).remove(QLatin1Char('&')) == caption)
            return action;
    }
    return nullptr;
}

MenuItemLook LookOf(const QStyleOptionMenuItem& option, const QWidget* widget, bool withPicture) {
    MenuItemLook item;
    const qsizetype tab = option.text.indexOf(QLatin1Char('\t'));
    item.Caption = tab < 0 ? option.text : option.text.left(tab);
    item.Caption.remove(QLatin1Char('&'));
    if (tab >= 0)
        item.ShortcutText = option.text.mid(tab + 1);
    if (!option.icon.isNull())
        item.Picture =
            withPicture ? option.icon.pixmap(QSize(PictureSize, PictureSize)) : QPixmap(1, 1);
    item.Selected = option.state & QStyle::State_Selected;
    item.Enabled = option.state & QStyle::State_Enabled;
    if (const QAction* action = ActionOf(widget, option, item.Caption)) {
        item.Tag = action->property("Tag").toInt();
        const QVariant flag = action->property("PictureFlag");
        item.PictureFlag = !flag.isValid() || flag.toBool();
    }
    return item;
}

} // namespace

QSize MenuMeasureItem(const QFontMetrics& metrics, const MenuItemLook& item) {
    int width = metrics.horizontalAdvance(item.Caption) + CheckColumn;
    if (item.Tag >= 0)
        width += CaptionExtra;
    if (!item.ShortcutText.isEmpty())
        width += ShortcutGap + metrics.horizontalAdvance(item.ShortcutText);
    return {width, ItemHeight};
}

void MenuDrawItem(QPainter& painter, const QRect& rect, const MenuItemLook& item,
                  const QPalette& palette) {
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, item.Selected ? palette.color(QPalette::Active, QPalette::Highlight)
                                         : QColor(Qt::white));
    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));

    const bool picture = item.PictureFlag && !item.Picture.isNull();
    if (picture)
        painter.drawPixmap(rect.left() + PictureLeft, rect.top() - PictureAbove, item.Picture);

    QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    if (item.Selected)
        text = Qt::white;
    else if (!item.Enabled)
        text = palette.color(QPalette::Disabled, QPalette::WindowText);
    painter.setPen(text);
    const int left = rect.left() + (picture ? TextLeftWithPicture : TextLeftPlain);
    const QRect textRect(left, rect.top() + TextTop, rect.right() - left, rect.height() - TextTop);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.Caption);
    if (!item.ShortcutText.isEmpty())
        painter.drawText(textRect.adjusted(0, 0, -ShortcutRight, 0),
                         Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, item.ShortcutText);
    painter.restore();
}

MenuStyle::MenuStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item && (type == CT_MenuItem || type == CT_MenuBarItem)) {
        if (item->menuItemType == QStyleOptionMenuItem::Separator)
            return {size.width(), 7};
        MenuItemLook look = LookOf(*item, widget, false);
        // A popup menu adds the width of the widest hot key by itself; only the gap is ours.
        const bool popupHotKey = type == CT_MenuItem && !look.ShortcutText.isEmpty();
        if (popupHotKey)
            look.ShortcutText.clear();
        QSize measured = MenuMeasureItem(item->fontMetrics, look);
        if (popupHotKey)
            measured.rwidth() += ShortcutGap;
        return measured;
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (!item)
            break;
        if (item->menuItemType == QStyleOptionMenuItem::Separator) {
            painter->fillRect(option->rect, Qt::white);
            const int y = option->rect.center().y();
            painter->setPen(option->palette.color(QPalette::Mid));
            painter->drawLine(option->rect.left() + 4, y, option->rect.right() - 4, y);
            return;
        }
        if (item->menuItemType == QStyleOptionMenuItem::EmptyArea) {
            painter->fillRect(option->rect, Qt::white);
            return;
        }
        {
            MenuItemLook look = LookOf(*item, widget, true);
            // A bar item is highlighted while its menu is open as well as under the mouse.
            if (element == CE_MenuBarItem && (option->state & State_Sunken))
                look.Selected = true;
            MenuDrawItem(*painter, option->rect, look, option->palette);
        }
        return;
    case CE_MenuBarEmptyArea:
        // A hairline keeps the bar apart from the white panel below it.
        painter->fillRect(option->rect, Qt::white);
        painter->setPen(option->palette.color(QPalette::Midlight).darker(110));
        painter->drawLine(option->rect.bottomLeft(), option->rect.bottomRight());
        return;
    case CE_MenuEmptyArea:
        painter->fillRect(option->rect, Qt::white);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void MenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelMenuBar:
        painter->fillRect(option->rect, Qt::white);
        return;
    case PE_PanelMenu:
    case PE_FrameMenu:
        painter->fillRect(option->rect, Qt::white);
        painter->setPen(option->palette.color(QPalette::Mid));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    switch (metric) {
    case PM_MenuBarItemSpacing:
    case PM_MenuBarHMargin:
    case PM_MenuBarPanelWidth:
    case PM_MenuHMargin:
        return 0;
    case PM_MenuBarVMargin:
    case PM_MenuVMargin:
    case PM_MenuPanelWidth:
        return 1;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}
