#include "app/ui/picture_widget.h"

#include "app/ui/mouse_button.h"
#include "waveform/waveform.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace qv {

namespace {

QColor colourOf(uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

const QColor kRedRule(255, 0, 0);
const QColor kGreenRule(0, 176, 0);
} // namespace

PictureWidget::PictureWidget(const WaveformState& wave, QWidget* parent)
    : QWidget(parent), m_wave(wave) {
    setObjectName("Picture1");
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

double PictureWidget::pictureX(double pixel) const {
    return width() > 0 ? pixel * m_wave.ScaleWidth / width() : 0;
}

double PictureWidget::pixelX(double x) const {
    return m_wave.ScaleWidth > 0 ? x * width() / m_wave.ScaleWidth : 0;
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(rect(), Qt::white);
    const double yScale = height() / kPictureHeight;
    const double left = -1, right = width() + 1;
    QPen pen;
    pen.setWidth(0);
    uint32_t current = 0xFFFFFFFF;
    for (const LineCmd& l : m_wave.lines) {
        const double x1 = pixelX(l.x1), x2 = pixelX(l.x2);
        if ((x1 < left && x2 < left) || (x1 > right && x2 > right)) continue;
        if (l.rgb != current) {
            current = l.rgb;
            pen.setColor(colourOf(l.rgb));
            p.setPen(pen);
        }
        // Long gaps reach far outside the picture; cut them to its width.
        const bool flat = l.y1 == l.y2;
        p.drawLine(QPointF(flat ? std::clamp(x1, left, right) : x1, l.y1 * yScale),
                   QPointF(flat ? std::clamp(x2, left, right) : x2, l.y2 * yScale));
    }
    // The rule lines lie above the drawing, from top to bottom.
    for (const auto& [x, colour] :
         {std::pair{m_wave.Line2X, kGreenRule}, {m_wave.Line1X, kRedRule}}) {
        const double px = pixelX(x);
        if (px < left || px > right) continue;
        pen.setColor(colour);
        p.setPen(pen);
        p.drawLine(QPointF(px, 0), QPointF(px, height()));
    }
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(pictureX(event->position().x()), mouseButtonOf(event->button()));
    QWidget::mousePressEvent(event);
}

} // namespace qv
