#include "link/link_control.h"

#include "app/session.h"

#include "app/main_state.h"
#include "platform/basic.h"
#include "waveform/waveform.h"

namespace qv {

void switchConnection(Session& s) {
    if (!s.env.port) return;
    if (s.env.port->isOpen()) {
        // Bytes still waiting belong to a capture: the link stays open.
        if (s.env.port->bytesWaiting() != 0) return;
        s.setIdleTimer(false);
        s.env.port->close();
        s.link.iconFile = "rs232u.bmp";
        // With the blink stopped, a hidden icon would stay hidden and its
        // place would take no click to connect again.
        s.link.iconVisible = true;
        s.link.connectCaption = "Connect";
        s.changed();
        return;
    }
    const int portNumber = (s.link.portPosition < 0 ? 0 : s.link.portPosition) + 1;
    const bool opened = s.env.port->open(portNumber);
    if (!opened || !s.env.port->write("R")) {
        const std::string why =
            opened ? s.env.port->source() + ": the device took nothing written to it"
                   : s.env.port->openFailure();
        s.message("The COM port is already open or not exist\n" + why);
        s.changed();
        return;
    }
    resetCapture(s);
    drawWaveform(s);
    s.link.connectCaption = "DisConnect";
    s.link.iconFile = s.env.port->isOpen() ? "rs232.bmp" : "rs232u.bmp";
    s.setIdleTimer(true);
    s.changed();
}

void receiveEvent(Session& s) {
    s.link.iconVisible = false;
    s.setIdleTimer(false);
    s.changed();
}

void timer2Tick(Session& s) {
    if (!s.env.port || !s.env.port->isOpen()) {
        // Blinking means ready: a closed link shows its icon steadily.
        s.link.blinkPhase = 1;
        s.link.iconVisible = true;
    } else if (s.link.blinkPhase != 1) {
        s.link.blinkPhase = 1;
        s.link.iconVisible = false;
    } else {
        s.link.blinkPhase = 0;
        s.link.iconVisible = true;
        s.env.port->write("Z");
    }
    if (s.code.cIrRec && !trimBlanks(s.last.binaryShown()).empty()) {
        s.code.lDspRslt = "It's recording...";
        s.code.lDspRsltColor = "black";
    }
    s.changed();
}

void portLost(Session& s, const std::string& text) {
    if (s.env.port && s.env.port->isOpen()) s.env.port->close();
    s.setIdleTimer(false);
    s.link.iconFile = "rs232u.bmp";
    s.link.iconVisible = true;
    s.link.connectCaption = "Connect";
    s.message(text);
    s.changed();
}

} // namespace qv
