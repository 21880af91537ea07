// What a window implements to hear of the session's changes. The session
// announces them; it never calls a window otherwise.
#pragma once

#include <string>

namespace qv {

class SessionObserver {
public:
    virtual ~SessionObserver() = default;
    virtual void sessionChanged() {}
    virtual void sessionMessage(const std::string& /*text*/) {}
    virtual void sessionBeep() {}
    virtual void sessionTimersChanged() {}
    // A capture was taken (received, opened, generated): a wait for one ends.
    virtual void sessionCaptureLoaded() {}
};

} // namespace qv
