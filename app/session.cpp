#include "app/session.h"

#include "platform/paths.h"

#include <algorithm>

namespace qv {

const std::vector<std::string>& EditorModel::textBoxNames() {
    static const std::vector<std::string> names = {
        "tStru",    "tAlias",    "tType",    "tHeadOsc", "tHeadIdle", "tHead1Osc", "tHead1Idle",
        "tH1B2Osc", "tH1B2Idle", "tSbits",   "tAddrBit", "tHBits",    "tTbits",    "tTcode",
        "tFixBits", "tFixTime",  "tFixCode", "t0Osc",    "t0Idle",    "t1Osc",     "t1Idle",
        "tCBits",   "tRCBits",   "tDBits",   "tRDbits",  "tCFOsc",    "tCF",       "tT1",
        "tT2",      "tEOsc",     "tEIdle",   "tLastOsc", "cTole",     "tTTole",    "tXtime",
        "tGroups",  "tRemark"};
    return names;
}

const std::vector<std::string>& EditorModel::checkBoxNames() {
    static const std::vector<std::string> names = {"cHead", "cData",   "cEndbit", "cGroup",
                                                   "c2ndB", "cG2RptB", "cCYes",   "cCNo"};
    return names;
}

EditorModel::EditorModel() {
    // Design-time contents: the parameters of the NEC N-8 format.
    box = {{"tStru", "H,C,~C,D,~D,B0,X,H2,B0,X"},
           {"tAlias", "NEC N-8"},
           {"tType", ""},
           {"tHeadOsc", "9000"},
           {"tHeadIdle", "4500"},
           {"tHead1Osc", "9000"},
           {"tHead1Idle", "2250"},
           {"tH1B2Osc", "0"},
           {"tH1B2Idle", "0"},
           {"tSbits", "0"},
           {"tAddrBit", "0"},
           {"tHBits", "0"},
           {"tTbits", "0"},
           {"tTcode", "0"},
           {"tFixBits", "0"},
           {"tFixTime", "0"},
           {"tFixCode", "0"},
           {"t0Osc", "562"},
           {"t0Idle", "562"},
           {"t1Osc", "562"},
           {"t1Idle", "1688"},
           {"tCBits", "8"},
           {"tRCBits", "8"},
           {"tDBits", "8"},
           {"tRDbits", "8"},
           {"tCFOsc", "8.79"},
           {"tCF", "26.37"},
           {"tT1", "108000"},
           {"tT2", "108000"},
           {"tEOsc", "---"},
           {"tEIdle", "---"},
           {"tLastOsc", "562"},
           {"cTole", "3%"},
           {"tTTole", "500"},
           {"tXtime", "15000"},
           {"tGroups", "0"},
           {"tRemark", "NEC N-8"}};
    for (const auto& name : checkBoxNames())
        check[name] = false;
    check["cHead"] = check["cEndbit"] = check["cCYes"] = true;
}

Session::Session() : resourceDir(programDirectory()) {}

void Session::message(const std::string& text) {
    messages.push_back(text);
    for (auto* o : m_observers)
        o->sessionMessage(text);
}

void Session::beep() {
    ++beeps;
    for (auto* o : m_observers)
        o->sessionBeep();
}

void Session::changed() {
    for (auto* o : m_observers)
        o->sessionChanged();
}

void Session::setTimer2(bool on) {
    Timer2 = on;
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

void Session::advanceCursor() {
    ++TimeCol;
    if (TimeCol > kDataCols) {
        TimeCol = 1;
        ++TimeRow;
    }
}

} // namespace qv
