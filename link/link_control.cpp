#include "link/link_control.h"

#include "app/main_state.h"
#include "platform/basic.h"
#include "waveform/waveform.h"

namespace qv {

void switchConnection(Session& s) {
    if (!s.port) return;
    if (s.port->isOpen()) {
        // Bytes still waiting belong to a capture: the link stays open.
        if (s.port->bytesWaiting() != 0) return;
        s.setTimer2(false);
        s.port->close();
        s.Image1Bitmap = "rs232u.bmp";
        // With the blink stopped, a hidden icon would stay hidden and its
        // place would take no click to connect again.
        s.Image1Visible = true;
        s.mumconnect = "Connect";
        s.changed();
        return;
    }
    const int portNumber = (s.SelCom < 0 ? 0 : s.SelCom) + 1;
    const bool opened = s.port->open(portNumber);
    if (!opened || !s.port->write("R")) {
        const std::string why = opened
                                    ? s.port->source() + ": the device took nothing written to it"
                                    : s.port->openFailure();
        s.message("The COM port is already open or not exist\n" + why);
        s.changed();
        return;
    }
    resetCapture(s);
    drawWaveform(s);
    s.mumconnect = "DisConnect";
    s.Image1Bitmap = s.port->isOpen() ? "rs232.bmp" : "rs232u.bmp";
    s.setTimer2(true);
    s.changed();
}

void receiveEvent(Session& s) {
    s.Image1Visible = false;
    s.setTimer2(false);
    s.changed();
}

void timer2Tick(Session& s) {
    if (!s.port || !s.port->isOpen()) {
        // Blinking means ready: a closed link shows its icon steadily.
        s.BlinkPhase = 1;
        s.Image1Visible = true;
    } else if (s.BlinkPhase != 1) {
        s.BlinkPhase = 1;
        s.Image1Visible = false;
    } else {
        s.BlinkPhase = 0;
        s.Image1Visible = true;
        s.port->write("Z");
    }
    if (s.code.cIrRec && !trimBlanks(s.last.binaryShown()).empty()) {
        s.code.lDspRslt = "It's recording...";
        s.code.lDspRsltColor = "black";
    }
    s.changed();
}

void portLost(Session& s, const std::string& text) {
    if (s.port && s.port->isOpen()) s.port->close();
    s.setTimer2(false);
    s.Image1Bitmap = "rs232u.bmp";
    s.Image1Visible = true;
    s.mumconnect = "Connect";
    s.message(text);
    s.changed();
}

} // namespace qv
