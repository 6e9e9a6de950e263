#include "app/dialogs/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QSize ArrowSize{17, 11};

QToolButton* Arrow(Qt::ArrowType direction, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(direction);
    button->setFixedSize(ArrowSize);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

UpDown::UpDown(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent)
    , m_minimum(std::min(minimum, maximum))
    , m_maximum(std::max(minimum, maximum)) {
    m_up = Arrow(Qt::UpArrow, "Up", this);
    m_down = Arrow(Qt::DownArrow, "Down", this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    SetPosition(position);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetPosition(int position) {
    m_position = std::clamp(position, m_minimum, m_maximum);
}

void UpDown::Step(int steps) {
    // Wide steps from a caller must not overflow on their way into the range.
    const long long next = static_cast<long long>(m_position) + steps;
    SetPosition(int(std::clamp<long long>(next, m_minimum, m_maximum)));
    emit Click();
}
