#include "windows/main/picture_widget.h"

#include "waveform/measure.h"
#include "waveform/overlay.h"
#include "waveform/waveform.h"
#include "windows/main/mouse_button.h"

#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int kNotch = 120; // a wheel notch in eighths of a degree
constexpr int kDragSlop = 3;

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

// The drawing's colours on the window's palette: the trace keeps its blue
// and green on a light background and turns lighter on a dark one.
struct PictureWidget::Colours {
    QColor background, text, tick, grid, red, green;
    bool dark;
    QColor of(uint32_t rgb) const {
        if (dark && rgb == kSignalColour) return QColor(120, 170, 255);
        if (dark && rgb == kLeadInColour) return QColor(90, 210, 90);
        return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
};

namespace {

PictureWidget::Colours coloursOf(const QPalette& palette) {
    PictureWidget::Colours c;
    c.background = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    c.dark = c.background.lightness() < 128;
    c.tick = mix(c.background, c.text, 0.6);
    c.grid = mix(c.background, c.text, 0.12);
    c.red = c.dark ? QColor(255, 96, 96) : QColor(255, 0, 0);
    c.green = c.dark ? QColor(80, 220, 80) : QColor(0, 176, 0);
    return c;
}

} // namespace

// Text on a patch of the background, so it stays readable over the trace.
void PictureWidget::label(QPainter& p, const QRectF& box, const QString& text, const Colours& c,
                          int flags, const QColor& ink) {
    const QRectF r = p.boundingRect(box, flags, text).adjusted(-2, 0, 2, 0);
    QColor patch = c.background;
    patch.setAlpha(215);
    p.fillRect(r, patch);
    p.setPen(ink.isValid() ? ink : c.text);
    p.drawText(box, flags, text);
}

PictureWidget::PictureWidget(const WaveformState& wave, QWidget* parent)
    : QWidget(parent), m_wave(wave) {
    setObjectName("Picture1");
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
}

int PictureWidget::axisHeight() const {
    return fontMetrics().height() + 8;
}

double PictureWidget::pictureX(double pixel) const {
    return width() > 0 ? pixel * m_wave.ScaleWidth / width() : 0;
}

double PictureWidget::pixelX(double x) const {
    return m_wave.ScaleWidth > 0 ? x * width() / m_wave.ScaleWidth : 0;
}

double PictureWidget::pictureY(double pixel) const {
    const int below = height() - axisHeight();
    return below > 0 ? (pixel - axisHeight()) * kPictureHeight / below : 0;
}

void PictureWidget::paintPicture(QPainter& p, QSize size) const {
    const Colours c = coloursOf(palette());
    const double w = size.width(), h = size.height();
    const double axis = axisHeight();
    const double xScale = m_wave.ScaleWidth > 0 ? w / m_wave.ScaleWidth : 0;
    const double yScale = (h - axis) / kPictureHeight;
    auto px = [&](double x) { return x * xScale; };
    auto py = [&](double y) { return axis + y * yScale; };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());
    p.fillRect(QRectF(0, 0, w, h), c.background);
    // One device pixel per logical pixel keeps lines from turning into
    // hairlines at scale factors above 1.
    const double ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    QPen pen;
    pen.setCosmetic(true);
    pen.setWidth(std::max(1, static_cast<int>(std::floor(ratio))));

    const QFontMetrics fm(font());
    const double labelPx = fm.horizontalAdvance(QStringLiteral("-88888 µs")) + 16;
    const std::vector<AxisTick> ticks = timeAxis(m_wave, w, labelPx);
    for (const AxisTick& t : ticks) {
        const double x = px(t.x);
        if (t.major) {
            pen.setColor(c.grid);
            p.setPen(pen);
            p.drawLine(QPointF(x, axis), QPointF(x, h));
        }
        pen.setColor(c.tick);
        p.setPen(pen);
        p.drawLine(QPointF(x, axis - (t.major ? 7 : 3)), QPointF(x, axis - 1));
    }
    pen.setColor(c.tick);
    p.setPen(pen);
    p.drawLine(QPointF(0, axis - 1), QPointF(w, axis - 1));
    p.setPen(c.text);
    for (const AxisTick& t : ticks)
        if (t.major)
            p.drawText(QRectF(px(t.x) - labelPx / 2, 1, labelPx, axis - 8), Qt::AlignCenter,
                       QString::fromStdString(t.label));

    const double left = -1, right = w + 1;
    uint32_t current = 0xFFFFFFFF;
    for (const LineCmd& l : m_wave.lines) {
        const double x1 = px(l.x1), x2 = px(l.x2);
        if ((x1 < left && x2 < left) || (x1 > right && x2 > right)) continue;
        if (l.rgb != current) {
            current = l.rgb;
            pen.setColor(c.of(l.rgb));
            p.setPen(pen);
        }
        // Long gaps reach far outside the picture; cut them to its width.
        const bool flat = l.y1 == l.y2;
        p.drawLine(QPointF(flat ? std::clamp(x1, left, right) : x1, py(l.y1)),
                   QPointF(flat ? std::clamp(x2, left, right) : x2, py(l.y2)));
    }
    // Each label over its row, where the row above leaves room for it; in a
    // picture too low for that the pointer read-out still names the row.
    double above = axis;
    for (const WaveRow& row : m_wave.rows) {
        const double top = py(row.base - 50) - fm.height() - 2;
        if (top >= above)
            label(p, QRectF(4, top, w - 8, fm.height()), QString::fromStdString(row.label), c,
                  Qt::AlignLeft | Qt::AlignVCenter);
        above = py(row.base) + 1;
    }
    paintOverlay(p, xScale, axis, yScale, c);
    // The rule lines lie above the drawing, from top to bottom.
    for (const auto& [x, colour] : {std::pair{m_wave.Line2X, c.green}, {m_wave.Line1X, c.red}}) {
        const double lx = px(x);
        if (lx < left || lx > right) continue;
        pen.setColor(colour);
        p.setPen(pen);
        p.drawLine(QPointF(lx, 0), QPointF(lx, h));
    }
    p.restore();
}

void PictureWidget::paintOverlay(QPainter& p, double xScale, double axis, double yScale,
                                 const Colours& c) const {
    auto px = [&](double x) { return x * xScale; };
    auto py = [&](double y) { return axis + y * yScale; };
    const QFontMetrics fm(font());
    const std::vector<OverlayItem> items = overlay(m_wave, xScale, fm.averageCharWidth());
    // The allowed window in green over the red of the failing time.
    QColor shade = c.green;
    shade.setAlpha(c.dark ? 150 : 120);
    QColor failFill = c.red;
    failFill.setAlpha(c.dark ? 110 : 80);
    QPen pen;
    pen.setCosmetic(true);
    for (const OverlayItem& item : items) {
        const double base = m_wave.rows[static_cast<size_t>(item.row)].base;
        const double x1 = px(item.x1), x2 = px(item.x2);
        const double top = py(base - 50), bottom = py(base);
        const QRectF band(x1, top, x2 - x1, bottom - top);
        const QString text = QString::fromStdString(item.text);
        switch (item.kind) {
        case OverlayKind::Head:
        case OverlayKind::Repeat:
        case OverlayKind::Bit:
            p.setPen(c.text);
            p.drawText(band, Qt::AlignCenter, text);
            break;
        case OverlayKind::Window:
            p.fillRect(band, shade);
            break;
        case OverlayKind::Fail:
            p.fillRect(band, failFill);
            pen.setColor(c.red);
            pen.setWidth(2);
            p.setPen(pen);
            p.drawRect(band);
            label(p, QRectF(x1, top - fm.height() - 1, std::max(400.0, x2 - x1), fm.height()), text,
                  c, Qt::AlignLeft | Qt::AlignVCenter, c.red);
            break;
        case OverlayKind::Selected:
            pen.setColor(palette().color(QPalette::Highlight));
            pen.setWidth(2);
            p.setPen(pen);
            p.drawRect(band.adjusted(-3, -3, 3, 3));
            break;
        case OverlayKind::Part: {
            pen.setColor(c.tick);
            pen.setWidth(1);
            p.setPen(pen);
            const double y = bottom + 3, foot = bottom + 7;
            p.drawPolyline(QPolygonF({QPointF(x1 + 1, y), QPointF(x1 + 1, foot),
                                      QPointF(x2 - 1, foot), QPointF(x2 - 1, y)}));
            if (!text.isEmpty()) {
                p.setPen(c.text);
                p.drawText(QRectF(x1, foot, x2 - x1, fm.height()), Qt::AlignCenter, text);
            }
            break;
        }
        }
    }
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPicture(p, size());
    const QString hover = hoverText();
    if (hover.isEmpty()) return;
    const QFontMetrics fm(font());
    label(p, QRectF(4, axisHeight() + 2, width() - 8, fm.height()), hover, coloursOf(palette()),
          Qt::AlignRight | Qt::AlignVCenter);
}

// Worked out at paint time, so it follows zoom and scroll without a move.
QString PictureWidget::hoverText() const {
    if (!m_pointer || !rect().contains(m_pointer->toPoint()) || m_pointer->y() < axisHeight())
        return {};
    return QString::fromStdString(
        qv::hoverText(m_wave, pictureX(m_pointer->x()), pictureY(m_pointer->y())));
}

void PictureWidget::updateHover(std::optional<QPointF> at) {
    m_pointer = at;
    update();
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        m_middleDown = true;
        m_dragged = false;
        m_dragStart = event->position();
        m_dragScroll = m_wave.HScroll1;
    } else {
        emit pressed(pictureX(event->position().x()), mouseButtonOf(event->button()));
    }
    QWidget::mousePressEvent(event);
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    const double dx = event->position().x() - m_dragStart.x();
    if (m_middleDown && (m_dragged || std::abs(dx) > kDragSlop)) {
        m_dragged = true;
        // The trace follows the pointer: dragging right shows earlier times.
        emit panned(m_dragScroll, -pictureX(dx));
    }
    updateHover(event->position());
    QWidget::mouseMoveEvent(event);
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && m_middleDown) {
        m_middleDown = false;
        if (!m_dragged) emit pressed(pictureX(event->position().x()), MouseButton::Middle);
    }
    QWidget::mouseReleaseEvent(event);
}

void PictureWidget::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const bool pan = (event->modifiers() & Qt::ShiftModifier) || (angle.y() == 0 && angle.x() != 0);
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (pan) {
        // A notch moves a tenth of the visible width; turning away shows later times.
        emit panned(m_wave.HScroll1, -delta * m_wave.ScaleWidth / (10.0 * kNotch));
    } else {
        m_wheelRest += delta;
        const int notches = m_wheelRest / kNotch;
        m_wheelRest -= notches * kNotch;
        if (notches != 0) emit wheelZoomed(notches, pictureX(event->position().x()));
    }
    event->accept();
    updateHover(event->position());
}

void PictureWidget::leaveEvent(QEvent* event) {
    updateHover(std::nullopt);
    QWidget::leaveEvent(event);
}

} // namespace qv
