// The wait for the rest of a capture: the receiver unit sends a key press
// in pieces, and the capture is taken 900 ms after the first piece arrived.
// A capture taken otherwise (a file, the generator) ends the wait. The
// window the port list is in holds it and runs the capture tick when it
// ends; the object name is "Timer1".
#pragma once

#include "app/session_observer.h"

#include <QTimer>

namespace qv {

class Session;

class CaptureWait : public QTimer, private SessionObserver {
public:
    CaptureWait(Session& session, QObject* parent);
    ~CaptureWait() override;
    // A piece arrived: the wait starts unless it is running.
    void pieceArrived();

private:
    void sessionCaptureLoaded() override;
    Session& m_s;
};

} // namespace qv
