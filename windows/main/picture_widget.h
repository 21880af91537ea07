// Picture1: paints the waveform's line list under a time axis, with row
// labels, the two rule lines and what the pointer is over, scaled from
// picture coordinates (microseconds across, 0..400 down) to its size and
// coloured after the window's palette. The mouse wheel zooms, Shift+wheel
// and the middle button pan.
#pragma once

#include "app/marks.h"
#include "app/waveform_state.h"
#include "waveform/overlay.h"
#include "waveform/rules.h"

#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

namespace qv {

class Session;

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    PictureWidget(const WaveformState& wave, const DecodeMarks& marks, QWidget* parent = nullptr);

    // Picture x (microseconds) at a pixel column, and the pixel column of a picture x.
    double pictureX(double pixel) const;
    double pixelX(double x) const;
    // Picture y (0..400) at a pixel row below the time axis.
    double pictureY(double pixel) const;

    // Paints the picture as the screen shows it onto any paint device of that size.
    void paintPicture(QPainter& p, QSize size) const;

    // The texts of the picture at that size, where they are painted (a box
    // is the text with its margin), and the brackets under the parts (no
    // text). No text is cut by the picture's edge or lies over another text
    // or a bracket: a text without room is moved or left out.
    enum class LabelKind { Axis, Bracket, Fail, Row, Part, Mark };
    struct Label {
        LabelKind kind;
        QRectF box;
        QString text;
    };
    std::vector<Label> labels(QSize size) const;
    // What the pointer is over, as painted in the top right corner.
    QString hoverText() const;

    QSize sizeHint() const override { return {900, 240}; }
    QSize minimumSizeHint() const override { return {240, 100}; }

signals:
    void pressed(double x, qv::MouseButton button);
    // The wheel or a pinch at picture x: factor > 1 zooms in.
    void zoomed(double factor, double x);
    // A pan of deltaUs from the scroll value it started at.
    void panned(int startScroll, double deltaUs);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

public:
    struct Colours;

private:
    int axisHeight() const;
    void paintOverlay(QPainter& p, const std::vector<OverlayItem>& items, double xScale,
                      double axis, double yScale, const Colours& c) const;
    std::vector<Label> labels(QSize size, const std::vector<OverlayItem>& items) const;
    static void label(QPainter& p, const QRectF& box, const QString& text, const Colours& c,
                      int flags, const QColor& ink = QColor());
    void updateHover(std::optional<QPointF> at);

    const WaveformState& m_wave;
    const DecodeMarks& m_marks;       // LastCapture::marks
    std::optional<QPointF> m_pointer; // the pointer over the picture
    // A middle-button press: a drag pans, a press without a drag is a click.
    bool m_middleDown = false;
    bool m_dragged = false;
    QPointF m_dragStart;
    int m_dragScroll = 0;
};

} // namespace qv
