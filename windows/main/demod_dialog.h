// The settings of IRMenu "Demodulated capture", in a small dialog.
#pragma once

#include "app/demodulation.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

namespace qv {

class Form_demod : public QDialog {
public:
    Form_demod(const DemodSettings& settings, QWidget* parent);
    // The settings as the boxes show them.
    DemodSettings settings() const;

private:
    QDoubleSpinBox* m_time = nullptr;
    QSpinBox* m_absolute = nullptr;
    QCheckBox* m_excessAuto = nullptr;
    QSpinBox* m_excess = nullptr;
    QSpinBox* m_cycle = nullptr;
    QDoubleSpinBox* m_cycleShare = nullptr;
};

} // namespace qv
