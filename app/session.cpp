#include "app/session.h"

#include "platform/paths.h"

#include <algorithm>

namespace qv {

Session::Session() {
    env.resourceDir = programDirectory();
}

void Session::message(const std::string& text) {
    out.messages.push_back(text);
    for (auto* o : m_observers)
        o->sessionMessage(text);
}

void Session::beep() {
    ++out.beeps;
    for (auto* o : m_observers)
        o->sessionBeep();
}

void Session::changed() {
    for (auto* o : m_observers)
        o->sessionChanged();
}

void Session::setIdleTimer(bool on) {
    link.idleTimer = on;
    for (auto* o : m_observers)
        o->sessionTimersChanged();
}

void Session::captureLoaded() {
    for (auto* o : m_observers)
        o->sessionCaptureLoaded();
}

void Session::addObserver(SessionObserver* o) {
    m_observers.push_back(o);
}

void Session::removeObserver(SessionObserver* o) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), o), m_observers.end());
}

} // namespace qv
