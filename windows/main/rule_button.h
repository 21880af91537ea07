// A nudge button of the rule lines: reports which mouse button went down
// and up, since only the left button steps while any button's release stops
// the repeat.
#pragma once

#include "waveform/rules.h"

#include <QPushButton>

namespace qv {

class RuleNudgeButton : public QPushButton {
    Q_OBJECT
public:
    RuleNudgeButton(const QString& caption, RuleButton which, QWidget* parent = nullptr);
    RuleButton which() const { return m_which; }

signals:
    void mouseDown(qv::RuleButton which, qv::MouseButton button);
    void mouseUp(qv::RuleButton which);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    RuleButton m_which;
};

} // namespace qv
