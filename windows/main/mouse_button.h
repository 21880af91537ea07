// Qt's mouse buttons as the waveform core names them.
#pragma once

#include "waveform/rules.h"

#include <Qt>

namespace qv {

inline MouseButton mouseButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Other;
    }
}

} // namespace qv
