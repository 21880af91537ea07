// "Generate capture...": the key press of a code made from a catalogue row
// and taken through the capture tick as if the receiver unit had sent it,
// or sent out through a LIRC device that can send.
#pragma once

#include "engine/generate.h"

#include <optional>

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace qv {

class Session;

struct FormatMenuEntry;

class Form_generate : public QDialog {
    Q_OBJECT
public:
    Form_generate(Session& session, QWidget* parent = nullptr);

    // Generates and receives the capture; false, with the reason shown in
    // the dialog, when the row or the code cannot be generated.
    bool generate();
    // Sends the signal through the session's port (a LIRC device that can
    // send); false, with the reason shown in the dialog, when it cannot.
    bool send();

private:
    // The signal the dialog's fields make; nullopt with the reason shown.
    // `label` names what was made: the row's key or the protocol's name, and the code.
    std::optional<engine::GeneratedSignal> makeSignal(const FormatMenuEntry*& entry,
                                                      std::string& label);

    // The chosen protocol's press with the parameters given.
    std::optional<engine::GeneratedSignal> protocolSignal(const engine::GenerateRequest& request,
                                                          std::string& label);
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
