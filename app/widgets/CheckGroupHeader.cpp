#include "app/widgets/CheckGroupHeader.h"

#include "app/widgets/CheckBox.h"

#include <QEvent>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionGroupBox>

CheckGroupHeader::CheckGroupHeader(QGroupBox* group, CheckBox* header)
    : QObject(group)
    , m_group(group)
    , m_header(header) {
    m_header->setParent(group);
    // The header hides the group's caption beneath it.
    m_header->setAutoFillBackground(true);
    m_header->setBackgroundRole(QPalette::Window);
    m_group->installEventFilter(this);
    SetText(m_header->text());
}

void CheckGroupHeader::SetText(const QString& text) {
    m_header->setText(text);
    // The caption reserves the room of the indicator as well, so that the group is never
    // narrower than its header.
    const QStyle* style = m_group->style();
    const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_header) +
                          style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, m_header);
    const int space = std::max(1, m_group->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    m_group->setTitle(QString((indicator + space - 1) / space + 1, QLatin1Char(' ')) + text);
    Place();
}

bool CheckGroupHeader::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_group) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::LayoutRequest:
            Place();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CheckGroupHeader::Place() {
    QStyleOptionGroupBox option;
    option.initFrom(m_group);
    option.text = m_group->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = m_group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label = m_group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, m_group);
    const QSize hint = m_header->sizeHint();
    const int top = std::max(0, label.center().y() - hint.height() / 2);
    const int width =
        std::min(std::max(hint.width(), label.width()), m_group->width() - label.left());
    m_header->setGeometry(label.left(), top, width, hint.height());
    m_header->raise();
}
