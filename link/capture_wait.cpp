#include "link/capture_wait.h"

#include "app/session.h"

#include <chrono>

namespace qv {

CaptureWait::CaptureWait(Session& session, QObject* parent) : QTimer(parent), m_s(session) {
    using namespace std::chrono_literals;
    setObjectName("Timer1");
    setSingleShot(true);
    setInterval(900ms);
    m_s.addObserver(this);
}

CaptureWait::~CaptureWait() {
    m_s.removeObserver(this);
}

void CaptureWait::pieceArrived() {
    if (!isActive()) start();
}

void CaptureWait::sessionCaptureLoaded() {
    stop();
}

} // namespace qv
