#include "windows/main/picture_widget.h"


#include "waveform/measure.h"
#include "waveform/overlay.h"
#include "waveform/waveform.h"
#include "windows/main/mouse_button.h"

#include <QMouseEvent>
#include <QNativeGestureEvent>
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
    // The box holds the text with its margin, except for the read-out,
    // which takes the width of the picture.
    const QRectF r = (flags & Qt::AlignCenter) == Qt::AlignCenter
                         ? box
                         : p.boundingRect(box, flags, text).adjusted(-2, 0, 2, 0);
    QColor patch = c.background;
    patch.setAlpha(215);
    p.fillRect(r, patch);
    p.setPen(ink.isValid() ? ink : c.text);
    p.drawText(box, flags, text);
}

PictureWidget::PictureWidget(const WaveformState& wave, const DecodeMarks& marks, QWidget* parent)
    : QWidget(parent), m_wave(wave), m_marks(marks) {
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

namespace {

// Room for the widest axis label, "-88888 µs", and space around it.
double axisLabelPx(const QFontMetricsF& fm) {
    return fm.horizontalAdvance(QStringLiteral("-88888 µs")) + 16;
}

} // namespace

std::vector<PictureWidget::Label> PictureWidget::labels(QSize size) const {
    const double xScale = m_wave.ScaleWidth > 0 ? size.width() / m_wave.ScaleWidth : 0;
    const QFontMetricsF fm(font());
    return labels(size, overlay(m_wave, m_marks, xScale, [&fm](const std::string& t) {
                      return fm.horizontalAdvance(QString::fromStdString(t));
                  }));
}

// Greedy, in order of what matters most: the axis, the brackets, failing
// times, row names, part values, then the bits; each text takes the first
// of its places that is free, or is left out.
std::vector<PictureWidget::Label>
PictureWidget::labels(QSize size, const std::vector<OverlayItem>& items) const {
    std::vector<Label> out;
    const QFontMetricsF fm(font());
    const double w = size.width(), h = size.height();
    const double axis = axisHeight();
    const double xScale = m_wave.ScaleWidth > 0 ? w / m_wave.ScaleWidth : 0;
    const double yScale = (h - axis) / kPictureHeight;
    auto px = [&](double x) { return x * xScale; };
    auto py = [&](double y) { return axis + y * yScale; };
    const double lineH = fm.height();
    auto boxAt = [&](double x, double y, const QString& text) {
        return QRectF(x, y, fm.horizontalAdvance(text) + 4, lineH);
    };
    const QRectF below(0, axis, w, h - axis);
    auto place = [&](LabelKind kind, const QString& text, std::initializer_list<QRectF> places,
                     const QRectF& within) {
        for (const QRectF& r : places) {
            if (!within.contains(r)) continue;
            const bool taken = std::any_of(out.begin(), out.end(),
                                           [&](const Label& l) { return l.box.intersects(r); });
            if (!taken) {
                out.push_back({kind, r, text});
                return true;
            }
        }
        return false;
    };

    for (const AxisTick& t : timeAxis(m_wave, w, axisLabelPx(fm))) {
        if (!t.major) continue;
        const QString text = QString::fromStdString(t.label);
        QRectF r = boxAt(0, 1, text);
        r.moveCenter(QPointF(px(t.x), r.center().y()));
        // Moved inside at the edges, never cut.
        if (r.left() < 0) r.moveLeft(0);
        if (r.right() > w) r.moveRight(w);
        place(LabelKind::Axis, text, {r}, QRectF(0, 0, w, axis));
    }
    auto rowBottom = [&](int row) { return py(m_wave.rows[static_cast<size_t>(row)].base); };
    for (const OverlayItem& item : items)
        if (item.kind == OverlayKind::Part) {
            const double x1 = std::max(0.0, px(item.x1)), x2 = std::min(w, px(item.x2));
            if (x2 > x1)
                out.push_back(
                    {LabelKind::Bracket, QRectF(x1, rowBottom(item.row) + 2, x2 - x1, 6), {}});
        }
    for (const OverlayItem& item : items)
        if (item.kind == OverlayKind::Fail) {
            const QString text = QString::fromStdString(item.text);
            const double top = py(m_wave.rows[static_cast<size_t>(item.row)].base - 50);
            QRectF r = boxAt(px(item.x1) - 2, top - lineH - 1, text);
            if (r.right() > w) r.moveRight(w);
            if (r.left() < 0) r.moveLeft(0);
            place(LabelKind::Fail, text, {r, r.translated(0, -lineH)}, below);
        }
    double above = axis;
    for (size_t i = 0; i < m_wave.rows.size(); ++i) {
        const QString text = QString::fromStdString(m_wave.rows[i].label);
        const double top = py(m_wave.rows[i].base - 50) - lineH - 2;
        // Over its row, where the row above leaves room for it; in a picture
        // too low for that the pointer read-out still names the row.
        const QRectF left = boxAt(2, top, text);
        place(LabelKind::Row, text, {left, left.translated(w - left.width() - 4, 0)},
              QRectF(0, above, w, h - above));
        above = py(m_wave.rows[i].base) + 1;
    }
    for (const OverlayItem& item : items) {
        if (item.kind == OverlayKind::Part) {
            const double x1 = std::max(0.0, px(item.x1)), x2 = std::min(w, px(item.x2));
            const QRectF span(x1, rowBottom(item.row) + 8, x2 - x1, lineH);
            for (const std::string& t : {item.text, item.shortText}) {
                if (t.empty()) continue;
                const QString text = QString::fromStdString(t);
                QRectF r = boxAt(0, span.top(), text);
                r.moveCenter(QPointF(span.center().x(), r.center().y()));
                if (place(LabelKind::Part, text, {r}, span.intersected(below))) break;
            }
        } else if (item.kind == OverlayKind::Head || item.kind == OverlayKind::Bit ||
                   item.kind == OverlayKind::Repeat) {
            const QString text = QString::fromStdString(item.text);
            const double base = m_wave.rows[static_cast<size_t>(item.row)].base;
            const QRectF band(px(item.x1), py(base - 50), px(item.x2) - px(item.x1),
                              py(base) - py(base - 50));
            QRectF r = boxAt(0, 0, text);
            r.moveCenter(band.center());
            place(LabelKind::Mark, text, {r}, below);
        }
    }
    return out;
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

    const QFontMetricsF fm(font());
    const std::vector<AxisTick> ticks = timeAxis(m_wave, w, axisLabelPx(fm));
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
    const std::vector<OverlayItem> items =
        overlay(m_wave, m_marks, xScale, [&fm](const std::string& t) {
            return fm.horizontalAdvance(QString::fromStdString(t));
        });
    paintOverlay(p, items, xScale, axis, yScale, c);
    for (const Label& l : labels(size, items)) {
        switch (l.kind) {
        case LabelKind::Bracket:
            break;
        case LabelKind::Row:
            label(p, l.box, l.text, c, Qt::AlignCenter);
            break;
        case LabelKind::Fail:
            label(p, l.box, l.text, c, Qt::AlignCenter, c.red);
            break;
        case LabelKind::Axis:
        case LabelKind::Part:
        case LabelKind::Mark:
            p.setPen(c.text);
            p.drawText(l.box, Qt::AlignCenter, l.text);
            break;
        }
    }
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

void PictureWidget::paintOverlay(QPainter& p, const std::vector<OverlayItem>& items, double xScale,
                                 double axis, double yScale, const Colours& c) const {
    auto px = [&](double x) { return x * xScale; };
    auto py = [&](double y) { return axis + y * yScale; };
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
        switch (item.kind) {
        case OverlayKind::Head:
        case OverlayKind::Repeat:
        case OverlayKind::Bit:
            break; // texts only
        case OverlayKind::Window:
            p.fillRect(band, shade);
            break;
        case OverlayKind::Fail:
            p.fillRect(band, failFill);
            pen.setColor(c.red);
            pen.setWidth(2);
            p.setPen(pen);
            p.drawRect(band);
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
    } else if (delta != 0) {
        // A notch is a step; a fine wheel or a touchpad zooms by the part of a notch it turned.
        emit zoomed(std::pow(kWheelNotchFactor, static_cast<double>(delta) / kNotch),
                    pictureX(event->position().x()));
    }
    event->accept();
    updateHover(event->position());
}

bool PictureWidget::event(QEvent* event) {
    if (event->type() == QEvent::NativeGesture) {
        const auto* g = static_cast<QNativeGestureEvent*>(event);
        if (g->gestureType() == Qt::ZoomNativeGesture) {
            const QPointF at = mapFromGlobal(g->globalPosition());
            emit zoomed(1 + g->value(), pictureX(at.x()));
            return true;
        }
    }
    return QWidget::event(event);
}

void PictureWidget::leaveEvent(QEvent* event) {
    updateHover(std::nullopt);
    QWidget::leaveEvent(event);
}

} // namespace qv
