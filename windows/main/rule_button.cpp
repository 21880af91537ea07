#include "windows/main/rule_button.h"

#include "windows/main/mouse_button.h"

#include <QMouseEvent>

namespace qv {

RuleNudgeButton::RuleNudgeButton(const QString& caption, RuleButton which, QWidget* parent)
    : QPushButton(caption, parent), m_which(which) {
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
}

void RuleNudgeButton::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(m_which, mouseButtonOf(event->button()));
    QPushButton::mousePressEvent(event);
}

void RuleNudgeButton::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(m_which);
    QPushButton::mouseReleaseEvent(event);
}

} // namespace qv
