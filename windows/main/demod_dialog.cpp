#include "windows/main/demod_dialog.h"


#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

namespace qv {

namespace {

QSpinBox* microseconds(const char* name, int max, float value) {
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(0, max);
    box->setSuffix(" µs");
    box->setValue(static_cast<int>(value));
    return box;
}

QDoubleSpinBox* percent(const char* name, float share) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(0, 50);
    box->setDecimals(1);
    box->setSuffix(" %");
    box->setValue(static_cast<double>(share) * 100);
    return box;
}

} // namespace

Form_demod::Form_demod(const DemodSettings& s, QWidget* parent) : QDialog(parent) {
    setObjectName("Form_demod");
    setWindowTitle("Demodulated capture");
    m_time = percent("tDemodTole", s.timeTolerance);
    m_absolute = microseconds("tDemodAbs", 1000, s.absoluteTolerance);
    m_excessAuto = new QCheckBox("Estimate from the capture");
    m_excessAuto->setObjectName("cExcessAuto");
    m_excessAuto->setChecked(s.excessMode == ExcessMode::Auto);
    m_excess = microseconds("tExcess", 1000, s.excess);
    m_excess->setEnabled(!m_excessAuto->isChecked());
    connect(m_excessAuto, &QCheckBox::toggled, m_excess, &QWidget::setDisabled);
    m_cycle = microseconds("tDemodCycle", 100000, s.cycleTolerance);
    m_cycleShare = percent("tDemodCycleShare", s.cycleShare);

    auto* form = new QFormLayout(this);
    form->addRow("Time tolerance:", m_time);
    form->addRow("or within:", m_absolute);
    form->addRow("Burst excess:", m_excessAuto);
    form->addRow("given:", m_excess);
    form->addRow("Cycle tolerance:", m_cycle);
    form->addRow("or within:", m_cycleShare);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

DemodSettings Form_demod::settings() const {
    DemodSettings s;
    s.timeTolerance = static_cast<float>(m_time->value() / 100);
    s.absoluteTolerance = static_cast<float>(m_absolute->value());
    s.excessMode = m_excessAuto->isChecked() ? ExcessMode::Auto : ExcessMode::Given;
    s.excess = static_cast<float>(m_excess->value());
    s.cycleTolerance = static_cast<float>(m_cycle->value());
    s.cycleShare = static_cast<float>(m_cycleShare->value() / 100);
    return s;
}

} // namespace qv
