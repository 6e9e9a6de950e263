#include "app/widgets/ProgramStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

namespace {

constexpr int IndicatorSize = 13;
constexpr int LabelSpacing = 4;
constexpr int CaptionIndent = 6;
constexpr int CaptionPadding = 2;
constexpr int FrameMargin = 3;

bool Classic(const QStyleOptionComplex* option) {
    // A checkable group keeps Fusion's own drawing, which knows its check box.
    return !(option->subControls & QStyle::SC_GroupBoxCheckBox);
}

} // namespace

ProgramStyle::ProgramStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return IndicatorSize;
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return LabelSpacing;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize ProgramStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    if (type == CT_CheckBox || type == CT_RadioButton) {
        // Indicator, spacing and caption, no taller than the caption needs.
        const int height = std::max(IndicatorSize, option->fontMetrics.height()) + 2;
        const int width = IndicatorSize + (size.width() > 0 ? LabelSpacing + size.width() : 0) + 2;
        return {width, height};
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

QRect ProgramStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                   SubControl subControl, const QWidget* widget) const {
    if (control != CC_GroupBox || !Classic(option))
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    const QRect rect = option->rect;
    const int textHeight = option->fontMetrics.height();
    const bool titled = group && !group->text.isEmpty();
    switch (subControl) {
    case SC_GroupBoxFrame:
        return rect.adjusted(0, textHeight / 2, 0, 0);
    case SC_GroupBoxContents: {
        // The caption's line is high enough for a check box standing in for the caption.
        const int captionLine = std::max(textHeight, IndicatorSize + 2) + 1;
        return rect.adjusted(FrameMargin, titled ? captionLine : textHeight / 2 + FrameMargin,
                             -FrameMargin, -FrameMargin);
    }
    case SC_GroupBoxLabel: {
        if (!titled)
            return {};
        const int width = option->fontMetrics.horizontalAdvance(group->text) + 2 * CaptionPadding;
        return {rect.left() + CaptionIndent, rect.top(),
                std::min(width, rect.width() - 2 * CaptionIndent), textHeight};
    }
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    if (control != CC_GroupBox || !Classic(option)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
    const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    if (group && (group->features & QStyleOptionFrame::Flat)) {
        // A flat group keeps only its top line.
    } else if (option->subControls & SC_GroupBoxFrame) {
        // The frame line, broken where the caption sits on it.
        const QRectF box = QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath path;
        if (label.isValid()) {
            path.moveTo(label.left() - 0.5, box.top());
            path.lineTo(box.left(), box.top());
        } else {
            path.moveTo(box.right(), box.top());
            path.lineTo(box.left(), box.top());
        }
        path.lineTo(box.left(), box.bottom());
        path.lineTo(box.right(), box.bottom());
        path.lineTo(box.right(), box.top());
        if (label.isValid())
            path.lineTo(label.right() + 1.5, box.top());
        painter->setPen(option->palette.color(QPalette::Dark).lighter(135));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(path);
    }
    if (label.isValid() && (option->subControls & SC_GroupBoxLabel)) {
        painter->setPen(option->palette.color(option->state & State_Enabled ? QPalette::Active
                                                                            : QPalette::Disabled,
                                              QPalette::WindowText));
        painter->drawText(label, Qt::AlignCenter | Qt::TextSingleLine, group->text);
    }
    painter->restore();
}
