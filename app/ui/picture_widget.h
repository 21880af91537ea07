// Picture1: paints the waveform's line list and the two rule lines, scaled
// from picture coordinates (microseconds across, 0..400 down) to its size.
#pragma once

#include "app/session.h"
#include "waveform/rules.h"

#include <QWidget>

namespace qv {

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit PictureWidget(const WaveformState& wave, QWidget* parent = nullptr);

    // Picture x (microseconds) at a pixel column, and the pixel column of a picture x.
    double pictureX(double pixel) const;
    double pixelX(double x) const;

    QSize sizeHint() const override { return {900, 240}; }
    QSize minimumSizeHint() const override { return {240, 100}; }

signals:
    void pressed(double x, qv::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const WaveformState& m_wave;
};

} // namespace qv
