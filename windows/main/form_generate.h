// "Generate capture...": the key press of a code made from a catalogue row
// and taken through the capture tick as if the receiver unit had sent it.
#pragma once

#include "app/session.h"
#include "engine/generate.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace qv {

class Form_generate : public QDialog {
    Q_OBJECT
public:
    Form_generate(Session& session, QWidget* parent = nullptr);

    // Generates and receives the capture; false, with the reason shown in
    // the dialog, when the row or the code cannot be generated.
    bool generate();

private:
    // The chosen protocol's press with the parameters given.
    bool generateProtocol(const engine::GenerateRequest& request);
    Session& m_s;
    QComboBox* m_cProtocol = nullptr;
    QLineEdit* m_tParams = nullptr;
    QComboBox* m_cFormat = nullptr;
    QLineEdit* m_tCode = nullptr;
    QComboBox* m_cCodeKind = nullptr;
    QSpinBox* m_nRepeats = nullptr;
    QLineEdit* m_tDistort = nullptr;
    QLabel* m_lGenerateInfo = nullptr;
};

} // namespace qv
